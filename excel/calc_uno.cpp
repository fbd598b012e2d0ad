#include "excel/calc_uno.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/connection/ConnectionSetupException.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XDispatch.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XFrames.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStatusListener.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/URLTransformer.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <osl/file.hxx>
#include <rtl/ref.hxx>
#include <rtl/ustring.hxx>

namespace uno = com::sun::star::uno;
namespace lang = com::sun::star::lang;
namespace frame = com::sun::star::frame;
namespace sheet = com::sun::star::sheet;
namespace table = com::sun::star::table;
namespace container = com::sun::star::container;
namespace beans = com::sun::star::beans;
namespace util = com::sun::star::util;
using com::sun::star::view::XSelectionSupplier;
using rtl::OUString;
using uno::Reference;
using uno::UNO_QUERY;
using uno::UNO_QUERY_THROW;

namespace {

OUString ToOUString(std::u16string_view text) {
  // sal_Unicode is a 16-bit code unit of UTF-16 like char16_t, though not always the same type.
  return OUString(reinterpret_cast<const sal_Unicode*>(text.data()), static_cast<sal_Int32>(text.size()));
}
OUString ToOUString(const std::string& text) {
  return OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8);
}
std::u16string ToU16(const OUString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.getStr()), static_cast<std::size_t>(text.getLength()));
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The client side of UNO, set up once for the process and kept to its end
// rather than torn down among the static destructors while the bridges'
// threads may still run.
Reference<uno::XComponentContext> LocalContext() {
  static Reference<uno::XComponentContext>* local = [] {
    // A bridge that writes to a Calc that has just quit gets SIGPIPE, whose
    // default action would end our program with it.
    struct sigaction pipe {};
    if (sigaction(SIGPIPE, nullptr, &pipe) == 0 && pipe.sa_handler == SIG_DFL) signal(SIGPIPE, SIG_IGN);
    // Without it the client looks for its bootstrap files beside our program.
    setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" QUORVIA_LIBREOFFICE_PROGRAM "/fundamentalrc", 0);
    auto* context = new Reference<uno::XComponentContext>;
    try {
      *context = cppu::defaultBootstrap_InitialComponentContext();
    } catch (const uno::Exception&) {
    } catch (const cppu::BootstrapException&) {
    }
    return context;
  }();
  return *local;
}

// The remote end of our pipe, or null when nobody listens there yet.
Reference<uno::XComponentContext> Connect(const std::string& pipeName) {
  const Reference<uno::XComponentContext> local = LocalContext();
  if (!local.is()) return {};
  try {
    const Reference<com::sun::star::bridge::XUnoUrlResolver> resolver =
        com::sun::star::bridge::UnoUrlResolver::create(local);
    return Reference<uno::XComponentContext>(
        resolver->resolve("uno:pipe,name=" + ToOUString(pipeName) + ";urp;StarOffice.ComponentContext"), UNO_QUERY);
  } catch (const uno::Exception&) {
    return {};
  }
}

// Every document open in Calc (spreadsheets or not).
std::vector<Reference<lang::XComponent>> Documents(const Reference<frame::XDesktop2>& desktop) {
  std::vector<Reference<lang::XComponent>> documents;
  const Reference<container::XEnumeration> all = desktop->getComponents()->createEnumeration();
  while (all->hasMoreElements()) {
    Reference<frame::XModel> model(all->nextElement(), UNO_QUERY);
    if (model.is()) documents.emplace_back(model, UNO_QUERY);
  }
  return documents;
}

// A profile that starts quietly: no tip dialog over the first document.
void PrepareProfile(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder / "user", error);
  const std::filesystem::path settings = folder / "user" / "registrymodifications.xcu";
  if (std::filesystem::exists(settings, error)) return;
  std::ofstream out(settings);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
         "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
         "<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop oor:name=\"ShowTipOfTheDay\" "
         "oor:op=\"fuse\"><value>false</value></prop></item>\n"
         "</oor:items>\n";
}

std::string FileUrl(const std::filesystem::path& path) {
  OUString url;
  if (osl::FileBase::getFileURLFromSystemPath(ToOUString(path.string()), url) != osl::FileBase::E_None) {
    return "file://" + path.string();
  }
  return rtl::OUStringToOString(url, RTL_TEXTENCODING_UTF8).getStr();
}

