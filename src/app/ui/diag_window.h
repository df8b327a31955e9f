// frmSystemDiag: the figures that tell whether this machine can run the saver.
#pragma once

#include <QDialog>

class QLineEdit;
class QLabel;

namespace pyxora {

class PictureBox;

inline constexpr const char* kDiagPlacement = "General\\SystemDiag";

class DiagnosticsWindow : public QDialog {
  Q_OBJECT
 public:
  explicit DiagnosticsWindow(QWidget* parent = nullptr);
  QString WriteTestValue() const;
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* txtTest_ = nullptr;
  PictureBox* picTest_ = nullptr;
};

}  // namespace pyxora
