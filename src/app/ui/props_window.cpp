#include "app/ui/props_window.h"

#include "app/ui/dialog_entries.h"
#include "app/ui/help_opener.h"

#include <QApplication>
#include <algorithm>
#include <filesystem>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/platform/qt_frame_host.h"
#include "app/platform/qt_placement.h"
#include "app/ui/file_chooser.h"
#include "app/ui/number_box.h"
#include "app/ui/preview_box.h"
#include "app/ui/window_helpers.h"
#include "effects/effect_table.h"
#include "host/properties_fields.h"
#include "host/first_run.h"
#include "host/properties_preview.h"
#include "host/templates.h"
#include "host/startup.h"
#include "render/canvas.h"
#include "render/frame_host.h"
#include "render/saver_state.h"
#include "settings/template_file.h"

namespace pyxora {
namespace {

QString Plain(const char* text) { return QString::fromUtf8(text).remove('\r'); }

// The welcome reset's backup holds the only copy of the settings it replaced.
bool IsWelcomeBackup(const std::string& path) {
  const std::filesystem::path backup = WelcomeBackupPath();
  std::error_code error;
  return std::filesystem::path(path).lexically_normal() == backup.lexically_normal() ||
         std::filesystem::equivalent(path, backup, error);
}

void PaintSwatch(QFrame* swatch, uint32_t colour) {
  if (!swatch) return;
  QPalette palette = swatch->palette();
  palette.setColor(QPalette::Window, QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
  swatch->setPalette(palette);
}

}  // namespace

PropertiesServices DefaultPropertiesServices() {
  PropertiesServices services;
  services.firstRun = [](QWidget* owner, PropertiesModel& props) { RunFirstRunLogic(props, WelcomeWindowOver(owner)); };
  services.applyFactoryDefaults = ApplyFactoryDefaults;
  services.saveTemplate = [](const PropertiesModel& props) { return SaveTemplate(props); };
  services.currentTemplate = [] { return gTemplate.TemplatePath; };
  services.showSounds = ShowSoundSettings;
  services.showAdvanced = ShowAdvancedSettings;
  services.showDiagnostics = ShowSystemDiagnostics;
  services.showAbout = ShowAbout;
  services.showHelp = ShowHelp;
  services.openHomePage = OpenHomePage;
  return services;
}

PropsWindow::PropsWindow(PropertiesServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
  setObjectName("frmProps");
  setWindowTitle(kPropertiesCaption);
  BuildWindow();
}

PropsWindow::~PropsWindow() = default;

void PropsWindow::BuildWindow() {
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QMenuBar;
  BuildMenus(*bar);
  layout->setMenuBar(bar);

  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  auto* effectRow = new QHBoxLayout;
  auto* lblEffects = new QLabel("Effect:");
  lblEffects->setObjectName("lblEffects");
  cboAniType_ = new QComboBox;
  cboAniType_->setObjectName("cboAniType");
  for (const EffectEntry& effect : Effects()) cboAniType_->addItem(effect.name);
  lblEffects->setBuddy(cboAniType_);
  effectRow->addWidget(lblEffects);
  effectRow->addWidget(cboAniType_, 1);
  left->addLayout(effectRow);

  frames_ = new QStackedWidget;
  const std::vector<EffectFrameLayout>& layouts = EffectFrameLayouts();
  for (size_t effect = 0; effect < fraAni_.size() && effect < layouts.size(); ++effect)
    fraAni_[effect] = BuildFrame(static_cast<int>(effect), layouts[effect]);
  for (QGroupBox* frame : fraAni_) frames_->addWidget(frame);
  left->addWidget(frames_, 1);
  columns->addLayout(left, 1);

  auto* right = new QVBoxLayout;
  right->addWidget(BuildColourFrames());
  right->addWidget(BuildPreviewFrame());
  right->addStretch(1);
  columns->addLayout(right);
  layout->addLayout(columns, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  cmdAccept_ = new QPushButton("&Accept Settings");
  cmdAccept_->setObjectName("cmdAccept");
  cmdDismiss_ = new QPushButton("Cancel");
  cmdDismiss_->setObjectName("cmdDismiss");
  cmdAccept_->setAutoDefault(false);
  cmdDismiss_->setAutoDefault(false);
  buttons->addWidget(cmdAccept_);
  buttons->addWidget(cmdDismiss_);
  layout->addLayout(buttons);

  connect(cboAniType_, &QComboBox::currentIndexChanged, this, &PropsWindow::ShowEffectFrame);
  connect(cmdAccept_, &QPushButton::clicked, this, &PropsWindow::Accept);
  connect(cmdDismiss_, &QPushButton::clicked, this, &PropsWindow::Cancel);
  ShowEffectFrame(0);
}

void PropsWindow::BuildMenus(QMenuBar& bar) {
  auto add = [this](QMenu* menu, const char* array, int index, const char* caption, bool available, auto action) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QStringLiteral("%1_%2").arg(array).arg(index));
    item->setEnabled(available);
    connect(item, &QAction::triggered, this, action);
    return item;
  };
  const bool files = true;
  QMenu* file = bar.addMenu("&File");
  file->setObjectName("mnuFile");
  add(file, "mnuFileArray", 0, "&Open Template...", files, [this] { OpenTemplate(); });
  add(file, "mnuFileArray", 1, "&Save Template", files,
      [this] { SaveTemplate(false); });
  add(file, "mnuFileArray", 2, "Save Template &As...", files, [this] { SaveTemplate(true); });
  file->addSeparator();
  add(file, "mnuFileArray", 3, "E&xit", true, [this] { Exit(); });

