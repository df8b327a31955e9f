#include "app/ui/advanced_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/platform/qt_placement.h"
#include "app/ui/dialog_entries.h"
#include "app/ui/help_opener.h"
#include "app/ui/number_box.h"
#include "app/ui/window_helpers.h"
#include "base/number_text.h"
#include "host/help_topics.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/text_helpers.h"

namespace pyxora {
namespace {

bool IsDecimal(int index) {
  const AdvancedBoxRule* rule = FindAdvancedBox(index);
  return rule && rule->kind == static_cast<int>(TextBoxKind::Single);
}

}  // namespace

QWidget* AdvancedWindow::BoxRow(int index, const QString& label, QWidget* parent) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* caption = new QLabel(label, row);
  auto* box = new NumberBox("txtAdv", index, row);
  box->setFixedWidth(64);
  caption->setBuddy(box);
  layout->addWidget(caption, 1);
  layout->addWidget(box);
  txtAdv_[static_cast<size_t>(index)] = box;
  const AdvancedBoxRule* rule = FindAdvancedBox(index);
  if (!rule) return row;
  const bool decimal = IsDecimal(index);
  box->SetDecimal(decimal);
  box->SetLostFocusRule([index](const std::string& text) { return ClampAdvancedBox(index, text); });
  box->SetArrowRule([rule, decimal](const std::string& text, int direction) -> std::optional<std::string> {
    const double step = decimal ? 0.1 : 1.0;
    return ClampTextBox(FormatNumber(ValOfBoxText(text) + direction * step), rule->kind, rule->lo, rule->hi);
  });
  if (decimal) {
    box->setMaxLength(6);
  } else {
    auto* spinner = new Spinner(row);
    spinner->setObjectName(QString("spnAdv_%1").arg(index));
    // Five digits, so a value typed past the range is pulled back on leaving, not cut short.
    BindSpinner(*box, *spinner, static_cast<int>(rule->lo), static_cast<int>(rule->hi), 5);
    spinner->Follow(*box);
    layout->addWidget(spinner);
  }
  return row;
}