// How a text put into Excel's Value2 ends up in the cell: plain decimal
// numbers as numbers, our date and time texts as dates and times shown the
// same way, anything else as the text itself.
enum class CellKind { number, date, time, text };

bool Digits(std::u16string_view text, std::size_t from, std::size_t count) {
  if (from + count > text.size()) return false;
  for (std::size_t i = from; i < from + count; ++i) {
    if (text[i] < u'0' || text[i] > u'9') return false;
  }
  return true;
}

CellKind Kind(std::u16string_view text, double& number) {
  if (text.size() == 10 && Digits(text, 0, 4) && text[4] == u'/' && Digits(text, 5, 2) && text[7] == u'/' &&
      Digits(text, 8, 2)) {
    return CellKind::date;
  }
  if (text.size() == 8 && Digits(text, 0, 2) && text[2] == u':' && Digits(text, 3, 2) && text[5] == u':' &&
      Digits(text, 6, 2)) {
    return CellKind::time;
  }
  // from_chars alone would also take "inf" and "nan".
  std::string ascii;
  bool digit = false;
  for (const char16_t c : text) {
    if (!((c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E')) {
      return CellKind::text;
    }
    digit = digit || (c >= u'0' && c <= u'9');
    ascii += static_cast<char>(c);
  }
  if (!digit) return CellKind::text;
  const char* first = ascii.data() + (ascii.front() == '+' ? 1 : 0);
  const auto [end, error] = std::from_chars(first, ascii.data() + ascii.size(), number);
  return error == std::errc() && end == ascii.data() + ascii.size() ? CellKind::number : CellKind::text;
}

// The key of a number format in the document, added when it has none yet.
sal_Int32 FormatKey(const Reference<sheet::XSpreadsheetDocument>& document, const OUString& code) {
  const Reference<util::XNumberFormats> formats =
      Reference<util::XNumberFormatsSupplier>(document, UNO_QUERY_THROW)->getNumberFormats();
  const lang::Locale english("en", "US", "");
  const sal_Int32 key = formats->queryKey(code, english, false);
  return key >= 0 ? key : formats->addNew(code, english);
}

// Receives the state Calc reports for a command.
class StateProbe : public cppu::WeakImplHelper1<frame::XStatusListener> {
 public:
  void SAL_CALL statusChanged(const frame::FeatureStateEvent& event) override {
    answered = true;
    enabled = event.IsEnabled;
  }
  void SAL_CALL disposing(const lang::EventObject&) override {}
  // Set from the bridge's thread should Calc answer from another one.
  std::atomic<bool> answered{false};
  std::atomic<bool> enabled{false};
};

}  // namespace

CalcOptions CalcOptions::FromEnvironment() {
  CalcOptions options;
  const std::string program = Environment("RV7300S_SOFFICE");
  if (!program.empty()) options.program = program;
  options.pipeName = Environment("RV7300S_CALC_PIPE");
  if (options.pipeName.empty()) options.pipeName = "rv7300s_calc";
  options.profileFolder = Environment("RV7300S_CALC_PROFILE");
  if (options.profileFolder.empty()) {
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty() && !Environment("HOME").empty()) config = Environment("HOME") + "/.config";
    options.profileFolder =
        config.empty() ? "/tmp/rv7300s-calc-" + std::to_string(getuid()) : config + "/VORNEK/QM8000/calc";
  }
  options.headless = Environment("RV7300S_CALC_HEADLESS") == "1";
  return options;
}

int ExcelWidthToCalc(std::u16string_view width) {
  std::string ascii;
  for (const char16_t c : width) {
    if (c > 0x7f) return -1;
    ascii += static_cast<char>(c);
  }
  double characters = 0;
  const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), characters);
  if (error != std::errc() || end != ascii.data() + ascii.size() || !(characters >= 0) || characters > 255) {
    return -1;
  }
  // Calc's default font has wider digits than Excel's: 8 px a character
  // keeps a date or a time of the row from showing as "###".
  const double pixels = std::round(characters * 8 + 5);
  return static_cast<int>(std::lround(pixels * 2540 / 96));
}

