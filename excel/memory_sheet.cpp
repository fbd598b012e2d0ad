#include "excel/memory_sheet.h"

SheetCell MemorySheet::SheetSize() const {
  if (sheetSize) return *sheetSize;
  const SheetCell limits = ExcelLimits(version);
  return {limits.column + 10, limits.row};
}

bool MemorySheet::Inside(SheetCell cell) const {
  const SheetCell size = SheetSize();
  return cell.column >= 1 && cell.row >= 1 && cell.column <= size.column && cell.row <= size.row;
}

std::u16string MemorySheet::Cell(int column, int row) const {
  const auto it = cells_.find({row, column});
  return it == cells_.end() ? std::u16string() : it->second;
}

std::vector<std::u16string> MemorySheet::Row(int row, int column, int count) const {
  std::vector<std::u16string> texts;
  for (int c = column; c < column + count; ++c) texts.push_back(Cell(c, row));
  return texts;
}

std::optional<std::u16string> MemorySheet::ColumnWidth(int column) const {
  const auto it = widths_.find(column);
  if (it == widths_.end()) return std::nullopt;
  return it->second;
}

bool MemorySheet::Start(bool attachRunning, const std::u16string& file) {
  ++counts.starts;
  attachedRunning = attachRunning;
  openedFile = file;
  if (startFails) return false;
  released = false;
  processEnded = false;
  return true;
}

SheetCell MemorySheet::Limits() {
  const SheetCell size = SheetSize();
  return {size.column - 10, size.row};
}

SheetCell MemorySheet::ActiveCell() {
  ++counts.activeCell;
  return active;
}

void MemorySheet::WriteActiveCell(std::u16string_view text, std::u16string_view width) {
  ++counts.writes;
  if (!Present()) ++counts.whileNotPresent;
  if (!Inside(active)) {
    ++counts.outsideSheet;
    return;
  }
  if (!width.empty()) widths_[active.column] = std::u16string(width);
  cells_[{active.row, active.column}] = std::u16string(text);
}

void MemorySheet::Activate(SheetCell cell) {
  ++counts.activations;
  if (!Present()) ++counts.whileNotPresent;
  if (!Inside(cell)) {
    ++counts.outsideSheet;
    return;
  }
  active = cell;
}

SheetPresence MemorySheet::Check() {
  ++counts.checks;
  if (released || closedByUser || documentsClosed) return SheetPresence::gone;
  return editing ? SheetPresence::editing : SheetPresence::present;
}

bool MemorySheet::AnyWindow() {
  ++counts.anyWindow;
  return !released && !closedByUser;
}

void MemorySheet::Release() {
  ++counts.releases;
  processEnded = !closedByUser && documentsClosed;
  released = true;
}
