// frmProps, "Pyxora Properties": the effect selector, every effect's fields, the two
// colour frames, the live preview and the menus. The widgets are a view over a
// PropertiesModel: loading, saving, themes and previews all work on the model.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/properties_layout.h"
#include "host/properties_preview.h"
#include "settings/properties_model.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QMenuBar;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

namespace pyxora {

class NumberBox;
class PreviewBox;
class Spinner;
struct PropertiesControl;

inline constexpr const char* kPropsPlacementSection = "General\\Main";

// What the window asks of the rest of the program. Anything left empty shows its menu
// item disabled, so the window works before every companion window exists.
struct PropertiesServices {
  // The first-run logic: fills the model from the store or the factory values, showing
  // the welcome window the first time. Empty: the model is read from the store.
  std::function<void(QWidget* owner, PropertiesModel&)> firstRun;
  // The factory reset of the controls (the store's Advanced and sound values with it).
  std::function<void(PropertiesModel&)> applyFactoryDefaults;
  // Writes the current template from the model; the path of the current template.
  std::function<bool(const PropertiesModel&)> saveTemplate;
  std::function<std::string()> currentTemplate;
  std::function<void(QWidget* owner)> showSounds, showAdvanced, showDiagnostics, showAbout;
  std::function<void(QWidget* owner, int helpCommand)> showHelp;  // 3 contents, 11 search
  std::function<void(QWidget* owner)> openHomePage;
};

// The services as far as the program has them.
PropertiesServices DefaultPropertiesServices();

class PropsWindow : public QDialog {
  Q_OBJECT
 public:
  explicit PropsWindow(PropertiesServices services = DefaultPropertiesServices(), QWidget* parent = nullptr);
  ~PropsWindow() override;

  // Restores the placement, fills the lists and spinners, runs the first-run logic and
  // shows the stored effect. Called once, before the window is shown.
  void Open();

  PropertiesModel Model() const;
  void SetModel(const PropertiesModel& model);

  bool PreviewShown() const { return session_.Showing(); }
  bool PreviewLoopRunning() const { return session_.LoopRunning(); }
  PreviewBox& Preview() { return *picPreview_; }

  void Accept();
  void Cancel();
  void TogglePreview();
  void ChooseTheme(int effect, int theme);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void done(int result) override;

 private:
  void BuildWindow();
  void BuildMenus(QMenuBar& bar);
  QWidget* BuildColourFrames();
  QWidget* BuildPreviewFrame();
  // An effect's frame as the shared layout arranges it.
  QGroupBox* BuildFrame(int effect, const EffectFrameLayout& layout);
  void LayItems(QVBoxLayout& column, const std::vector<LayoutItem>& items, int effect);

  // One row per box: label, box, spinner where it has one.
  QWidget* BoxGrid(const char* array, const std::vector<int>& indexes, QWidget* extra = nullptr);
  void AddBoxRow(QGridLayout& grid, int row, const PropertiesControl& control);
  NumberBox* MakeBox(const PropertiesControl& control);
  QCheckBox* MakeCheck(const char* name);
  QComboBox* MakeList(const char* name, const std::vector<std::string>& entries);
  QComboBox* MakeThemeList(const char* name, int effect);
  // A list that brings one of the pages to the front and disables the others.
  QWidget* PagedGroup(const char* listName, const std::vector<std::string>& names,
                      const std::vector<QWidget*>& pages, QComboBox** list, QStackedWidget** stack);

  void ShowEffectFrame(int effect);
  void ShowPage(QStackedWidget& stack, int page);
  void BoxChanged(NumberBox& box);
  void StartPreview();
  void StopPreview();
  void RestoreAfterPreview();
  void RestoreControls();
  void ResetProperties();
  void OpenTemplate();
  void SaveTemplate(bool askForPath);
  void Exit();

  PropertiesServices services_;
  QComboBox* cboAniType_ = nullptr;
  QStackedWidget* frames_ = nullptr;
  std::array<QGroupBox*, 6> fraAni_{};
  std::map<std::pair<QString, int>, NumberBox*> boxes_;
  std::map<std::pair<QString, int>, Spinner*> spinners_;
  std::map<QString, QCheckBox*> checks_;
  std::map<QString, QComboBox*> lists_;
  std::array<QFrame*, 3> picPixHue_{};
  QFrame* picGalHue_ = nullptr;
  std::vector<QStackedWidget*> pageStacks_;  // the paged groups (Fireworks extras, Galaxy groups)
  PreviewBox* picPreview_ = nullptr;
  QPushButton* cmdDispPreview_ = nullptr;
  QPushButton* cmdAccept_ = nullptr;
  QPushButton* cmdDismiss_ = nullptr;

  PreviewSession session_;
};

}  // namespace pyxora