AdvancedWindow::AdvancedWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAdvanced");
  setWindowTitle("Advanced Settings");
  auto* top = new QVBoxLayout(this);

  auto* columns = new QHBoxLayout;
  top->addLayout(columns);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);

  // Behaviour and the effects to cycle through.
  auto* fraGeneral = new QGroupBox("Screen Saver", this);
  auto* general = new QVBoxLayout(fraGeneral);
  chkBackGr_ = new QCheckBox("Display in background (double-click to stop)", fraGeneral);
  chkBackGr_->setObjectName("chkBackGr");
  chkMouseM_ = new QCheckBox("Ignore mouse moves in screen saver mode", fraGeneral);
  chkMouseM_->setObjectName("chkMouseM");
  chkResize_ = new QCheckBox("Window can be resized (EXE version only)", fraGeneral);
  chkResize_->setObjectName("chkResize");
  chkCycle_ = new QCheckBox("Cycle through Effects", fraGeneral);
  chkCycle_->setObjectName("chkCycle");
  for (QWidget* w : {static_cast<QWidget*>(chkBackGr_), static_cast<QWidget*>(chkMouseM_),
                     static_cast<QWidget*>(chkResize_), static_cast<QWidget*>(chkCycle_)})
    general->addWidget(w);
  left->addWidget(fraGeneral);

  fraEffects_ = new QGroupBox("Include the following Effects", this);
  fraEffects_->setObjectName("fraEffects");
  auto* effects = new QGridLayout(fraEffects_);
  const std::array<std::pair<int, const char*>, 5> names = {{{0, "Fireworks / All Themes:"},
                                                             {2, "B-Spline Warp:"},
                                                             {3, "B-Spline Sparklers:"},
                                                             {4, "Stars and Gravity Wells:"},
                                                             {5, "Galaxies / All Themes:"}}};
  int row = 0;
  for (const auto& [index, name] : names) {
    auto* box = new QCheckBox(name, fraEffects_);
    box->setObjectName(QString("chkEffect_%1").arg(index));
    chkEffect_[static_cast<size_t>(index)] = box;
    effects->addWidget(box, row, 0);
    const int themes = index == 0 ? 6 : (index == 5 ? 7 : -1);
    if (themes > 0) {
      auto* all = new QCheckBox("All Themes", fraEffects_);
      all->setObjectName(QString("chkEffect_%1").arg(themes));
      chkEffect_[static_cast<size_t>(themes)] = all;
      effects->addWidget(all, row, 1);
    }
    ++row;
  }
  effects->addWidget(BoxRow(kAdvFramesPerEffect, "Frames per Effect (100 - 30000):", fraEffects_), row, 0, 1, 2);
  left->addWidget(fraEffects_);
  connect(chkCycle_, &QCheckBox::toggled, fraEffects_, &QWidget::setEnabled);

  auto* fraPerf = new QGroupBox("Performance", this);
  auto* perf = new QVBoxLayout(fraPerf);
  perf->addWidget(BoxRow(kAdvPerfMult, "Performance Multiplier (0.1 - 9.9):", fraPerf));
  auto* hueRow = BoxRow(kAdvHueStart, "Initial Hue Wheel: (0 - 359):", fraPerf);
  picHueStart_ = new QLabel(hueRow);
  picHueStart_->setObjectName("picHueStart");
  picHueStart_->setFixedSize(22, 22);
  picHueStart_->setAutoFillBackground(true);
  hueRow->layout()->addWidget(picHueStart_);
  perf->addWidget(hueRow);
  left->addWidget(fraPerf);
  left->addStretch(1);

  // The on-screen message.
  auto* fraMessage = new QGroupBox("On Screen Message", this);
  auto* message = new QGridLayout(fraMessage);
  message->addWidget(new QLabel("Text:", fraMessage), 0, 0);
  txtMessage_ = new QLineEdit(fraMessage);
  txtMessage_->setObjectName("txtMessage");
  txtMessage_->setMaxLength(127);
  message->addWidget(txtMessage_, 0, 1);
  message->addWidget(new QLabel("Font:", fraMessage), 1, 0);
  cboFont_ = new QComboBox(fraMessage);
  cboFont_->setObjectName("cboFont");
  cboFont_->setMaxVisibleItems(16);
  cboFont_->setMinimumContentsLength(16);
  cboFont_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  message->addWidget(cboFont_, 1, 1);
  message->addWidget(BoxRow(kAdvFontSize, "Size:", fraMessage), 2, 0, 1, 2);
  auto* fontHueRow = BoxRow(kAdvFontHue, "Text Hue (0 - 359):", fraMessage);
  picFontHue_ = new QLabel(fontHueRow);
  picFontHue_->setObjectName("picFontHue");
  picFontHue_->setFixedSize(22, 22);
  picFontHue_->setAutoFillBackground(true);
  fontHueRow->layout()->addWidget(picFontHue_);
  message->addWidget(fontHueRow, 3, 0, 1, 2);
  right->addWidget(fraMessage);

  auto* fraDisplay = new QGroupBox("Display Enhancement", this);
  auto* display = new QVBoxLayout(fraDisplay);
  display->addWidget(BoxRow(kAdvFocalLength, "Focal length distance (0.01 - 10.0):", fraDisplay));
  display->addWidget(BoxRow(kAdvFrameDelay, "Frame delay in milliseconds (0 - 999):", fraDisplay));
  right->addWidget(fraDisplay);
  right->addStretch(1);

  connect(txtAdv_[kAdvHueStart], &QLineEdit::textChanged, this, [this] { UpdateSwatch(kAdvHueStart); });
  connect(txtAdv_[kAdvFontHue], &QLineEdit::textChanged, this, [this] { UpdateSwatch(kAdvFontHue); });

  auto* buttons = new QHBoxLayout;
  auto* cmdOK = new QPushButton("OK", this);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setDefault(true);
  auto* cmdDismiss = new QPushButton("Cancel", this);
  cmdDismiss->setObjectName("cmdDismiss");
  auto* cmdDefaults = new QPushButton("&Defaults", this);
  cmdDefaults->setObjectName("cmdDefaults");
  auto* cmdHelp = new QPushButton("&Help", this);
  cmdHelp->setObjectName("cmdHelp");
  buttons->addWidget(cmdDefaults);
  buttons->addWidget(cmdHelp);
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdDismiss);
  top->addLayout(buttons);
  connect(cmdOK, &QPushButton::clicked, this, &AdvancedWindow::Ok);
  connect(cmdDismiss, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdDefaults, &QPushButton::clicked, this, &AdvancedWindow::Defaults);
  connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, kHelpAdvanced); });

  showMessage = [this](const QString& text) { QMessageBox::information(this, "Pyxora", text); };

  const AdvancedFields fields = LoadAdvancedFields();
  FillFonts(QString::fromStdString(fields.fontName));
  SetFields(fields);
  adjustSize();
  RestorePlacement(*this, kAdvancedPlacement, false);
}