struct CalcProgram::Impl {
  CalcOptions options;
  pid_t child = 0;  // the soffice we started, leader of its process group
  Reference<uno::XComponentContext> remote;
  Reference<frame::XDesktop2> desktop;
  Reference<sheet::XSpreadsheetDocument> document;
  SheetCell lastActive;

  bool Connected() const { return desktop.is(); }

  void Drop() {
    document.clear();
    desktop.clear();
    remote.clear();
  }

  // A call failed: when the bridge is gone, so is Calc for us.
  void Failed(const uno::Exception&) {
    try {
      if (desktop.is()) desktop->getFrames();
    } catch (const uno::Exception&) {
      Drop();
    }
  }

  void Reap() {
    if (child > 0 && waitpid(child, nullptr, WNOHANG) == child) child = 0;
  }

  bool Launch() {
    const std::filesystem::path profile(options.profileFolder);
    PrepareProfile(profile);
    std::vector<std::string> args = {options.program,
                                     "--nologo",
                                     "--norestore",
                                     "--nodefault",
                                     "-env:UserInstallation=" + FileUrl(profile),
                                     "--accept=pipe,name=" + options.pipeName + ";urp;"};
    if (options.headless) args.push_back("--headless");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 34)
    posix_spawn_file_actions_addclosefrom_np(&files, 3);  // the meter's port stays ours
#endif
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (const int s : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGCHLD}) sigaddset(&defaults, s);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    // Its own session: Calc outlives our terminal and our program, and its
    // process group holds the wrapper and Calc together.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, options.program.c_str(), &files, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) return false;
    child = pid;
    return true;
  }

  // Waits, in bounded steps, for the Calc just launched to listen.  A
  // wrapper that ended with success handed our request to a Calc already
  // running on our profile, which then opens our pipe.
  bool AwaitListening() {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(options.connectSeconds);
    while (Clock::now() < deadline) {
      remote = Connect(options.pipeName);
      if (remote.is()) return true;
      if (child > 0) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
          child = 0;
          if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }

  // The spreadsheet to write into: the one Calc shows in front when it is a
  // spreadsheet (as Excel writes into its active workbook), else the one we
  // had, else any other; null when no spreadsheet is left.
  Reference<sheet::XSpreadsheetDocument> Document() {
    if (!Connected()) return {};
    Reference<sheet::XSpreadsheetDocument> current(desktop->getCurrentComponent(), UNO_QUERY);
    if (current.is()) return document = current;
    if (document.is()) {
      try {
        Reference<frame::XModel>(document, UNO_QUERY_THROW)->getCurrentController();
        return document;
      } catch (const lang::DisposedException&) {
        // closed; the bridge itself may still be up
      } catch (const uno::RuntimeException&) {
      }
      document.clear();
    }
    for (const auto& d : Documents(desktop)) {
      Reference<sheet::XSpreadsheetDocument> spreadsheet(d, UNO_QUERY);
      if (spreadsheet.is()) return document = spreadsheet;
    }
    return {};
  }

  Reference<sheet::XSpreadsheetView> View() {
    const Reference<frame::XModel> model(Document(), UNO_QUERY);
    if (!model.is()) return {};
    return Reference<sheet::XSpreadsheetView>(model->getCurrentController(), UNO_QUERY);
  }

  Reference<table::XCell> Cell(const Reference<sheet::XSpreadsheetView>& view, SheetCell cell) {
    if (!view.is() || cell.column < 1 || cell.row < 1) return {};
    const Reference<sheet::XSpreadsheet> sheet = view->getActiveSheet();
    if (!sheet.is()) return {};
    return sheet->getCellByPosition(cell.column - 1, cell.row - 1);
  }

  bool Editing(const Reference<sheet::XSpreadsheetView>& view);

  Reference<sheet::XSpreadsheetDocument> Open(const std::u16string& file) {
    const Reference<frame::XComponentLoader> loader(desktop, UNO_QUERY_THROW);
    OUString url;
    if (file.empty()) {
      if (const auto existing = Document(); existing.is()) return existing;
      url = "private:factory/scalc";
    } else if (osl::FileBase::getFileURLFromSystemPath(ToOUString(file), url) != osl::FileBase::E_None) {
      return {};
    }
    // "_default" brings a document that is already open to the front
    // instead of loading it a second time.
    return document = Reference<sheet::XSpreadsheetDocument>(
               loader->loadComponentFromURL(url, "_default", 0, uno::Sequence<beans::PropertyValue>()), UNO_QUERY);
  }

  void ShowFirstSheet() {
    const Reference<frame::XModel> model(document, UNO_QUERY_THROW);
    const Reference<frame::XController> controller = model->getCurrentController();
    const Reference<sheet::XSpreadsheetView> view(controller, UNO_QUERY);
    const Reference<container::XIndexAccess> sheets(document->getSheets(), UNO_QUERY);
    if (view.is() && sheets.is() && sheets->getCount() > 0) {
      view->setActiveSheet(Reference<sheet::XSpreadsheet>(sheets->getByIndex(0), UNO_QUERY));
    }
    if (!options.headless && controller.is()) {
      const Reference<frame::XFrame> window = controller->getFrame();
      if (window.is()) {
        const Reference<com::sun::star::awt::XWindow> container = window->getContainerWindow();
        container->setVisible(true);
        const Reference<com::sun::star::awt::XTopWindow> top(container, UNO_QUERY);
        if (top.is()) top->toFront();
      }
    }
  }

  // Ends Calc when it holds no document any more; otherwise only lets go.
  void EndIfEmpty() {
    if (!Connected()) return;
    try {
      if (Documents(desktop).empty()) desktop->terminate();
    } catch (const uno::Exception&) {
      // it went while we asked
    }
  }
};

