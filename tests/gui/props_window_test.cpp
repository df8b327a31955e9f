// The Properties window driven as a person would: typing, arrow keys, leaving boxes,
// themes, the preview, Accept, Cancel and Escape; the store read back afterwards.
#include "app/ui/props_window.h"

#include <QCheckBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include "app/platform/message_boxes.h"
#include "app/ui/number_box.h"
#include "app/ui/preview_box.h"
#include "effects/fireworks/fireworks_settings.h"
#include "effects/galaxy/galaxy_settings.h"
#include "effects/gravity/gravity_settings.h"
#include "gui_support.h"
#include "host/first_run.h"
#include "host/properties_fields.h"
#include "host/templates.h"
#include "render/frame_host.h"
#include "render/text_helpers.h"
#include "settings/user_message.h"

namespace pyxora {
namespace {

// The program's services with a welcome window that is closed at once.
PropertiesServices ClosedWelcome() {
  PropertiesServices services = DefaultPropertiesServices();
  services.firstRun = [](QWidget*, PropertiesModel& props) { RunFirstRunLogic(props, [](bool) { return false; }); };
  return services;
}

// While it lives: the welcome window's Reset is pressed, and each message box's text is
// kept before the box is closed, as a person would read and close it.
struct ModalAnswers : QTimer {
  ModalAnswers() {
    connect(this, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) shown << box->text(), box->accept();
      else if (modal && modal->objectName() == "frmWelcome") modal->findChild<QPushButton*>("cmdReset")->click();
    });
    start(10);
  }
  QStringList shown;
};

class PropsWindowTest : public testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    window_ = std::make_unique<PropsWindow>(ClosedWelcome());
    window_->Open();
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  void TearDown() override {
    window_.reset();
    GuiTest::TearDown();
  }

  NumberBox* Box(const QString& array, int index) {
    return window_->findChild<NumberBox*>(QStringLiteral("%1_%2").arg(array).arg(index));
  }
  template <class Widget>
  Widget* Named(const QString& name) {
    return window_->findChild<Widget*>(name);
  }
  // Brings the frame and page that hold `widget` to the front, as a person would.
  void Reveal(QWidget* widget) {
    for (QWidget* w = widget; w && w->parentWidget(); w = w->parentWidget()) {
      auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
      if (!stack) continue;
      auto* list = stack->parentWidget()->findChild<QComboBox*>(QString(), Qt::FindDirectChildrenOnly);
      if (list) list->setCurrentIndex(stack->indexOf(w));
    }
  }
  void Type(NumberBox* box, const QString& text) {
    Reveal(box);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
  }
  void Choose(const QString& list, int index) {
    auto* combo = Named<QComboBox>(list);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }

  std::unique_ptr<PropsWindow> window_;
};

// A value inside the box's range and unlike its factory value, as it would be typed.
QString TypedValue(const PropertiesControl& control) {
  const double value = control.box.lo + (control.box.hi - control.box.lo) * 0.37;
  if (control.box.kind == 1) return QString::fromStdString(ClampTextBox(std::to_string(value), 1, control.box.lo,
                                                                        control.box.hi));
  return QString::number(static_cast<long long>(value) + (static_cast<long long>(value) == control.factory ? 1 : 0));
}

TEST_F(PropsWindowTest, EveryFieldSetInTheWindowReachesTheStoreOnAccept) {
  std::map<std::string, std::string> expected;  // "section/key" -> stored text
  Type(Box("txtPixCol", 1), "0");  // room for the intensity percentage
  for (const PropertiesControl& control : PropertiesControls()) {
    const std::string key = std::string(control.section) + "/" + control.key;
    if (control.kind == ControlKind::Box) {
      NumberBox* box = Box(control.name, control.index);
      ASSERT_NE(box, nullptr) << key;
      const QString text = TypedValue(control);
      Type(box, text);
      ASSERT_EQ(box->text(), text) << key;
      expected[key] = text.toStdString();
    } else if (control.kind == ControlKind::Check) {
      auto* check = Named<QCheckBox>(control.name);
      ASSERT_NE(check, nullptr) << key;
      Reveal(check);
      QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(check->width() - 8, check->height() / 2));
      expected[key] = control.factory == 1 ? "0" : "1";
    } else if (std::string(control.name) != "cboAniType") {
      auto* list = Named<QComboBox>(control.name);
      ASSERT_NE(list, nullptr) << key;
      Reveal(list);
      list->setCurrentIndex(list->count() - 1 == control.factory ? 0 : list->count() - 1);
      expected[key] = std::to_string(list->currentIndex());
    }
  }
  Named<QComboBox>("cboAniType")->setCurrentIndex(2);
  expected["General/AnimationType"] = "2";
  QTest::mouseClick(Named<QPushButton>("cmdAccept"), Qt::LeftButton);

  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(window_->result(), QDialog::Accepted);
  EXPECT_EQ(expected.size(), PropertiesControls().size());
  for (const PropertiesControl& control : PropertiesControls()) {
    const std::string key = std::string(control.section) + "/" + control.key;
    EXPECT_EQ(GetSettingStr(control.section, control.key, "<absent>"), expected[key]) << key;
  }
}

