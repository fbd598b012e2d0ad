#include "shell/qt/memory_dialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include "shell/qt/qt_text.h"

class CDlgMemData::Window : public MemoryDialogWindow {
 public:
  explicit Window(CDlgMemData& dialog) : dialog_(dialog) {}

  void SetRange(int id, int maximum) override {
    if (auto* bar = qobject_cast<QProgressBar*>(dialog_.Control(id))) bar->setRange(0, maximum);
  }
  void SetPosition(int id, int position) override {
    if (auto* bar = qobject_cast<QProgressBar*>(dialog_.Control(id))) bar->setValue(position);
  }
  std::optional<std::u16string> ChooseFolder(std::u16string_view title, std::u16string_view start) override {
    std::optional<QString> chosen;
    if (dialog_.chooseFolder) {
      chosen = dialog_.chooseFolder(Q(title), Q(start));
    } else {
      const QString folder = QFileDialog::getExistingDirectory(&dialog_, Q(title), Q(start), QFileDialog::ShowDirsOnly);
      if (!folder.isEmpty()) chosen = folder;
    }
    if (!chosen) return std::nullopt;
    return chosen->toStdU16String();
  }
  void End(bool accepted) override { dialog_.done(accepted ? QDialog::Accepted : QDialog::Rejected); }

 private:
  CDlgMemData& dialog_;
};

CDlgMemData::CDlgMemData(QWidget* parent, Settings& settings, int language)
    : QDialog(parent),
      window_(std::make_unique<Window>(*this)),
      services_(this),
      logic_({controls_, *window_, services_, services_, settings, language}) {
  using namespace memory_control;
  controls_.Register(kCaption, this);
  auto add = [this](int id, QWidget* widget) {
    controls_.Register(id, widget);
    return widget;
  };
  auto* group = static_cast<QGroupBox*>(add(kGroup, new QGroupBox(this)));
  auto* folder = static_cast<QLineEdit*>(add(kFolder, new QLineEdit(group)));
  folder->setReadOnly(true);
  auto* browse = static_cast<QPushButton*>(add(kBrowse, new QPushButton(group)));
  browse->setAutoDefault(false);
  auto* name = static_cast<QLineEdit*>(add(kFileName, new QLineEdit(group)));
  name->setAlignment(Qt::AlignRight);
  auto* destination = new QGridLayout(group);
  destination->addWidget(add(kFolderLabel, new QLabel(group)), 0, 0);
  destination->addWidget(folder, 0, 1);
  destination->addWidget(browse, 0, 2);
  destination->addWidget(add(kFileNameLabel, new QLabel(group)), 1, 0);
  destination->addWidget(name, 1, 1);
  destination->addWidget(new QLabel(QStringLiteral(".csv"), group), 1, 2);
  destination->setColumnStretch(1, 1);

  auto* progress = static_cast<QProgressBar*>(add(kProgress, new QProgressBar(this)));
  progress->setTextVisible(false);
  auto* ring = static_cast<QProgressBar*>(add(kRingBar, new QProgressBar(this)));
  ring->setTextVisible(false);
  ring->setMaximumHeight(8);
  auto* count = static_cast<QLabel*>(add(kCount, new QLabel(this)));
  count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* times = new QHBoxLayout;
  for (const int id : {kRemainLabel, kRemain, kElapsedLabel, kElapsed}) times->addWidget(add(id, new QLabel(this)));
  times->addStretch(1);
  times->addWidget(count);

  auto* ok = static_cast<QPushButton*>(add(kOk, new QPushButton(this)));
  ok->setDefault(true);
  auto* cancel = static_cast<QPushButton*>(add(kCancel, new QPushButton(this)));
  cancel->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(add(kStatus, new QLabel(this)));
  layout->addWidget(progress);
  layout->addLayout(times);
  layout->addWidget(ring);
  layout->addLayout(buttons);
  setMinimumWidth(420);

  services_.boxTitle = [] { return QStringLiteral("Quorvia for RV7300s"); };
  services_.onMessage = [this](int n, std::intptr_t parameter) { logic_.OnMessage(n, parameter); };
  connect(browse, &QPushButton::clicked, this, [this] { logic_.OnBrowse(); });
  connect(ok, &QPushButton::clicked, this, [this] { logic_.OnOk(); });
  connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
  logic_.OnInitDialog();
}

CDlgMemData::~CDlgMemData() {
  // A thread may be waiting for its report to be handled here: serve the
  // reports (now ignored) until both threads have gone.
  logic_.Abandon();
  while (logic_.Download().Running()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
}

QWidget* CDlgMemData::Control(int id) const { return controls_.Widget(id); }

void CDlgMemData::reject() { logic_.OnCancel(); }
