// frmAdvanced: the saver's behaviour, the effects it cycles through, the on-screen
// message and the display constants. Writes to the store only on OK.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "host/advanced_form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pyxora {

class NumberBox;
class Spinner;

inline constexpr const char* kAdvancedPlacement = "General\\Advanced";

class AdvancedWindow : public QDialog {
  Q_OBJECT
 public:
  explicit AdvancedWindow(QWidget* parent = nullptr);

  AdvancedFields Fields() const;
  void SetFields(const AdvancedFields& fields);
  // What the validation message does (a message box titled "Pyxora" by default).
  std::function<void(const QString&)> showMessage;

  void Ok();
  void Defaults();
  void done(int result) override;

 private:
  void FillFonts(const QString& selected);
  void UpdateSwatch(int box);
  QWidget* BoxRow(int index, const QString& label, QWidget* parent);

  std::array<NumberBox*, kAdvancedBoxCount> txtAdv_{};
  std::array<QCheckBox*, kEffectBoxCount> chkEffect_{};
  QCheckBox *chkBackGr_ = nullptr, *chkMouseM_ = nullptr, *chkResize_ = nullptr, *chkCycle_ = nullptr;
  QGroupBox* fraEffects_ = nullptr;
  QLineEdit* txtMessage_ = nullptr;
  QComboBox* cboFont_ = nullptr;
  QLabel *picHueStart_ = nullptr, *picFontHue_ = nullptr;
};

}  // namespace pyxora