bool CalcProgram::Impl::Editing(const Reference<sheet::XSpreadsheetView>& view) {
  // Calc has no property for it; but its insert/overwrite switch belongs to
  // the cell editor alone, so Calc reports it enabled only while a cell is
  // being typed into.
  const Reference<frame::XController> controller(view, UNO_QUERY);
  if (!controller.is()) return false;
  const Reference<frame::XDispatchProvider> provider(controller->getFrame(), UNO_QUERY);
  if (!provider.is()) return false;
  util::URL url;
  url.Complete = ".uno:InsertMode";
  // Calc's own parser: ours would load much of LibreOffice into our process.
  util::URLTransformer::create(remote)->parseStrict(url);
  const Reference<frame::XDispatch> dispatch = provider->queryDispatch(url, "", 0);
  if (!dispatch.is()) return false;
  const rtl::Reference<StateProbe> probe(new StateProbe);
  const Reference<frame::XStatusListener> listener(probe.get());
  // Calc sends the current state from within addStatusListener.
  dispatch->addStatusListener(listener, url);
  dispatch->removeStatusListener(listener, url);
  return probe->answered && probe->enabled;
}

CalcProgram::CalcProgram(CalcOptions options) : impl_(std::make_unique<Impl>()) { impl_->options = std::move(options); }

CalcProgram::~CalcProgram() {
  impl_->Drop();
  impl_->Reap();
}

bool CalcProgram::Start(bool attachRunning, const std::u16string& file) {
  Impl& d = *impl_;
  d.Drop();
  d.Reap();
  // A Calc already on our pipe is taken even for a file to open: a second
  // one on the same profile would only hand the file over to it.
  (void)attachRunning;
  d.remote = Connect(d.options.pipeName);
  if (!d.remote.is()) {
    if (!LocalContext().is() || !d.Launch() || !d.AwaitListening()) {
      if (d.child > 0) kill(-d.child, SIGTERM);  // started but never listened
      d.Reap();
      return false;
    }
  }
  try {
    d.desktop = frame::Desktop::create(d.remote);
    if (!d.Open(file).is()) {
      d.EndIfEmpty();
      d.Drop();
      return false;
    }
    d.ShowFirstSheet();
    d.lastActive = ActiveCell();
    return d.Connected();
  } catch (const uno::Exception&) {
    d.EndIfEmpty();
    d.Drop();
    return false;
  }
}

