// frmWelcome: shown on first use; offers the factory reset to users of an earlier version.
#pragma once

#include <QDialog>

namespace pyxora {

class WelcomeWindow : public QDialog {
  Q_OBJECT
 public:
  WelcomeWindow(bool earlierVersion, QWidget* parent = nullptr);
  bool ResetRequested() const { return reset_; }
  QString Text() const;

 private:
  bool reset_ = false;
  QString text_;
};

}  // namespace pyxora