void AdvancedWindow::FillFonts(const QString& selected) {
  cboFont_->clear();
  for (const QString& family : QFontDatabase::families())
    if (!QFontDatabase::isPrivateFamily(family)) cboFont_->addItem(family);
  // A stored font that is not installed stays selectable, so OK does not change it.
  if (cboFont_->findText(selected, Qt::MatchFixedString) < 0) cboFont_->insertItem(0, selected);
}

void AdvancedWindow::UpdateSwatch(int box) {
  QLabel* swatch = box == kAdvHueStart ? picHueStart_ : picFontHue_;
  const auto hue = static_cast<int16_t>(
      ValOfBoxText(ClampAdvancedBox(box, txtAdv_[static_cast<size_t>(box)]->text().toStdString())));
  const uint32_t c = HueToRgb(hue, 55, 100, 100, 100);
  QPalette palette = swatch->palette();
  palette.setColor(QPalette::Window, QColor(RedOf(c), GreenOf(c), BlueOf(c)));
  swatch->setPalette(palette);
}

AdvancedFields AdvancedWindow::Fields() const {
  AdvancedFields f;
  for (size_t i = 0; i < txtAdv_.size(); ++i)
    if (txtAdv_[i]) f.txtAdv[i] = txtAdv_[i]->text().toStdString();
  f.message = txtMessage_->text().toStdString();
  f.fontName = cboFont_->currentText().toStdString();
  f.backGround = chkBackGr_->isChecked();
  f.mouseMove = chkMouseM_->isChecked();
  f.resize = chkResize_->isChecked();
  f.cycle = chkCycle_->isChecked();
  for (size_t i = 0; i < chkEffect_.size(); ++i) f.effects[i] = chkEffect_[i] && chkEffect_[i]->isChecked();
  return f;
}

void AdvancedWindow::SetFields(const AdvancedFields& f) {
  for (size_t i = 0; i < txtAdv_.size(); ++i)
    if (txtAdv_[i]) txtAdv_[i]->setText(QString::fromStdString(f.txtAdv[i]));
  txtMessage_->setText(QString::fromStdString(f.message));
  const QString font = QString::fromStdString(f.fontName);
  int at = cboFont_->findText(font, Qt::MatchFixedString);
  if (at < 0) {
    cboFont_->insertItem(0, font);
    at = 0;
  }
  cboFont_->setCurrentIndex(at);
  chkBackGr_->setChecked(f.backGround);
  chkMouseM_->setChecked(f.mouseMove);
  chkResize_->setChecked(f.resize);
  chkCycle_->setChecked(f.cycle);
  fraEffects_->setEnabled(f.cycle);
  for (size_t i = 0; i < chkEffect_.size(); ++i)
    if (chkEffect_[i]) chkEffect_[i]->setChecked(f.effects[i]);
  UpdateSwatch(kAdvHueStart);
  UpdateSwatch(kAdvFontHue);
}

void AdvancedWindow::Ok() {
  // The box being edited is clamped as it loses the focus.
  if (auto* box = qobject_cast<NumberBox*>(focusWidget())) box->ApplyLostFocus();
  if (auto* ok = findChild<QPushButton*>("cmdOK")) ok->setFocus();
  QCoreApplication::processEvents();
  if (auto message = SaveAdvancedFields(Fields())) {
    showMessage(QString::fromStdString(*message));
    return;
  }
  accept();
}

void AdvancedWindow::Defaults() {
  AdvancedFields f = Fields();
  ApplyAdvancedDefaults(f);
  SetFields(f);
}

void AdvancedWindow::done(int result) {
  SavePlacement(*this, kAdvancedPlacement);
  QDialog::done(result);
}

void ShowAdvancedSettings(QWidget* owner) {
  AdvancedWindow window(owner);
  window.exec();
}

}  // namespace pyxora
