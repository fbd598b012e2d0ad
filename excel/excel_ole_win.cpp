// Excel as the spreadsheet program on Windows: "Excel.Application" driven
// late-bound through IDispatch with the dispatch identifiers of Excel's
// type library, and watched through its windows ("XLMAIN", its "XLDESK"
// child and that one's "EXCEL6" cell editor) and its process.
// windows.h first: the others use its types.
#include <windows.h>

#include <oleauto.h>
#include <tlhelp32.h>

#include <charconv>
#include <string>

#include "excel/spreadsheet.h"

namespace {

// Excel's dispatch identifiers.
namespace dispid {
constexpr DISPID kActiveCell = 0x131;      // Application
constexpr DISPID kActiveWorkbook = 0x134;  // Application
constexpr DISPID kWorkbooks = 0x23C;       // Application
constexpr DISPID kWorksheets = 0x1EE;      // Application
constexpr DISPID kVersion = 0x188;         // Application
constexpr DISPID kHwnd = 0x79E;            // Application
constexpr DISPID kShownFlag = 0x3E1;       // Application, set true once the window shows
constexpr DISPID kCount = 0x76;            // Workbooks
constexpr DISPID kAdd = 0xB5;              // Workbooks
constexpr DISPID kOpen = 0x2AA;            // Workbooks
constexpr DISPID kName = 0x6E;             // Workbook
constexpr DISPID kItem = 0xAA;             // Worksheets
constexpr DISPID kSelect = 0xEB;           // Worksheet
constexpr DISPID kColumn = 0xF0;           // Range
constexpr DISPID kRow = 0x101;             // Range
constexpr DISPID kColumnWidth = 0xF2;      // Range
constexpr DISPID kValue2 = 0x56C;          // Range
constexpr DISPID kOffset = 0xFE;           // Range
constexpr DISPID kActivate = 0x130;        // Range
}  // namespace dispid

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  explicit Variant(long value) : Variant() {
    v_.vt = VT_I4;
    v_.lVal = value;
  }
  explicit Variant(double value) : Variant() {
    v_.vt = VT_R8;
    v_.dblVal = value;
  }
  explicit Variant(bool value) : Variant() {
    v_.vt = VT_BOOL;
    v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  }
  explicit Variant(std::u16string_view text) : Variant() {
    v_.vt = VT_BSTR;
    v_.bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
  }
  ~Variant() { VariantClear(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  VARIANT* get() { return &v_; }
  // The value as a number, or `otherwise` when it is none.
  long Long(long otherwise) const {
    VARIANT converted;
    VariantInit(&converted);
    long value = otherwise;
    if (SUCCEEDED(VariantChangeType(&converted, const_cast<VARIANT*>(&v_), 0, VT_I4))) value = converted.lVal;
    VariantClear(&converted);
    return value;
  }
  std::u16string Text() const {
    if (v_.vt != VT_BSTR || !v_.bstrVal) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(v_.bstrVal), SysStringLen(v_.bstrVal));
  }
  // Takes the object out of the value (null when it holds none).
  IDispatch* TakeDispatch() {
    if (v_.vt != VT_DISPATCH || !v_.pdispVal) return nullptr;
    IDispatch* object = v_.pdispVal;
    v_.vt = VT_EMPTY;
    v_.pdispVal = nullptr;
    return object;
  }

 private:
  VARIANT v_;
};

// An IDispatch reference of our own.
class Dispatch {
 public:
  Dispatch() = default;
  explicit Dispatch(IDispatch* object) : p_(object) {}
  ~Dispatch() { Reset(); }
  Dispatch(Dispatch&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
  Dispatch& operator=(Dispatch&& other) noexcept {
    if (this != &other) {
      Reset();
      p_ = other.p_;
      other.p_ = nullptr;
    }
    return *this;
  }
  Dispatch(const Dispatch&) = delete;
  Dispatch& operator=(const Dispatch&) = delete;

  explicit operator bool() const { return p_ != nullptr; }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

  // `args` in the order of the member's parameters.
  HRESULT Invoke(DISPID id, WORD flags, VARIANT* result, VARIANT** args = nullptr, UINT count = 0) const {
    if (!p_) return E_POINTER;
    // DISPPARAMS takes the arguments last first.
    VARIANT reversed[4];
    if (count > 4) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) reversed[i] = *args[count - 1 - i];
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{count ? reversed : nullptr, nullptr, count, 0};
    if (flags & DISPATCH_PROPERTYPUT) {
      params.rgdispidNamedArgs = &put;
      params.cNamedArgs = 1;
    }
    EXCEPINFO exception{};
    UINT wrong = 0;
    const HRESULT hr = p_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception, &wrong);
    if (hr == DISP_E_EXCEPTION) {
      SysFreeString(exception.bstrSource);
      SysFreeString(exception.bstrDescription);
      SysFreeString(exception.bstrHelpFile);
    }
    return hr;
  }
  bool Get(DISPID id, Variant& value, VARIANT** args = nullptr, UINT count = 0) const {
    return SUCCEEDED(Invoke(id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, value.get(), args, count));
  }
  Dispatch Object(DISPID id, VARIANT** args = nullptr, UINT count = 0) const {
    Variant value;
    if (!Get(id, value, args, count)) return {};
    return Dispatch(value.TakeDispatch());
  }
  bool Put(DISPID id, Variant& value) const {
    VARIANT* args[] = {value.get()};
    return SUCCEEDED(Invoke(id, DISPATCH_PROPERTYPUT, nullptr, args, 1));
  }
  bool Call(DISPID id, VARIANT** args = nullptr, UINT count = 0) const {
    Variant ignored;
    return SUCCEEDED(Invoke(id, DISPATCH_METHOD, ignored.get(), args, count));
  }