std::u16string CalcProgram::Version() {
  Impl& d = *impl_;
  if (!d.remote.is()) return {};
  try {
    const Reference<lang::XMultiServiceFactory> provider =
        com::sun::star::configuration::theDefaultProvider::get(d.remote);
    const uno::Any arguments(beans::NamedValue("nodepath", uno::Any(OUString("/org.openoffice.Setup/Product"))));
    const Reference<container::XNameAccess> product(
        provider->createInstanceWithArguments("com.sun.star.configuration.ConfigurationAccess",
                                              uno::Sequence<uno::Any>(&arguments, 1)),
        UNO_QUERY_THROW);
    OUString version;
    product->getByName("ooSetupVersionAboutBox") >>= version;
    if (version.isEmpty()) product->getByName("ooSetupVersion") >>= version;
    return ToU16(version);
  } catch (const uno::Exception& e) {
    d.Failed(e);
    return {};
  }
}

SheetCell CalcProgram::Limits() {
  Impl& d = *impl_;
  try {
    const Reference<sheet::XSpreadsheetView> view = d.View();
    if (view.is()) {
      const Reference<sheet::XCellRangeAddressable> sheet(view->getActiveSheet(), UNO_QUERY_THROW);
      const table::CellRangeAddress all = sheet->getRangeAddress();
      return {all.EndColumn + 1 - 10, all.EndRow + 1};
    }
  } catch (const uno::Exception& e) {
    d.Failed(e);
  }
  // Calc's smallest sheet since 2011, for a Calc that no longer answers.
  return {1024 - 10, 1048576};
}

SheetCell CalcProgram::ActiveCell() {
  Impl& d = *impl_;
  try {
    const Reference<XSelectionSupplier> selected(d.View(), UNO_QUERY);
    if (selected.is()) {
      const uno::Any selection = selected->getSelection();
      const Reference<sheet::XCellRangeAddressable> range(selection, UNO_QUERY);
      if (range.is()) {
        const table::CellRangeAddress a = range->getRangeAddress();
        return d.lastActive = {a.StartColumn + 1, a.StartRow + 1};
      }
      const Reference<sheet::XSheetCellRanges> ranges(selection, UNO_QUERY);
      if (ranges.is()) {
        const uno::Sequence<table::CellRangeAddress> all = ranges->getRangeAddresses();
        if (all.getLength() > 0) return d.lastActive = {all[0].StartColumn + 1, all[0].StartRow + 1};
      }
      // A drawing is selected: the cell cursor stays where we left it.
    }
  } catch (const uno::Exception& e) {
    d.Failed(e);
  }
  return d.lastActive;
}

void CalcProgram::WriteActiveCell(std::u16string_view text, std::u16string_view width) {
  Impl& d = *impl_;
  try {
    const Reference<sheet::XSpreadsheetView> view = d.View();
    const SheetCell at = ActiveCell();
    const Reference<table::XCell> cell = d.Cell(view, at);
    if (!cell.is()) return;
    if (const int w = ExcelWidthToCalc(width); w > 0) {
      const Reference<table::XColumnRowRange> sheet(view->getActiveSheet(), UNO_QUERY_THROW);
      const Reference<beans::XPropertySet> column(sheet->getColumns()->getByIndex(at.column - 1), UNO_QUERY_THROW);
      column->setPropertyValue("Width", uno::Any(sal_Int32{w}));
    }
    double number = 0;
    switch (Kind(text, number)) {
      case CellKind::number:
        cell->setValue(number);
        break;
      case CellKind::date:
      case CellKind::time: {
        const bool date = text.size() == 10;
        // In Calc's English notation whatever the locale: the ISO date and
        // the time as they are.
        const std::u16string entered = date ? std::u16string(text.substr(0, 4)) + u"-" +
                                                  std::u16string(text.substr(5, 2)) + u"-" +
                                                  std::u16string(text.substr(8, 2))
                                            : std::u16string(text);
        cell->setFormula(ToOUString(entered));
        if (cell->getType() == table::CellContentType_VALUE) {
          Reference<beans::XPropertySet>(cell, UNO_QUERY_THROW)
              ->setPropertyValue("NumberFormat",
                                 uno::Any(FormatKey(d.document, date ? OUString("YYYY/MM/DD") : OUString("HH:MM:SS"))));
        } else {
          Reference<com::sun::star::text::XTextRange>(cell, UNO_QUERY_THROW)->setString(ToOUString(text));
        }
        break;
      }
      case CellKind::text:
        Reference<com::sun::star::text::XTextRange>(cell, UNO_QUERY_THROW)->setString(ToOUString(text));
        break;
    }
  } catch (const uno::Exception& e) {
    d.Failed(e);
  }
}

