// The settings dialog's behaviour: four pages that edit the settings (and
// the meter's own four settings), checked and taken on OK, put back on
// Cancel.  The shell lays out the controls and forwards clicks and
// selections by control id.
#pragma once

#include <optional>
#include <vector>

#include "base/models.h"
#include "link/com_list.h"
#include "live/acquisition.h"
#include "persistence/date_time.h"
#include "persistence/settings.h"
#include "window/controls.h"
#include "window/window.h"

// What opening the dialog needs to know of the program's state.
struct SettingsOpening {
  std::vector<_COM_LIST> ports;
  bool connected = false;
  int modelIndex = kDefaultModel;
  bool recording = false;
  CalendarTime today;
};

class SettingsDialog {
 public:
  SettingsDialog(Controls& controls, MessageBoxes& boxes, Settings& settings, SharedMeterSettings& meter)
      : controls_(controls), boxes_(boxes), settings_(settings), meter_(meter) {}

  // Every text in the interface language.
  void Relabel(int language);
  // Takes the saved set and fills the four pages.
  void Open(const SettingsOpening& opening);
  // A check box or radio button was clicked; a list's selection changed.
  void OnClicked(int id);
  void OnSelection(int id);
  // True when the dialog closes with its values taken; otherwise a message
  // was shown and `shownPage` is the page that holds the box in error.
  bool OnOk();
  // Every value back as it was at opening.
  void OnCancel();

  // While the dialog is up: the ports changed, a meter came or went.
  void RefillPorts(const std::vector<_COM_LIST>& ports);
  void MeterAvailable(bool connected, int modelIndex);

  // The port of the chosen entry; none when the list is empty.
  std::optional<int> ChosenPort() const;

  int shownPage = 0;  // the tab shown last, for the next opening in this run
  bool isOpen = false;

 private:
  void FillPorts(const std::vector<_COM_LIST>& ports);
  void ShowRecordPage(bool recording);
  void ShowSavePage(const CalendarTime& today);
  void EnableIntervalEdits(bool normal);
  void EnableTotalEdits(bool dataCount);
  void PutBack(int id, int low, int high, int openingValue);
  bool TakeNumber(int id, int low, int high, std::int32_t& into);
  bool TakeText(int id, int limit, std::u16string& into);
  void Refuse(int page, int id, std::u16string_view message);

  Controls& controls_;
  MessageBoxes& boxes_;
  Settings& settings_;
  SharedMeterSettings& meter_;
  int language_ = 1;
  std::vector<_COM_LIST> ports_;
  int portChoice_ = -1;
  std::u16string today_;
  Settings saved_;
  MeterSettingChoices savedMeter_{};
  int savedPortChoice_ = -1;
};