 private:
  IDispatch* p_ = nullptr;
};

struct FindWindowData {
  HWND wanted;
  bool found;
};

BOOL CALLBACK FindExcelWindow(HWND window, LPARAM parameter) {
  auto* data = reinterpret_cast<FindWindowData*>(parameter);
  wchar_t name[16] = {};
  if (GetClassNameW(window, name, 16) > 0 && lstrcmpW(name, L"XLMAIN") == 0 && window == data->wanted) {
    data->found = true;
    return FALSE;
  }
  return TRUE;
}

class ExcelProgram : public SpreadsheetProgram {
 public:
  ~ExcelProgram() override { application_.Reset(); }

  bool Start(bool attachRunning, const std::u16string& file) override {
    application_.Reset();
    // Once for the thread; set up already by the window system, in either
    // model, is as good.
    static thread_local bool oleReady = false;
    if (!oleReady) {
      const HRESULT initialised = OleInitialize(nullptr);
      if (FAILED(initialised) && initialised != RPC_E_CHANGED_MODE) return false;
      oleReady = true;
    }

    CLSID excel;
    if (FAILED(CLSIDFromProgID(L"Excel.Application", &excel))) return false;
    if (attachRunning) {
      IUnknown* running = nullptr;
      if (SUCCEEDED(GetActiveObject(excel, nullptr, &running)) && running) {
        IDispatch* object = nullptr;
        if (SUCCEEDED(running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object)))) {
          application_ = Dispatch(object);
        }
        running->Release();
      }
    }
    if (!application_) {
      IDispatch* object = nullptr;
      if (FAILED(CoCreateInstance(excel, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(&object)))) {
        return false;
      }
      application_ = Dispatch(object);
    }

    if (const HWND shown = FindWindowW(L"XLMAIN", nullptr)) {
      ShowWindow(shown, SW_SHOW);
      UpdateWindow(shown);
      BringWindowToTop(shown);
    }
    Variant hwnd;
    if (!application_.Get(dispid::kHwnd, hwnd)) return Fail();
    mainWindow_ = reinterpret_cast<HWND>(static_cast<LONG_PTR>(hwnd.Long(0)));
    processId_ = 0;
    GetWindowThreadProcessId(mainWindow_, &processId_);
    Variant shownFlag(true);
    application_.Put(dispid::kShownFlag, shownFlag);

    const Dispatch workbooks = application_.Object(dispid::kWorkbooks);
    if (!workbooks) return Fail();
    if (!file.empty()) {
      Variant path{std::u16string_view(file)};
      VARIANT* args[] = {path.get()};
      if (!workbooks.Call(dispid::kOpen, args, 1)) return Fail();
    } else {
      Variant count;
      if (!workbooks.Get(dispid::kCount, count)) return Fail();
      if (count.Long(0) == 0 && !workbooks.Call(dispid::kAdd)) return Fail();
    }

    Variant version;
    if (!application_.Get(dispid::kVersion, version)) return Fail();
    version_ = version.Text();

    const Dispatch worksheets = application_.Object(dispid::kWorksheets);
    Variant first(1L);
    VARIANT* args[] = {first.get()};
    const Dispatch sheet = worksheets ? worksheets.Object(dispid::kItem, args, 1) : Dispatch();
    if (!sheet || !sheet.Call(dispid::kSelect)) return Fail();

    if (const Dispatch workbook = application_.Object(dispid::kActiveWorkbook)) {
      Variant name;
      if (workbook.Get(dispid::kName, name)) workbookName_ = name.Text();
    }
    return true;
  }

  std::u16string Version() override { return version_; }
  SheetCell Limits() override { return ExcelLimits(version_); }

  SheetCell ActiveCell() override {
    const Dispatch cell = application_.Object(dispid::kActiveCell);
    Variant column, row;
    if (!cell || !cell.Get(dispid::kColumn, column) || !cell.Get(dispid::kRow, row)) return lastActive_;
    return lastActive_ = {static_cast<int>(column.Long(1)), static_cast<int>(row.Long(1))};
  }

  void WriteActiveCell(std::u16string_view text, std::u16string_view width) override {
    const Dispatch cell = application_.Object(dispid::kActiveCell);
    if (!cell) return;
    if (!width.empty()) {
      // As a number: Excel would read a text width with the user's decimal mark.
      std::string ascii(width.begin(), width.end());
      double characters = 0;
      const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), characters);
      if (error == std::errc() && end == ascii.data() + ascii.size()) {
        Variant value(characters);
        cell.Put(dispid::kColumnWidth, value);
      }
    }
    Variant value(text);
    cell.Put(dispid::kValue2, value);
  }

  // Excel moves by offsets from its active cell.
  void Activate(SheetCell target) override {
    const SheetCell from = ActiveCell();
    const Dispatch cell = application_.Object(dispid::kActiveCell);
    if (!cell) return;
    Variant rows(static_cast<long>(target.row - from.row));
    Variant columns(static_cast<long>(target.column - from.column));
    VARIANT* args[] = {rows.get(), columns.get()};
    const Dispatch next = cell.Object(dispid::kOffset, args, 2);
    if (next && next.Call(dispid::kActivate)) lastActive_ = target;
  }

  SheetPresence Check() override {
    if (!MainWindowExists()) return SheetPresence::gone;
    const HWND desk = FindWindowExW(mainWindow_, nullptr, L"XLDESK", nullptr);
    const HWND editor = desk ? FindWindowExW(desk, nullptr, L"EXCEL6", nullptr) : nullptr;
    if (editor && IsWindowVisible(editor)) return SheetPresence::editing;
    // No answer while its window is there: Excel is busy (a dialog of its
    // own), not gone.
    return WorkbookCount() != 0 ? SheetPresence::present : SheetPresence::gone;
  }

  bool AnyWindow() override { return FindWindowW(L"XLMAIN", nullptr) != nullptr; }

  void Release() override {
    const bool end = !MainWindowExists() || WorkbookCount() == 0;
    application_.Reset();
    if (end) EndProcess();
    mainWindow_ = nullptr;
    processId_ = 0;
  }

 private:
  bool Fail() {
    application_.Reset();
    return false;
  }

  bool MainWindowExists() const {
    if (!mainWindow_) return false;
    FindWindowData data{mainWindow_, false};
    EnumWindows(FindExcelWindow, reinterpret_cast<LPARAM>(&data));
    return data.found;
  }

  // -1 when Excel does not answer.
  long WorkbookCount() const {
    const Dispatch workbooks = application_.Object(dispid::kWorkbooks);
    Variant count;
    if (!workbooks || !workbooks.Get(dispid::kCount, count)) return -1;
    return count.Long(-1);
  }

  // The process noted at start, if it still runs under Excel's name: an
  // Excel left without window or workbook would otherwise linger unseen.
  void EndProcess() const {
    if (processId_ == 0) return;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
      if (entry.th32ProcessID != processId_ || lstrcmpiW(entry.szExeFile, L"EXCEL.EXE") != 0) continue;
      if (const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
        TerminateProcess(process, 0);
        CloseHandle(process);
      }
      break;
    }
    CloseHandle(snapshot);
  }

  Dispatch application_;
  HWND mainWindow_ = nullptr;
  DWORD processId_ = 0;
  std::u16string version_;
  std::u16string workbookName_;
  SheetCell lastActive_;
};

}  // namespace

std::unique_ptr<SpreadsheetProgram> MakeSpreadsheetProgram() { return std::make_unique<ExcelProgram>(); }
