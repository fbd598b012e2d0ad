// The window's controls as plain data, for tests of the core.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "monitor/controls.h"

class FakeControls : public Controls {
 public:
  struct List {
    std::vector<std::u16string> items;
    int selection = -1;
    int fills = 0;  // how many times the list was emptied
  };

  void SetText(int id, std::u16string_view text) override { texts[id] = std::u16string(text); }
  std::u16string Text(int id) const override {
    const auto found = texts.find(id);
    return found == texts.end() ? std::u16string() : found->second;
  }
  void ClearList(int id) override {
    lists[id].items.clear();
    lists[id].selection = -1;
    ++lists[id].fills;
  }
  void AddListItem(int id, std::u16string_view text) override { lists[id].items.emplace_back(text); }
  void SelectListItem(int id, int index) override { lists[id].selection = index; }
  int ListSelection(int id) const override {
    const auto found = lists.find(id);
    return found == lists.end() ? -1 : found->second.selection;
  }
  // The selected item's text, empty without one.
  std::u16string Selected(int id) const {
    const auto found = lists.find(id);
    if (found == lists.end()) return {};
    const List& list = found->second;
    return list.selection >= 0 && list.selection < static_cast<int>(list.items.size()) ? list.items[list.selection]
                                                                                         : std::u16string();
  }

  std::map<int, std::u16string> texts;
  std::map<int, List> lists;
};
