#include "app/ui/file_chooser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "app/platform/qt_placement.h"
#include "app/ui/help_opener.h"
#include "host/help_topics.h"
#include "host/templates.h"
#include "settings/settings.h"
#include "settings/template_file.h"

namespace pyxora {

namespace {

constexpr const char* kPlacementSection = "General\\Template";
constexpr const char* kParentEntry = "..";

QString DriveOf(const QString& folder) {
  const QStorageInfo storage(folder);
  return storage.isValid() ? storage.rootPath() : QStringLiteral("/");
}

QString Joined(const QString& folder, const QString& name) {
  if (name.startsWith('/')) return QDir::cleanPath(name);
  return QDir::cleanPath(folder + '/' + name);
}

std::string Text(const QString& text) { return text.toStdString(); }

}  // namespace

FileChooser::FileChooser(const FileChooserSetup& setup, QWidget* parent) : QDialog(parent), setup_(setup) {
  setObjectName("frmFileIO");
  setWindowTitle(setup.title.isEmpty() ? QStringLiteral("Select Template File") : setup.title);
  showMessage = [this](const QString& text) { QMessageBox::information(this, "Pyxora", text); };

  txtFile_ = new QLineEdit;
  txtFile_->setObjectName("txtFile");
  filTemp_ = new QListWidget;
  filTemp_->setObjectName("filTemp");
  drvTemp_ = new QComboBox;
  drvTemp_->setObjectName("drvTemp");
  dirTemp_ = new QListWidget;
  dirTemp_->setObjectName("dirTemp");
  cboTypes_ = new QComboBox;
  cboTypes_->setObjectName("cboTypes");
  cboFilter_ = new QComboBox;
  cboFilter_->setObjectName("cboFilter");
  cboFilter_->hide();
  lblStatus_ = new QLabel("Loading Status:");
  lblStatus_->setObjectName("lblStatus");
  picStatus_ = new QProgressBar;
  picStatus_->setObjectName("picStatus");
  picStatus_->setRange(0, 100);
  picStatus_->setValue(0);
  picStatus_->setTextVisible(false);
  cmdOK_ = new QPushButton("OK");
  cmdOK_->setObjectName("cmdOK");
  cmdOK_->setDefault(true);
  cmdDismiss_ = new QPushButton("Cancel");
  cmdDismiss_->setObjectName("cmdDismiss");
  cmdHelp_ = new QPushButton("&Help");
  cmdHelp_->setObjectName("cmdHelp");
  auto* folderLabel = new QLabel;
  folderLabel->setObjectName("lblFolder");

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel("File name:"), 0, 0);
  grid->addWidget(new QLabel("Drive / Directory:"), 0, 1);
  grid->addWidget(txtFile_, 1, 0);
  grid->addWidget(drvTemp_, 1, 1);
  grid->addWidget(filTemp_, 2, 0, 2, 1);
  grid->addWidget(folderLabel, 2, 1);
  grid->addWidget(dirTemp_, 3, 1);
  grid->addWidget(new QLabel("List Files of Type:"), 4, 0);
  grid->addWidget(cboTypes_, 5, 0);
  grid->addWidget(lblStatus_, 4, 1);
  grid->addWidget(picStatus_, 5, 1);
  grid->addWidget(cboFilter_, 6, 0);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(cmdOK_);
  buttons->addWidget(cmdDismiss_);
  buttons->addWidget(cmdHelp_);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addLayout(buttons);
  resize(560, 360);

  for (const FileType& type : SplitFileFilter(setup.filter.toStdString())) {
    cboTypes_->addItem(QString::fromStdString(type.description));
    cboFilter_->addItem(QString::fromStdString(type.pattern));
  }

  connect(cmdOK_, &QPushButton::clicked, this, &FileChooser::Accept);
  connect(cmdDismiss_, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp_, &QPushButton::clicked, this, [this] { ShowHelp(this, kHelpFileChooser); });
  connect(cboTypes_, &QComboBox::currentIndexChanged, this, &FileChooser::ChooseType);
  connect(drvTemp_, &QComboBox::activated, this, &FileChooser::ChooseDrive);
  connect(dirTemp_, &QListWidget::itemActivated, this, &FileChooser::FolderActivated);
  connect(filTemp_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item) txtFile_->setText(item->text());
  });
  connect(filTemp_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    txtFile_->setText(item->text());
    Accept();
  });

  RestorePlacement(*this, kPlacementSection);
  FillDrives();
  const QString dir = QString::fromStdString(RememberedTemplateFolder());
  if (dir.isEmpty() || !ChangeFolder(dir))
    if (!ChangeFolder(QDir::homePath())) ChangeFolder(QDir::rootPath());
  cboTypes_->setCurrentIndex(0);
  ChooseType(0);
}

