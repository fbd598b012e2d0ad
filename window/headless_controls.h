// The window's controls as plain data, for the core without a window
// (tests, the command line); safe to call from the acquisition thread
// while another thread reads them.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "window/controls.h"

class HeadlessControls : public Controls {
 public:
  struct List {
    std::vector<std::u16string> items;
    int selection = -1;
    int fills = 0;  // how many times the list was emptied
  };

  void SetText(int id, std::u16string_view text) override {
    std::lock_guard hold(mutex_);
    texts[id] = std::u16string(text);
  }
  std::u16string Text(int id) const override {
    std::lock_guard hold(mutex_);
    const auto found = texts.find(id);
    return found == texts.end() ? std::u16string() : found->second;
  }
  void Enable(int id, bool enabled) override {
    std::lock_guard hold(mutex_);
    this->enabled[id] = enabled;
  }
  void Show(int id, bool shown) override {
    std::lock_guard hold(mutex_);
    this->shown[id] = shown;
  }
  void ClearList(int id) override {
    std::lock_guard hold(mutex_);
    lists[id].items.clear();
    lists[id].selection = -1;
    ++lists[id].fills;
  }
  void AddListItem(int id, std::u16string_view text) override {
    std::lock_guard hold(mutex_);
    lists[id].items.emplace_back(text);
  }
  void SelectListItem(int id, int index) override {
    std::lock_guard hold(mutex_);
    lists[id].selection = index;
  }
  int ListSelection(int id) const override {
    std::lock_guard hold(mutex_);
    const auto found = lists.find(id);
    return found == lists.end() ? -1 : found->second.selection;
  }
  // The selected item's text, empty without one.
  std::u16string Selected(int id) const {
    std::lock_guard hold(mutex_);
    const auto found = lists.find(id);
    if (found == lists.end()) return {};
    const List& list = found->second;
    return list.selection >= 0 && list.selection < static_cast<int>(list.items.size()) ? list.items[list.selection]
                                                                                       : std::u16string();
  }

  void SetCheck(int id, bool checked) override {
    std::lock_guard hold(mutex_);
    this->checked[id] = checked;
  }
  bool Checked(int id) const override {
    std::lock_guard hold(mutex_);
    const auto found = checked.find(id);
    return found != checked.end() && found->second;
  }
  void Focus(int id) override {
    std::lock_guard hold(mutex_);
    focus = id;
  }
  void LimitText(int id, int characters) override {
    std::lock_guard hold(mutex_);
    limits[id] = characters;
  }

  bool IsEnabled(int id) const {
    std::lock_guard hold(mutex_);
    const auto found = enabled.find(id);
    return found != enabled.end() && found->second;
  }

  // Read directly only while no other thread uses the controls.
  std::map<int, std::u16string> texts;
  std::map<int, bool> enabled;
  std::map<int, bool> shown;
  std::map<int, List> lists;
  std::map<int, bool> checked;
  std::map<int, int> limits;
  int focus = 0;

 private:
  mutable std::mutex mutex_;
};
