// frmSoundFX: which wave file each fireworks event plays, and whether sounds are on.
// Edits are kept per item while the user moves through the list; OK stores them all.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <functional>

#include "host/sound_form.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace pyxora {

inline constexpr const char* kSoundPlacement = "General\\SoundFX";

class SoundWindow : public QDialog {
  Q_OBJECT
 public:
  explicit SoundWindow(QWidget* parent = nullptr);

  // Plays a file at once (the sound output by default).
  std::function<void(const std::string&)> play;
  // Asks for a WAV file; empty when cancelled (a file dialog by default).
  std::function<QString(QWidget*)> chooseFile;
  std::function<void(const QString&)> showMessage;

  // The list's selection moved to `index` (-1: none): the earlier item keeps its edit.
  void SelectItem(int index);
  void Play();
  void ChooseFile();
  void Ok();
  void Defaults();
  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateEnabled();

  SoundForm form_;
  QListWidget* lstEffectType_ = nullptr;
  QLineEdit* txtFile_ = nullptr;
  QCheckBox* chkSoundOn_ = nullptr;
  QLabel* lblNotes_ = nullptr;
  QPushButton *cmdPlay_ = nullptr, *cmdFile_ = nullptr;
};

}  // namespace pyxora