  QMenu* edit = bar.addMenu("&Edit");
  edit->setObjectName("mnuEdit");
  add(edit, "mnuEditArray", 0, "S&ounds...", static_cast<bool>(services_.showSounds),
      [this] { services_.showSounds(this); });
  edit->addSeparator();
  add(edit, "mnuEditArray", 1, "&Reset Properties", static_cast<bool>(services_.applyFactoryDefaults),
      [this] { ResetProperties(); });
  edit->addSeparator();
  add(edit, "mnuEditArray", 2, "&Advanced Settings...", static_cast<bool>(services_.showAdvanced),
      [this] { services_.showAdvanced(this); });

  QMenu* help = bar.addMenu("&Help");
  help->setObjectName("mnuHelp");
  const bool helpFile = static_cast<bool>(services_.showHelp);
  add(help, "mnuHelpArray", 0, "&Contents...", helpFile, [this] { services_.showHelp(this, 3); });
  add(help, "mnuHelpArray", 1, "&Search...", helpFile, [this] { services_.showHelp(this, 11); });
  help->addSeparator();
  add(help, "mnuHelpArray", 2, "&Diagnostics...", static_cast<bool>(services_.showDiagnostics),
      [this] { services_.showDiagnostics(this); });
  help->addSeparator();
  add(help, "mnuHelpArray", 3, "&KVTR Home Page...", static_cast<bool>(services_.openHomePage),
      [this] { services_.openHomePage(this); });
  help->addSeparator();
  add(help, "mnuHelpArray", 4, "&About Pyxora...", static_cast<bool>(services_.showAbout),
      [this] { services_.showAbout(this); });
}

void PropsWindow::Open() {
  adjustSize();
  setMinimumSize(sizeHint());
  RestorePlacement(*this, kPropsPlacementSection);
  // The spinners in the order the window has always bound them, with their limits.
  for (const char* array : {"txtPixHue", "txtPixCol", "txtFire", "txtWarp", "txtSpline", "txtGrav", "txtGalaxy"}) {
    for (const PropertiesControl& control : PropertiesControls()) {
      if (control.kind != ControlKind::Box || QString(control.name) != array || !BoxHasSpinner(control)) continue;
      const auto key = std::make_pair(QString(array), control.index);
      if (boxes_.count(key) && spinners_.count(key))
        BindSpinner(*boxes_[key], *spinners_[key], static_cast<int>(control.box.lo), static_cast<int>(control.box.hi),
                    control.box.maxLength);
    }
  }
  PropertiesModel model;
  if (services_.firstRun) services_.firstRun(this, model);
  else LoadPropertiesFromStore(model);
  SetModel(model);
}

PropertiesModel PropsWindow::Model() const {
  PropertiesModel model;
  model.SelectedEffect = static_cast<int16_t>(cboAniType_->currentIndex());
  model.Lists["cboAniType"] = cboAniType_->currentIndex();
  for (const auto& [key, box] : boxes_) model.SetText(key.first.toStdString(), key.second, box->text().toStdString());
  for (const auto& [name, check] : checks_) model.Checks[name.toStdString()] = check->isChecked();
  for (const auto& [name, list] : lists_) model.Lists[name.toStdString()] = list->currentIndex();
  return model;
}

void PropsWindow::SetModel(const PropertiesModel& model) {
  for (const auto& [key, box] : boxes_) {
    const QString text = QString::fromStdString(model.Text(key.first.toStdString(), key.second));
    if (box->text() != text) box->setText(text);
  }
  for (const auto& [name, check] : checks_) check->setChecked(model.Checked(name.toStdString()));
  // A list index the list cannot show (a hand-edited store) shows its nearest entry.
  for (const auto& [name, list] : lists_)
    list->setCurrentIndex(std::clamp(model.ListIndex(name.toStdString(), list->currentIndex()), 0, list->count() - 1));
  if (model.SelectedEffect >= 0 && model.SelectedEffect < cboAniType_->count())
    cboAniType_->setCurrentIndex(model.SelectedEffect);
}

void PropsWindow::ShowEffectFrame(int effect) {
  SetHourglass(true);
  for (size_t i = 0; i < fraAni_.size(); ++i) SetContainerEnabled(*fraAni_[i], static_cast<int>(i) == effect);
  if (effect >= 0 && effect < frames_->count()) frames_->setCurrentIndex(effect);
  // The paged frames keep only their front page usable.
  for (QStackedWidget* pages : pageStacks_) ShowPage(*pages, pages->currentIndex());
  SetHourglass(false);
}

void PropsWindow::ShowPage(QStackedWidget& stack, int page) {
  if (page < 0 || page >= stack.count()) return;
  stack.setCurrentIndex(page);
  const bool frameEnabled = stack.parentWidget() && stack.parentWidget()->isEnabled();
  for (int i = 0; i < stack.count(); ++i) SetContainerEnabled(*stack.widget(i), i == page && frameEnabled);
}

void PropsWindow::BoxChanged(NumberBox& box) {
  const std::string text = box.text().toStdString();
  if (box.Array() == "txtPixHue" && box.Index() >= 0 && box.Index() < 3)
    PaintSwatch(picPixHue_[static_cast<size_t>(box.Index())], LevelSwatchColour(box.Index(), text));
  if (box.Array() == "txtGalaxy" && box.Index() == 95) PaintSwatch(picGalHue_, HueSwatchColour(text));
}

void PropsWindow::ChooseTheme(int effect, int theme) {
  PropertiesModel model = Model();
  if (ApplyThemeToControls(model, effect, theme)) SetModel(model);
}

void PropsWindow::TogglePreview() {
  if (session_.Showing()) StopPreview();
  else StartPreview();
}

void PropsWindow::StartPreview() {
  if (session_.LoopRunning()) return;
  if (cboAniType_->currentIndex() < 0) {
    QMessageBox::information(this, "Pyxora", "Please select an Effect Type.");
    cboAniType_->setFocus();
    return;
  }
  session_.Start();
  EnableControlsExcept(*this, false, "cmdDispPreview");
  cmdDispPreview_->setText("Stop Preview");

  QtFrameHost& host = DisplayFrameHost();
  host.SetPresenter([this] { picPreview_->Present(); });
  gState.Host = &host;
  session_.Run([this] { RunPropertiesPreview(Model(), picPreview_->Surface(), picPreview_->width(), picPreview_->height()); },
               [this](int result) {
                 RestoreAfterPreview();
                 done(result);
               });
  host.SetPresenter(nullptr);
  picPreview_->update();
}

void PropsWindow::StopPreview() {
  if (session_.Stop()) RestoreControls();
}

void PropsWindow::RestoreAfterPreview() {
  if (session_.Leave()) RestoreControls();
}

void PropsWindow::RestoreControls() {
  EnableControlsExcept(*this, true, "cmdDispPreview");
  ShowEffectFrame(cboAniType_->currentIndex());
  cmdDispPreview_->setText("Display Effects Preview");
}

void PropsWindow::keyPressEvent(QKeyEvent* event) {
  // Escape stops a preview; without one it is Cancel.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    if (session_.Showing()) StopPreview();
    else Cancel();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void PropsWindow::Accept() {
  if (auto* box = qobject_cast<NumberBox*>(QApplication::focusWidget()); box && isAncestorOf(box))
    box->ApplyLostFocus();
  cmdAccept_->setEnabled(false);
  QCoreApplication::processEvents();
  if (!SaveSettingsFromProperties(Model())) {
    // The store refused the write and said so; the fields stay for another try.
    cmdAccept_->setEnabled(true);
    return;
  }
  done(QDialog::Accepted);
}

void PropsWindow::Cancel() { done(QDialog::Rejected); }

void PropsWindow::done(int result) {
  // The preview's loop runs on this window's surface: a close waits until it has returned.
  if (!session_.MayClose(result)) return;
  RestoreAfterPreview();
  SavePlacement(*this, kPropsPlacementSection);
  QDialog::done(result);
}

void PropsWindow::ResetProperties() {
  if (!services_.applyFactoryDefaults) return;
  const auto answer = QMessageBox::question(this, "Pyxora", Plain(kResetConfirmationText), QMessageBox::Yes | QMessageBox::No,
                                            QMessageBox::No);
  if (answer != QMessageBox::Yes) return;
  PropertiesModel model = Model();
  services_.applyFactoryDefaults(model);
  SetModel(model);
}

void PropsWindow::OpenTemplate() {
  PropertiesModel model = Model();
  const FileChooserSetup setup{true, true, "Select Template to Open", kTemplateFilter, "pxt", &model};
  if (!ShowFileDialog(this, setup).isEmpty()) SetModel(model);
}

void PropsWindow::SaveTemplate(bool askForPath) {
  PropertiesModel model = Model();
  const std::string current = services_.currentTemplate ? services_.currentTemplate() : std::string();
  // Saving onto the welcome backup asks for a name, so the settings kept there survive.
  if (!askForPath && !current.empty() && !IsWelcomeBackup(current) && services_.saveTemplate) {
    if (!services_.saveTemplate(model))
      QMessageBox::warning(this, "Pyxora", "Please enter a valid path and file.");
    return;
  }
  const FileChooserSetup setup{false, true, "Enter or Select Template to Save", kTemplateFilter, "pxt", &model};
  ShowFileDialog(this, setup);
}

void PropsWindow::Exit() {
  gState.ExitRequested = true;
  Cancel();
}

}  // namespace pyxora
