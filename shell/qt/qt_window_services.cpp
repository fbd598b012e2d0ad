#include "shell/qt/qt_window_services.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "shell/qt/fonts.h"
#include "shell/qt/gui_thread.h"

void QtWindowServices::Send(int n, std::intptr_t parameter) {
  OnGuiThread([&] {
    if (onMessage) onMessage(n, parameter);
  });
}

void QtWindowServices::Post(int n, std::intptr_t parameter) {
  QMetaObject::invokeMethod(
      window_,
      [this, n, parameter] {
        if (onMessage) onMessage(n, parameter);
      },
      Qt::QueuedConnection);
}

MessageAnswer QtWindowServices::Ask(std::u16string_view text, MessageIcon icon, MessageButtons buttons) {
  if (answer) return answer(text, buttons);
  const QString message = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  return OnGuiThread([&] {
    QMessageBox box(window_);
    box.setWindowTitle(boxTitle ? boxTitle() : QString());
    box.setText(message);
    switch (icon) {
      case MessageIcon::information:
        box.setIcon(QMessageBox::Information);
        break;
      case MessageIcon::warning:
        box.setIcon(QMessageBox::Warning);
        break;
      case MessageIcon::error:
        box.setIcon(QMessageBox::Critical);
        break;
      case MessageIcon::question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
      case MessageButtons::ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
      case MessageButtons::yesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);  // a question's safe answer
        break;
      case MessageButtons::yesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // A message box sizes itself to its text alone; a strut in its grid
    // (laid out anew by each setter above) keeps the title whole as well.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
      grid->addItem(new QSpacerItem(WidthForTitle(box), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                    grid->rowCount(), 0, 1, grid->columnCount());
    }
    switch (box.exec()) {
      case QMessageBox::Yes:
        return MessageAnswer::yes;
      case QMessageBox::No:
        return MessageAnswer::no;
      case QMessageBox::Cancel:
        return MessageAnswer::cancel;
      default:
        return MessageAnswer::ok;
    }
  });
}

// Timers may be started from a worker thread (the re-check thread): the
// start is queued to the window's thread rather than waited for.
void QtWindowServices::Start(int id) {
  QMetaObject::invokeMethod(
      window_,
      [this, id] {
        QTimer*& timer = timers_[id];
        if (!timer) {
          timer = new QTimer(window_);
          timer->setInterval(100);
          QObject::connect(timer, &QTimer::timeout, window_, [this, id] {
            if (onTimer) onTimer(id);
          });
        }
        timer->start();
      },
      QThread::currentThread() == window_->thread() ? Qt::DirectConnection : Qt::QueuedConnection);
}

void QtWindowServices::Kill(int id) {
  OnGuiThread([&] {
    if (QTimer* timer = timers_[id]) timer->stop();
  });
}