TEST_F(PropsWindowTest, KeysAreFilteredAndArrowsStepWithinRange) {
  NumberBox* shells = Box("txtFire", 0);
  Type(shells, "1a2");
  EXPECT_EQ(shells->text(), "12");
  NumberBox* symmetry = Box("txtFire", 3);
  Type(symmetry, "1.5.");
  EXPECT_EQ(symmetry->text(), "1.5");
  symmetry->selectAll();
  QTest::keyClicks(symmetry, ".");  // replaces the selected point
  EXPECT_EQ(symmetry->text(), ".");

  NumberBox* sparks = Box("txtFire", 1);
  Type(sparks, "9995");
  QTest::keyClick(sparks, Qt::Key_Up);
  EXPECT_EQ(sparks->text(), "9999");
  QTest::keyClick(sparks, Qt::Key_Down);
  EXPECT_EQ(sparks->text(), "9989");
  EXPECT_EQ(symmetry->text(), "0");  // left holding "." only: a number again
  QTest::keyClick(symmetry, Qt::Key_Up);  // no step: the key is ignored
  EXPECT_EQ(symmetry->text(), "0");

  // The spinner follows the box and writes into it.
  auto* spinner = Named<Spinner>("spnFire_1");
  ASSERT_NE(spinner, nullptr);
  EXPECT_EQ(spinner->value(), 9989);
  EXPECT_EQ(spinner->singleStep(), 10);
  spinner->setValue(40);
  EXPECT_EQ(sparks->text(), "40");
}

TEST_F(PropsWindowTest, LeavingAGravityBoxClampsIt) {
  Named<QComboBox>("cboAniType")->setCurrentIndex(4);
  NumberBox* gravity = Box("txtGrav", 4);
  Type(gravity, "50000");
  Box("txtGrav", 0)->setFocus();
  EXPECT_EQ(gravity->text(), "30000");
  // Accept while the box still has the focus clamps it before saving.
  NumberBox* stars = Box("txtGrav", 2);
  Type(stars, "5");
  ASSERT_TRUE(stars->hasFocus());
  window_->Accept();
  EXPECT_EQ(GetSettingStr("GravityWell", "Grav_Gravity", ""), "30000");
  EXPECT_EQ(GetSettingStr("GravityWell", "Grav_Pixels", ""), "10");
}

TEST_F(PropsWindowTest, TheColourPercentagesShareAHundredAndTheSwatchesFollowTheLevels) {
  NumberBox* intensity = Box("txtPixCol", 0);
  Type(intensity, "80");  // the wheel percentage is 100
  Box("txtPixCol", 2)->setFocus();
  EXPECT_EQ(intensity->text(), "0");
  Type(Box("txtPixCol", 1), "30");
  Type(intensity, "80");
  Box("txtPixCol", 2)->setFocus();
  EXPECT_EQ(intensity->text(), "70");

  Type(Box("txtPixHue", 1), "20");
  const QColor swatch = Named<QWidget>("picPixHue_1")->palette().color(QPalette::Window);
  EXPECT_EQ(swatch, QColor(0, 95, 0));
}

