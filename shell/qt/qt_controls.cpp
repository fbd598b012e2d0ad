#include "shell/qt/qt_controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "shell/qt/gui_thread.h"
#include "shell/qt/qt_text.h"

namespace {
std::u16string FromQString(const QString& text) { return text.toStdU16String(); }
}  // namespace

QWidget* QtControls::Widget(int id) const {
  const auto found = widgets_.find(id);
  return found == widgets_.end() ? nullptr : found->second;
}

void QtControls::SetText(int id, std::u16string_view text) {
  const QString value = Q(text);
  OnGuiThread([&] {
    QWidget* widget = Widget(id);
    if (auto* label = qobject_cast<QLabel*>(widget))
      label->setText(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
      button->setText(value);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
      group->setTitle(value);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
      edit->setText(value);
    else if (widget && widget->isWindow())
      widget->setWindowTitle(value);
  });
}

std::u16string QtControls::Text(int id) const {
  return OnGuiThread([&] {
    QWidget* widget = Widget(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) return FromQString(label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return FromQString(button->text());
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return FromQString(group->title());
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return FromQString(edit->text());
    if (widget && widget->isWindow()) return FromQString(widget->windowTitle());
    return std::u16string();
  });
}

void QtControls::Enable(int id, bool enabled) {
  OnGuiThread([&] {
    if (QWidget* widget = Widget(id)) widget->setEnabled(enabled);
  });
}

void QtControls::Show(int id, bool shown) {
  OnGuiThread([&] {
    if (QWidget* widget = Widget(id)) widget->setVisible(shown);
  });
}

// The lists change under the program's hand here: no selection signal, as
// a window message filling a combo raises no notification either.
void QtControls::ClearList(int id) {
  OnGuiThread([&] {
    if (auto* combo = qobject_cast<QComboBox*>(Widget(id))) {
      const QSignalBlocker quiet(combo);
      combo->clear();
    }
  });
}

void QtControls::AddListItem(int id, std::u16string_view text) {
  const QString value = Q(text);
  OnGuiThread([&] {
    if (auto* combo = qobject_cast<QComboBox*>(Widget(id))) {
      const QSignalBlocker quiet(combo);
      combo->addItem(value);
    }
  });
}

void QtControls::SelectListItem(int id, int index) {
  OnGuiThread([&] {
    if (auto* combo = qobject_cast<QComboBox*>(Widget(id))) {
      const QSignalBlocker quiet(combo);
      combo->setCurrentIndex(index);
    }
  });
}

int QtControls::ListSelection(int id) const {
  return OnGuiThread([&] {
    auto* combo = qobject_cast<QComboBox*>(Widget(id));
    return combo ? combo->currentIndex() : -1;
  });
}

// Set by the program: no click signal, as the core itself made the change.
void QtControls::SetCheck(int id, bool checked) {
  OnGuiThread([&] {
    if (auto* button = qobject_cast<QAbstractButton*>(Widget(id))) button->setChecked(checked);
  });
}

bool QtControls::Checked(int id) const {
  return OnGuiThread([&] {
    auto* button = qobject_cast<QAbstractButton*>(Widget(id));
    return button && button->isChecked();
  });
}

void QtControls::Focus(int id) {
  OnGuiThread([&] {
    QWidget* widget = Widget(id);
    if (!widget) return;
    widget->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
  });
}

void QtControls::LimitText(int id, int characters) {
  OnGuiThread([&] {
    if (auto* edit = qobject_cast<QLineEdit*>(Widget(id))) edit->setMaxLength(characters);
  });
}
