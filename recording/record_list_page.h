// The record list page: 1000 records to a page, the paging controls and
// the four statistics lines.  The page is rebuilt from the store by
// rendering its records, never from texts kept aside.
#pragma once

#include <vector>

#include "recording/record_rendering.h"
#include "recording/record_store.h"
#include "window/controls.h"
#include "window/window.h"

inline constexpr int kRowsPerPage = 1000;

// The list control: rows of three cells.  Adding a row selects it and
// scrolls it into view, so after a page is filled its last row is shown.
class RecordRows {
 public:
  virtual ~RecordRows() = default;
  virtual void Add(const RowTexts& row) = 0;
  // All rows at once, as deleting them and adding each would.
  virtual void Replace(std::vector<RowTexts> rows) = 0;
  virtual void DeleteAll() = 0;
  virtual void DeleteLast() = 0;
  virtual int Count() const = 0;
};

struct Paging {
  int currentPage = 1;
  int lastPage = 1;
  int lastPageRows = 0;  // 0-1000
};

class RecordListPage {
 public:
  RecordListPage(Controls& page, RecordRows& rows, AppMessages& messages, const RecordStore& store,
                 const Settings& settings)
      : page_(page), rows_(rows), messages_(messages), store_(store), settings_(settings) {}

  void AddRow(const _READING_TEXT& text) { rows_.Add(RowOf(text)); }
  void DeleteAllRows() { rows_.DeleteAll(); }
  void DeleteLastRow() { rows_.DeleteLast(); }
  // Paging controls on only when there is more than one page.
  void EnablePaging(bool on);
  void RefreshPageLabel();
  // Rebuilds the list for page p; false (list untouched) when p is not a page.
  bool ShowPage(int p);
  // The four statistics lines from the stored statistics.
  void RefreshStatisticsLines();
  void ShowStatisticsLine(int id, std::u16string_view line) { page_.SetText(id, line); }
  // Empties the four lines.
  void ClearStatisticsLines();

  // The paging buttons: each posts the page to show.
  void OnPrevious();
  void OnNext();
  // `typed` is the page edit's text; a non-number leaves everything as is
  // (the page tells the user).  Returns whether it was a number.
  bool OnJump(std::u16string_view typed);

  // How the store's records are rendered now (model of the recording,
  // time display mode).
  RenderContext Context() const;

  Paging paging;

 private:
  void GoTo(int page);

  Controls& page_;
  RecordRows& rows_;
  AppMessages& messages_;
  const RecordStore& store_;
  const Settings& settings_;
};