TEST_F(PropsWindowTest, EachThemeFillsItsFieldsWithThePresetsValues) {
  struct Effect {
    int index;
    const char* list;
    const char* array;
    int themes;
  };
  for (const Effect& effect : {Effect{0, "cboFireTheme", "txtFire", 13}, Effect{4, "cboGravTheme", "txtGrav", 5},
                               Effect{5, "cboGalaxyTheme", "txtGalaxy", 16}}) {
    Named<QComboBox>("cboAniType")->setCurrentIndex(effect.index);
    for (int theme = 1; theme <= effect.themes; ++theme) {
      SCOPED_TRACE(std::string(effect.list) + " " + std::to_string(theme));
      // The window's fields equal the preset applied to the model beforehand ...
      PropertiesModel expected = window_->Model();
      ASSERT_TRUE(ApplyThemeToControls(expected, effect.index, theme));
      Choose(effect.list, theme);
      EXPECT_EQ(window_->Model().Boxes, expected.Boxes);
      EXPECT_EQ(window_->Model().Checks, expected.Checks);
      EXPECT_EQ(window_->Model().Lists, expected.Lists);
    }
  }
  // ... and hold the preset's own texts.
  Named<QComboBox>("cboAniType")->setCurrentIndex(5);
  Choose("cboGalaxyTheme", 2);
  EXPECT_EQ(Box("txtGalaxy", 94)->text(), "359.96");
  EXPECT_EQ(Named<QComboBox>("cboGalProfile")->currentIndex(), 1);
  Named<QComboBox>("cboAniType")->setCurrentIndex(4);
  Choose("cboGravTheme", 3);
  EXPECT_EQ(Box("txtGrav", 4)->text(), "2500");
  EXPECT_EQ(Box("txtGrav", 7)->text(), "60");
  const PropertiesModel before = window_->Model();
  Choose("cboGravTheme", 0);  // "< NONE >"
  EXPECT_EQ(window_->Model().Boxes, before.Boxes);
}

// Each effect's preview runs in the box at its size, with the other controls disabled;
// Escape stops it at the end of the frame it came in, and the window stays open.
TEST_F(PropsWindowTest, EachPreviewRunsInsideTheBoxAndEscapeStopsItWithinAFrame) {
  auto* button = Named<QPushButton>("cmdDispPreview");
  for (int effect : {0, 2, 3, 4, 5}) {
    SCOPED_TRACE(effect);
    Named<QComboBox>("cboAniType")->setCurrentIndex(effect);
    window_->Preview().Surface().Resize(1, 1);
    bool running = false, othersDisabled = false, buttonEnabled = false;
    int litInside = 0;
    uint32_t frameAtStop = 0;
    QSize surfaceSize;
    // Looks once the preview has drawn something (a loaded machine runs fewer frames), or
    // after four seconds at the most.
    QElapsedTimer started;
    started.start();
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, window_.get(), [&] {
      if (started.elapsed() < 300 ||
          (window_->Preview().Surface().CountLitPixels() == 0 && started.elapsed() < 4000))
        return;
      look.stop();
      running = window_->PreviewLoopRunning() && button->text() == "Stop Preview";
      othersDisabled = !Named<QPushButton>("cmdAccept")->isEnabled() && !Named<QComboBox>("cboAniType")->isEnabled();
      buttonEnabled = button->isEnabled();
      Canvas& surface = window_->Preview().Surface();
      surfaceSize = QSize(surface.Width(), surface.Height());
      litInside = static_cast<int>(surface.CountLitPixels());
      frameAtStop = gState.FrameStartTick;
      QTest::keyClick(window_.get(), Qt::Key_Escape);
    });
    look.start(20);
    QTimer::singleShot(8000, window_.get(), [&] { gState.PreviewStopRequested = true; });  // a hang ends
    QTest::mouseClick(button, Qt::LeftButton);

    EXPECT_TRUE(running);
    EXPECT_TRUE(othersDisabled);
    EXPECT_TRUE(buttonEnabled);
    EXPECT_EQ(surfaceSize, window_->Preview().size());
    EXPECT_GT(litInside, 0);
    EXPECT_EQ(gState.FrameStartTick, frameAtStop);  // no frame began after the stop
    EXPECT_FALSE(window_->PreviewLoopRunning());
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(button->text(), "Display Effects Preview");
    EXPECT_TRUE(Named<QPushButton>("cmdAccept")->isEnabled());
  }
  EXPECT_TRUE(Box("txtGalaxy", 0)->isEnabled());
  EXPECT_FALSE(Box("txtFire", 0)->isEnabled());  // another effect's frame stays off
}

