#include "shell/qt/check_window.h"

#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>

#include "link/identification.h"
#include "live/port_refusal_hint.h"
#include "shell/qt/qt_text.h"
#include "text/ui_text.h"

namespace {}  // namespace

CDlgUsbCheck::CDlgUsbCheck(QWidget* parent, int language)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), language_(language) {
  auto* text = new QLabel(Q(Word(TextId::checkingUsb, language)), this);
  text->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  setFixedSize(240, 90);
  // The scan starts once the window shows, on the first tick of its timer.
  QTimer::singleShot(100, this, [this] {
    found_ = ScanForMeter() == 0;
    const std::optional<RefusedPort> refused = found_ ? std::nullopt : LastRefusedPort();
    if (refused) {
      QMessageBox::warning(this, QString(), Q(PortRefusalHint(*refused, language_)));
    } else if (!found_) {
      QMessageBox::information(this, QString(), Q(Word(TextId::communicationError, language_)));
    }
    accept();
  });
}