void FileChooser::FillDrives() {
  drvTemp_->clear();
  drvTemp_->addItem("/");
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    if (drvTemp_->findText(volume.rootPath()) < 0) drvTemp_->addItem(volume.rootPath());
  }
}

bool FileChooser::ChangeFolder(const QString& folder) {
  const QFileInfo info(folder);
  if (!info.isDir() || !info.isReadable() || !info.isExecutable()) return false;
  const QDir dir(info.absoluteFilePath());
  const QStringList subfolders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  folder_ = QDir::cleanPath(dir.absolutePath());
  dirTemp_->clear();
  if (folder_ != "/") dirTemp_->addItem(kParentEntry);
  dirTemp_->addItems(subfolders);
  if (auto* label = findChild<QLabel*>("lblFolder")) label->setText(folder_);
  const QString drive = DriveOf(folder_);
  int index = drvTemp_->findText(drive);
  if (index < 0) {
    drvTemp_->addItem(drive);
    index = drvTemp_->count() - 1;
  }
  drvTemp_->setCurrentIndex(index);
  FillFiles();
  return true;
}

void FileChooser::FillFiles() {
  filTemp_->clear();
  if (folder_.isEmpty()) return;
  QStringList patterns;
  for (const QString& pattern : cboFilter_->currentText().split(';', Qt::SkipEmptyParts))
    patterns << (pattern.trimmed() == "*.*" ? QStringLiteral("*") : pattern.trimmed());
  filTemp_->addItems(QDir(folder_).entryList(patterns, QDir::Files, QDir::Name));
}

void FileChooser::ChooseDrive(int index) {
  if (!ChangeFolder(drvTemp_->itemText(index))) drvTemp_->setCurrentIndex(drvTemp_->findText(DriveOf(folder_)));
}

void FileChooser::ChooseType(int index) {
  cboFilter_->setCurrentIndex(index);
  FillFiles();
}

void FileChooser::FolderActivated(QListWidgetItem* item) {
  if (!item) return;
  const QString target = item->text() == kParentEntry ? QFileInfo(folder_).absolutePath() : Joined(folder_, item->text());
  ChangeFolder(target);
}

void FileChooser::Tell(const char* text) {
  if (showMessage) showMessage(QString::fromUtf8(text));
}

void FileChooser::Remember(const QString& path) { RememberTemplateFolder(Text(QFileInfo(path).absoluteFilePath())); }

void FileChooser::Accept() {
  const bool templates = setup_.templateMode && setup_.props;
  picStatus_->setValue(0);
  const FileChoice choice = ChooseFile(setup_.openMode, Text(folder_), Text(txtFile_->text()),
                                       Text(setup_.defaultExtension),
                                       [](const std::string& path) { return QFileInfo(QString::fromStdString(path)).isFile(); });
  if (choice.message) {
    Tell(choice.message);
    return;
  }
  const QString path = QString::fromStdString(choice.path);
  if (setup_.openMode) {
    if (templates) {
      if (!LoadTemplate(*setup_.props, Text(path)).ok) {
        Tell(kExistingFileMessage);
        return;
      }
      gTemplate.TemplatePath = Text(path);
      picStatus_->setValue(100);
      Remember(path);
    }
    chosen_ = path;
    accept();
    return;
  }
  if (templates) {
    // The old template is replaced only by a complete new one.
    if (!SaveTemplate(*setup_.props, Text(path))) {
      Tell(kValidPathMessage);
      return;
    }
    gTemplate.TemplatePath = Text(path);
    picStatus_->setValue(100);
    Remember(path);
  } else {
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir() || !folder.isWritable() || QFileInfo(path).isDir()) {
      Tell(kValidPathMessage);
      return;
    }
  }
  chosen_ = path;
  accept();
}

void FileChooser::done(int result) {
  SavePlacement(*this, kPlacementSection);
  QDialog::done(result);
}

QString ShowFileDialog(QWidget* owner, const FileChooserSetup& setup) {
  FileChooser chooser(setup, owner);
  return chooser.exec() == QDialog::Accepted ? chooser.ChosenPath() : QString();
}

}  // namespace pyxora
