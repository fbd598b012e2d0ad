// The controls interface over the window's widgets, by control id; a
// window registered under an id has its title as the text.
#pragma once

#include <QWidget>
#include <map>

#include "window/controls.h"

class QtControls : public Controls {
 public:
  void Register(int id, QWidget* widget) { widgets_[id] = widget; }
  QWidget* Widget(int id) const;

  void SetText(int id, std::u16string_view text) override;
  std::u16string Text(int id) const override;
  void Enable(int id, bool enabled) override;
  void Show(int id, bool shown) override;
  void ClearList(int id) override;
  void AddListItem(int id, std::u16string_view text) override;
  void SelectListItem(int id, int index) override;
  int ListSelection(int id) const override;
  void SetCheck(int id, bool checked) override;
  bool Checked(int id) const override;
  void Focus(int id) override;
  void LimitText(int id, int characters) override;

 private:
  std::map<int, QWidget*> widgets_;  // filled before any thread starts
};
