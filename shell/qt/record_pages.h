// The record pages over Qt: the record list page (a model/view list, so
// that a page of 1000 rows is rebuilt at once), the record information
// page, and the clear dialog.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <QTableView>
#include <QWidget>
#include <array>
#include <vector>

#include "recording/record_list_page.h"
#include "recording/recording_engine.h"
#include "shell/qt/qt_controls.h"

// record_control::kList: rows of three cells.
class QtRecordRows : public QAbstractTableModel, public RecordRows {
 public:
  explicit QtRecordRows(QObject* parent) : QAbstractTableModel(parent) {}
  void SetView(QTableView* view) { view_ = view; }
  void SetTitles(std::array<QString, 3> titles);

  void Add(const RowTexts& row) override;
  void Replace(std::vector<RowTexts> rows) override;
  void DeleteAll() override;
  void DeleteLast() override;
  int Count() const override { return static_cast<int>(rows_.size()); }

  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : Count(); }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  void SelectLast();

  std::vector<std::array<QString, 3>> rows_;
  std::array<QString, 3> titles_;
  QTableView* view_ = nullptr;
};

class CPpgRecord : public QWidget {
 public:
  explicit CPpgRecord(QWidget* parent);
  QtControls& PageControls() { return controls_; }
  QtRecordRows& Rows() { return *rows_; }
  QTableView* List() const { return list_; }
  // The paging buttons drive the page's core.
  void Bind(RecordListPage& page);
  void Relabel(int language);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QtControls controls_;
  QtRecordRows* rows_;
  QTableView* list_;
  int language_ = 0;
};

class CPpgRecInfo : public QWidget {
 public:
  explicit CPpgRecInfo(QWidget* parent);
  QtControls& PageControls() { return controls_; }
  void Relabel(int language);

 private:
  QtControls controls_;
};

// CDlgClear: all records, or the newest only (the default).
ClearChoice AskClear(QWidget* parent, int language);
