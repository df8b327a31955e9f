#include "app/ui/sound_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/platform/qt_placement.h"
#include "app/ui/dialog_entries.h"
#include "app/ui/file_chooser.h"
#include "app/ui/help_opener.h"
#include "effects/fireworks/fireworks_sounds.h"
#include "render/sound_output.h"

namespace pyxora {

SoundWindow::SoundWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("frmSoundFX");
  setWindowTitle("Fireworks Sound Effects");
  auto* top = new QVBoxLayout(this);

  chkSoundOn_ = new QCheckBox("Sound On", this);
  chkSoundOn_->setObjectName("chkSoundOn");
  top->addWidget(chkSoundOn_);

  auto* grid = new QGridLayout;
  top->addLayout(grid);
  grid->addWidget(new QLabel("Effect Type:", this), 0, 0, 1, 3);
  lstEffectType_ = new QListWidget(this);
  lstEffectType_->setObjectName("lstEffectType");
  for (const char* name : kFireSoundNames) lstEffectType_->addItem(name);
  lstEffectType_->setMinimumHeight(lstEffectType_->sizeHintForRow(0) * 9 + 2 * lstEffectType_->frameWidth() + 4);
  grid->addWidget(lstEffectType_, 1, 0, 1, 3);
  grid->addWidget(new QLabel("Sound File:", this), 2, 0);
  txtFile_ = new QLineEdit(this);
  txtFile_->setObjectName("txtFile");
  grid->addWidget(txtFile_, 2, 1);
  cmdFile_ = new QPushButton("&File...", this);
  cmdFile_->setObjectName("cmdFile");
  grid->addWidget(cmdFile_, 2, 2);

  lblNotes_ = new QLabel(QString::fromStdString(SoundNotesText()).replace("\r\n", "\n"), this);
  lblNotes_->setObjectName("lblNotes");
  top->addWidget(lblNotes_);

  auto* buttons = new QHBoxLayout;
  cmdPlay_ = new QPushButton("&Play", this);
  cmdPlay_->setObjectName("cmdPlay");
  auto* cmdDefaults = new QPushButton("&Defaults", this);
  cmdDefaults->setObjectName("cmdDefaults");
  auto* cmdHelp = new QPushButton("&Help", this);
  cmdHelp->setObjectName("cmdHelp");
  auto* cmdOK = new QPushButton("OK", this);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setDefault(true);
  auto* cmdDismiss = new QPushButton("Cancel", this);
  cmdDismiss->setObjectName("cmdDismiss");
  for (QPushButton* b : {cmdPlay_, cmdDefaults, cmdHelp}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdDismiss);
  top->addLayout(buttons);

  play = [](const std::string& path) { PlaySoundFile(path); };
  chooseFile = [](QWidget* owner) {
    FileChooserSetup setup;
    setup.openMode = true;
    setup.templateMode = false;
    setup.title = kAudioChooserTitle;
    setup.filter = kAudioChooserFilter;
    setup.defaultExtension = "wav";
    return ShowFileDialog(owner, setup);
  };
  showMessage = [this](const QString& text) { QMessageBox::information(this, "Pyxora", text); };

  // The selection, not the current row: a list given the focus makes its first row
  // current without selecting it.
  connect(lstEffectType_, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> chosen = lstEffectType_->selectedItems();
    SelectItem(chosen.isEmpty() ? -1 : lstEffectType_->row(chosen.front()));
  });
  connect(lstEffectType_, &QListWidget::itemDoubleClicked, this, [this] { play(txtFile_->text().toStdString()); });
  connect(cmdPlay_, &QPushButton::clicked, this, &SoundWindow::Play);
  connect(cmdFile_, &QPushButton::clicked, this, &SoundWindow::ChooseFile);
  connect(cmdDefaults, &QPushButton::clicked, this, &SoundWindow::Defaults);
  connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, kSoundHelpContext); });
  connect(cmdOK, &QPushButton::clicked, this, &SoundWindow::Ok);
  connect(cmdDismiss, &QPushButton::clicked, this, &QDialog::reject);
  connect(chkSoundOn_, &QCheckBox::toggled, this, &SoundWindow::UpdateEnabled);
  lstEffectType_->installEventFilter(this);
  txtFile_->installEventFilter(this);

  form_.Load();
  chkSoundOn_->setChecked(form_.SoundOn());
  UpdateEnabled();
  adjustSize();
  RestorePlacement(*this, kSoundPlacement, false);
}

void SoundWindow::UpdateEnabled() {
  const bool on = chkSoundOn_->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(lstEffectType_), static_cast<QWidget*>(txtFile_),
                     static_cast<QWidget*>(cmdPlay_), static_cast<QWidget*>(cmdFile_)})
    w->setEnabled(on);
}

void SoundWindow::SelectItem(int index) {
  txtFile_->setText(QString::fromStdString(form_.Select(index, txtFile_->text().toStdString())));
}

void SoundWindow::Play() {
  if (form_.Selected() < 0) {
    showMessage(kSelectEffectTypeMessage);
    lstEffectType_->setFocus();
    return;
  }
  play(txtFile_->text().toStdString());
}

void SoundWindow::ChooseFile() {
  if (form_.Selected() < 0) {
    showMessage(kSelectEffectTypeMessage);
    lstEffectType_->setFocus();
    return;
  }
  const QString path = chooseFile(this);
  if (!path.isEmpty()) txtFile_->setText(path);
}

void SoundWindow::Defaults() { chkSoundOn_->setChecked(false); }

void SoundWindow::Ok() {
  form_.SetSoundOn(chkSoundOn_->isChecked());
  form_.Save(txtFile_->text().toStdString());
  accept();
}

bool SoundWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    txtFile_->clear();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void SoundWindow::done(int result) {
  SavePlacement(*this, kSoundPlacement);
  QDialog::done(result);
}

void ShowSoundSettings(QWidget* owner) {
  SoundWindow window(owner);
  window.exec();
}

}  // namespace pyxora