void CalcProgram::Activate(SheetCell cell) {
  Impl& d = *impl_;
  try {
    const Reference<sheet::XSpreadsheetView> view = d.View();
    const Reference<table::XCell> target = d.Cell(view, cell);
    if (!target.is()) return;
    Reference<XSelectionSupplier>(view, UNO_QUERY_THROW)->select(uno::Any(target));
    d.lastActive = cell;
  } catch (const uno::Exception& e) {
    d.Failed(e);
  }
}

SheetPresence CalcProgram::Check() {
  Impl& d = *impl_;
  d.Reap();
  try {
    const Reference<sheet::XSpreadsheetView> view = d.View();
    if (!view.is()) return SheetPresence::gone;
    return d.Editing(view) ? SheetPresence::editing : SheetPresence::present;
  } catch (const uno::Exception& e) {
    // A document closed under the call is found gone at the next check.
    d.Failed(e);
    return d.Connected() ? SheetPresence::present : SheetPresence::gone;
  }
}

bool CalcProgram::AnyWindow() {
  Impl& d = *impl_;
  if (!d.Connected()) return false;
  try {
    return d.desktop->getFrames()->getCount() > 0;
  } catch (const uno::Exception& e) {
    d.Failed(e);
    return false;
  }
}

void CalcProgram::Release() {
  Impl& d = *impl_;
  d.EndIfEmpty();
  d.Drop();
  d.Reap();
}

std::u16string CalcProgram::CellText(SheetCell cell) {
  Impl& d = *impl_;
  try {
    const Reference<com::sun::star::text::XTextRange> text(d.Cell(d.View(), cell), UNO_QUERY);
    if (text.is()) return ToU16(text->getString());
  } catch (const uno::Exception& e) {
    d.Failed(e);
  }
  return {};
}

std::optional<double> CalcProgram::CellValue(SheetCell cell) {
  Impl& d = *impl_;
  try {
    const Reference<table::XCell> c = d.Cell(d.View(), cell);
    if (c.is() && c->getType() == table::CellContentType_VALUE) return c->getValue();
  } catch (const uno::Exception& e) {
    d.Failed(e);
  }
  return std::nullopt;
}

int CalcProgram::ColumnWidth(int column) {
  Impl& d = *impl_;
  try {
    const Reference<sheet::XSpreadsheetView> view = d.View();
    if (!view.is() || column < 1) return -1;
    const Reference<table::XColumnRowRange> sheet(view->getActiveSheet(), UNO_QUERY_THROW);
    const Reference<beans::XPropertySet> c(sheet->getColumns()->getByIndex(column - 1), UNO_QUERY_THROW);
    sal_Int32 width = -1;
    c->getPropertyValue("Width") >>= width;
    return width;
  } catch (const uno::Exception& e) {
    d.Failed(e);
    return -1;
  }
}

int CalcProgram::ProcessGroup() const { return impl_->child; }

bool CalcProgram::ProcessRunning() {
  impl_->Reap();
  return impl_->child > 0;
}

bool CloseCalc(const std::string& pipeName, CalcClose what) {
  const Reference<uno::XComponentContext> remote = Connect(pipeName);
  if (!remote.is()) return false;
  try {
    const Reference<frame::XDesktop2> desktop = frame::Desktop::create(remote);
    for (const auto& document : Documents(desktop)) {
      const Reference<util::XModifiable> modified(document, UNO_QUERY);
      if (modified.is()) modified->setModified(false);
      if (what == CalcClose::documents) Reference<util::XCloseable>(document, UNO_QUERY_THROW)->close(true);
    }
    if (what == CalcClose::program) desktop->terminate();
  } catch (const uno::Exception&) {
    // a Calc that quits under the call drops the bridge
  }
  return true;
}

std::unique_ptr<SpreadsheetProgram> MakeSpreadsheetProgram() { return std::make_unique<CalcProgram>(); }
