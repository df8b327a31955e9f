// frmFileIO: the program's own file chooser. In template mode it also loads or saves
// the template itself and remembers the folder last used.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "host/file_choice.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;

namespace pyxora {

struct PropertiesModel;

struct FileChooserSetup {
  bool openMode = true;      // the file must exist
  bool templateMode = false; // load or save a template on OK
  QString title = "Select Template File";
  QString filter;            // "Description|pattern|..." pairs, each followed by "|"
  QString defaultExtension;  // without the dot
  PropertiesModel* props = nullptr;  // what a template is loaded into or saved from
};


class FileChooser : public QDialog {
  Q_OBJECT

 public:
  explicit FileChooser(const FileChooserSetup& setup, QWidget* parent = nullptr);

  QString ChosenPath() const { return chosen_; }
  QString Folder() const { return folder_; }
  // Moves the folder and file lists; a folder that cannot be read leaves them where they were.
  bool ChangeFolder(const QString& folder);
  // How the three messages reach the user (a message box titled "Pyxora" by default).
  std::function<void(const QString& text)> showMessage;

  void done(int result) override;

 private:
  void Accept();
  void ChooseDrive(int index);
  void ChooseType(int index);
  void FolderActivated(QListWidgetItem* item);
  void FillDrives();
  void FillFiles();
  void Remember(const QString& path);
  void Tell(const char* text);

  FileChooserSetup setup_;
  QString folder_;
  QString chosen_;
  QComboBox* drvTemp_ = nullptr;
  QListWidget* dirTemp_ = nullptr;
  QListWidget* filTemp_ = nullptr;
  QLineEdit* txtFile_ = nullptr;
  QComboBox* cboTypes_ = nullptr;
  QComboBox* cboFilter_ = nullptr;
  QLabel* lblStatus_ = nullptr;
  QProgressBar* picStatus_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdDismiss_ = nullptr;
  QPushButton* cmdHelp_ = nullptr;
};

// Shows the chooser modally; the chosen path, or an empty text when cancelled.
QString ShowFileDialog(QWidget* owner, const FileChooserSetup& setup);

}  // namespace pyxora