TEST_F(PropsWindowTest, TheRetiredEffectRunsNothingAndKeepsThePreviewState) {
  Named<QComboBox>("cboAniType")->setCurrentIndex(1);
  auto* button = Named<QPushButton>("cmdDispPreview");
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(button->text(), "Stop Preview");
  EXPECT_FALSE(Named<QPushButton>("cmdAccept")->isEnabled());
  EXPECT_FALSE(Named<QComboBox>("cboAniType")->isEnabled());
  EXPECT_EQ(window_->Preview().Surface().CountLitPixels(), 0u);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(button->text(), "Display Effects Preview");
  EXPECT_TRUE(Named<QComboBox>("cboAniType")->isEnabled());
}

TEST_F(PropsWindowTest, EscapeWithoutAPreviewIsCancelAndWritesNothing) {
  Type(Box("txtFire", 0), "7");
  QTest::keyClick(window_.get(), Qt::Key_Escape);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(window_->result(), QDialog::Rejected);
  EXPECT_EQ(GetSettingStr("Fireworks", "FireWorks", "<absent>"), "<absent>");
  EXPECT_EQ(GetSettingStr("General", "TestRegWrite", "<absent>"), "<absent>");
  EXPECT_NE(GetSettingStr("General\\Main", "WindowSize", ""), "");  // the placement is kept
}

// Before its write test, or after it passed and the disk filled up: a message box says
// why, nothing is stored and the window stays open for another try.
TEST_F(PropsWindowTest, AStoreThatRefusesWritesSaysWhyAndKeepsTheWindowOpen) {
  struct FillsUp : MemoryStore {
    StoreWriteResult WriteBatch(int16_t, const std::vector<StoreValue>&) override {
      return {false, "cannot write /c/settings.ini: No space left on device"};
    }
  };
  for (const bool readOnly : {true, false}) {
    auto owned = std::make_unique<FillsUp>();
    FillsUp& store = *owned;
    store.SetReadOnly(readOnly);
    SetCurrentStore(std::move(owned));
    const ScopedMessageBoxes boxes;
    ModalAnswers answers;
    window_->Accept();
    EXPECT_EQ(answers.shown, QStringList{readOnly ? QString::fromUtf8(kReadOnlyStoreMessage).remove('\r')
                                                  : QString("The Property settings cannot be saved: cannot write "
                                                            "/c/settings.ini: No space left on device.")});
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(Named<QPushButton>("cmdAccept")->isEnabled());
    EXPECT_FALSE(store.Read(kUserRoot, SettingsKeyPath("Fireworks"), "FireWorks"));
  }
}

TEST_F(PropsWindowTest, AWelcomeResetWhoseBackupCannotBeWrittenSaysWhyAndShowsTheStoredFields) {
  window_.reset();
  SetCurrentStore(std::make_unique<MemoryStore>());
  SaveSettingStr("General", "AnimationType", 5);
  SaveSettingStr("Galaxy", "Galaxy_Stars", 1234);
  ::setenv("PYXORA_DATA_HOME", "/proc/no-such-folder", 1);
  const ScopedMessageBoxes boxes;
  ModalAnswers answers;
  PropsWindow window;
  window.Open();
  ::unsetenv("PYXORA_DATA_HOME");
  EXPECT_EQ(answers.shown, QStringList{QString::fromUtf8(kResetDroppedMessage).remove('\r') +
                                       "/proc/no-such-folder/propsave.pxt: no such folder."});
  EXPECT_EQ(window.findChild<QComboBox*>("cboAniType")->currentIndex(), 5);
  EXPECT_EQ(window.findChild<NumberBox*>("txtGalaxy_0")->text(), "1234");
}

