// CDlgUsbCheck: the small window shown while the ports are scanned for a
// meter when automatic connection is off.
#pragma once

#include <QDialog>

class CDlgUsbCheck : public QDialog {
 public:
  CDlgUsbCheck(QWidget* parent, int language);
  bool Found() const { return found_; }

 private:
  int language_;
  bool found_ = false;
};
