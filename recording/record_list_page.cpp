#include "recording/record_list_page.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "base/text_helpers.h"
#include "recording/record_controls.h"

void RecordListPage::EnablePaging(bool on) {
  using namespace record_control;
  const bool pages = on && paging.lastPage > 1;
  page_.Enable(kPageNumber, pages);
  page_.Enable(kJump, pages);
  page_.Enable(kPrevious, pages && paging.currentPage > 1);
  page_.Enable(kNext, pages && paging.currentPage < paging.lastPage);
}

void RecordListPage::RefreshPageLabel() {
  page_.SetText(record_control::kPageLabel, NumberText(paging.currentPage) + u"/" + NumberText(paging.lastPage));
  page_.SetText(record_control::kPageNumber, NumberText(paging.currentPage));
}

RenderContext RecordListPage::Context() const {
  return {store_.recordModel, settings_.timeDisplayMode, store_.firstRecordTime};
}

bool RecordListPage::ShowPage(int p) {
  const int recordCount = store_.recordCount();
  if (p < 1 || p > recordCount / kRowsPerPage + 1) return false;
  const int first = (p - 1) * kRowsPerPage;
  const int end = p == paging.lastPage ? recordCount : std::min(recordCount, p * kRowsPerPage);
  const RenderContext context = Context();
  std::vector<RowTexts> rows;
  rows.reserve(std::max(0, end - first));
  for (int i = first; i < end; ++i) rows.push_back(RowOf(RenderRecord(store_.At(i), context)));
  rows_.Replace(std::move(rows));
  return true;
}

void RecordListPage::RefreshStatisticsLines() {
  using namespace record_control;
  const RenderContext context = Context();
  const struct {
    int id;
    const std::u16string& text;
    const CDateTime& time;
    int function;
    bool sub;
  } lines[] = {{kMainMax, store_.maxMainText, store_.maxMainTime, store_.maxMainFunction, false},
               {kMainMin, store_.minMainText, store_.minMainTime, store_.maxMainFunction, false},
               {kSubMax, store_.maxSubText, store_.maxSubTime, store_.maxSubFunction, true},
               {kSubMin, store_.minSubText, store_.minSubTime, store_.maxSubFunction, true}};
  for (const auto& line : lines) {
    page_.SetText(line.id, StatisticsLine(TimeText(line.time, context),
                                          StatisticsLabel(context.modelIndex, line.function, line.sub), line.text));
  }
}

void RecordListPage::ClearStatisticsLines() {
  using namespace record_control;
  for (const int id : {kMainMax, kMainMin, kSubMax, kSubMin}) page_.SetText(id, u"");
}

void RecordListPage::GoTo(int page) {
  paging.currentPage = page;
  EnablePaging(true);
  RefreshPageLabel();
  messages_.Post(app_message::kShowPage, paging.currentPage);
}

void RecordListPage::OnPrevious() { GoTo(std::max(1, paging.currentPage - 1)); }

void RecordListPage::OnNext() { GoTo(std::min(paging.lastPage, paging.currentPage + 1)); }

bool RecordListPage::OnJump(std::u16string_view typed) {
  std::string ascii;
  for (const char16_t c : typed) {
    if (c > 0x7f) return false;
    ascii += static_cast<char>(c);
  }
  const auto begin = ascii.find_first_not_of(' ');
  const auto end = ascii.find_last_not_of(' ');
  if (begin == std::string::npos) return false;
  long long page = 0;
  const char* last = ascii.data() + end + 1;
  const auto [stop, error] = std::from_chars(ascii.data() + begin, last, page);
  // An out-of-range number is still a number: it is clamped like any other.
  if (stop != last || (error != std::errc() && error != std::errc::result_out_of_range)) return false;
  if (error == std::errc::result_out_of_range) page = ascii[begin] == '-' ? 1 : paging.lastPage;
  GoTo(static_cast<int>(std::clamp<long long>(page, 1, paging.lastPage)));
  return true;
}