TEST_F(PropsWindowTest, TheWindowOpensOnTheStoredValuesAndEffect) {
  window_.reset();
  SaveSettingStr("General", "AnimationType", 5);
  SaveSettingStr("Galaxy", "Galaxy_HWheelIdx", 120);
  SaveSettingStr("B-SplineWarp", "Warp_Type", 9);  // no such type
  PropsWindow window(ClosedWelcome());
  window.Open();
  EXPECT_EQ(window.windowTitle(), "Pyxora Properties");
  EXPECT_EQ(window.findChild<QComboBox*>("cboAniType")->currentIndex(), 5);
  EXPECT_TRUE(window.findChild<QWidget*>("fraAni_5")->isEnabled());
  EXPECT_FALSE(window.findChild<QWidget*>("fraAni_0")->isEnabled());
  EXPECT_EQ(window.findChild<NumberBox*>("txtGalaxy_95")->text(), "120");
  EXPECT_EQ(window.findChild<QComboBox*>("cboWarpType")->currentIndex(), 4);
  EXPECT_EQ(window.findChild<QWidget*>("picGalHue")->palette().color(QPalette::Window), QColor(55, 255, 55));
}

// Each menu item reaches its own service (the help commands 3 and 11 included); the
// reset applies the factory values only on Yes; Save with a current template writes it
// without asking for a path, unless it is the welcome backup; Exit asks the program to end.
TEST_F(PropsWindowTest, EveryMenuItemCallsItsService) {
  window_.reset();
  std::vector<std::string> calls;
  PropertiesServices services;
  services.showSounds = [&](QWidget*) { calls.push_back("sounds"); };
  services.showAdvanced = [&](QWidget*) { calls.push_back("advanced"); };
  services.showDiagnostics = [&](QWidget*) { calls.push_back("diagnostics"); };
  services.showAbout = [&](QWidget*) { calls.push_back("about"); };
  services.openHomePage = [&](QWidget*) { calls.push_back("home"); };
  services.showHelp = [&](QWidget*, int command) { calls.push_back("help " + std::to_string(command)); };
  std::string current = "/t/current.pxt";
  services.currentTemplate = [&] { return current; };
  services.saveTemplate = [&](const PropertiesModel& model) {
    calls.push_back("save " + model.Text("txtFire", 0));
    return true;
  };
  services.applyFactoryDefaults = [&](PropertiesModel& model) {
    calls.push_back("reset");
    model.SetText("txtFire", 0, "12");
  };
  PropsWindow window(services);
  window.Open();
  window.show();
  auto trigger = [&](const char* name) {
    QAction* action = window.findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name;
    EXPECT_TRUE(action->isEnabled()) << name;
    action->trigger();
  };
  const std::vector<std::pair<const char*, const char*>> items = {
      {"mnuEditArray_0", "sounds"},      {"mnuEditArray_2", "advanced"}, {"mnuHelpArray_0", "help 3"},
      {"mnuHelpArray_1", "help 11"},     {"mnuHelpArray_2", "diagnostics"}, {"mnuHelpArray_3", "home"},
      {"mnuHelpArray_4", "about"}};
  for (const auto& [name, call] : items) {
    calls.clear();
    trigger(name);
    EXPECT_EQ(calls, std::vector<std::string>{call}) << name;
  }

  window.findChild<NumberBox*>("txtFire_0")->setText("7");
  calls.clear();
  trigger("mnuFileArray_1");
  EXPECT_EQ(calls, std::vector<std::string>{"save 7"});
  // Onto the welcome reset's backup, Save asks for a name first.
  current = WelcomeBackupPath().string();
  calls.clear();
  QString asked;
  QTimer::singleShot(0, [&] {
    if (auto* chooser = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      asked = chooser->windowTitle();
      chooser->reject();
    }
  });
  trigger("mnuFileArray_1");
  EXPECT_EQ(asked, "Enter or Select Template to Save");
  EXPECT_TRUE(calls.empty());

  // The reset question: No keeps the fields, Yes applies the factory values.
  for (const auto button : {QMessageBox::No, QMessageBox::Yes}) {
    calls.clear();
    QString asked;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      asked = box->text();
      box->button(button)->click();
    });
    trigger("mnuEditArray_1");
    EXPECT_EQ(asked, QString::fromUtf8(kResetConfirmationText).remove('\r'));
    const bool yes = button == QMessageBox::Yes;
    EXPECT_EQ(calls.size(), yes ? 1u : 0u);
    EXPECT_EQ(window.findChild<NumberBox*>("txtFire_0")->text(), yes ? "12" : "7");
  }

  trigger("mnuFileArray_3");
  EXPECT_TRUE(gState.ExitRequested);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(GetSettingStr("Fireworks", "FireWorks", "<absent>"), "<absent>");
}

}  // namespace
}  // namespace pyxora
