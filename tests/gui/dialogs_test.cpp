// The companion windows of the Properties window, driven as a user would.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QDir>

#include "app/ui/about_window.h"
#include "app/ui/advanced_window.h"
#include "app/ui/diag_window.h"
#include "app/ui/file_chooser.h"
#include "app/ui/help_opener.h"
#include "app/ui/picture_box.h"
#include "app/ui/sound_window.h"
#include "app/ui/welcome_window.h"
#include "gui/gui_support.h"

namespace pyxora {
namespace {

class Dialogs : public testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    SetUrlOpener([this](const QUrl& url) {
      urls_.push_back(url);
      return true;
    });
  }
  void TearDown() override {
    SetUrlOpener({});
    GuiTest::TearDown();
  }
  template <class T>
  T* Child(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  void Click(QWidget& window, const char* button) { QTest::mouseClick(Child<QPushButton>(window, button), Qt::LeftButton); }
  void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
  }
  // When PYXORA_SHOT_DIR is set, keeps a picture of the window for a person to look at.
  void Shot(QWidget& window, const char* name) {
    const QString dir = qEnvironmentVariable("PYXORA_SHOT_DIR");
    if (!dir.isEmpty()) window.grab().save(QDir(dir).filePath(QString(name) + ".png"));
  }
  std::string Stored(const char* section, const char* key) { return GetSettingStr(section, key, "unset"); }

  std::vector<QUrl> urls_;
};

TEST_F(Dialogs, AdvancedNeedsAnEffectToCycleThenStoresClampedValues) {
  AdvancedWindow window;
  std::vector<QString> messages;
  window.showMessage = [&](const QString& text) { messages.push_back(text); };
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  Shot(window, "advanced");
  auto* cycle = Child<QCheckBox>(window, "chkCycle");
  auto* effects = Child<QGroupBox>(window, "fraEffects");
  EXPECT_FALSE(effects->isEnabled());
  cycle->click();
  EXPECT_TRUE(effects->isEnabled());
  Click(window, "cmdOK");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Please select one or more Effects.");
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(Stored("Advanced", "Adv_PxraCycle"), "unset");

  Child<QCheckBox>(window, "chkEffect_3")->click();
  Type(Child<QLineEdit>(window, "txtAdv_0"), "1500");
  Type(Child<QLineEdit>(window, "txtAdv_1"), "0");
  Click(window, "cmdOK");
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(Stored("Advanced", "Adv_TimeDelay"), "999");
  EXPECT_EQ(Stored("Advanced", "FocalLength"), "0.01");
  EXPECT_EQ(Stored("Advanced", "Adv_PickPXRA"), "8");
  EXPECT_EQ(Stored("Advanced", "Adv_EffectFPC"), "1000");
  EXPECT_EQ(Stored("Advanced", "Adv_FontName"), "Arial");

  AdvancedWindow again;
  EXPECT_EQ(Child<QLineEdit>(again, "txtAdv_0")->text(), "999");
  EXPECT_TRUE(Child<QCheckBox>(again, "chkEffect_3")->isChecked());
  Child<QCheckBox>(again, "chkCycle")->click();
  Type(Child<QLineEdit>(again, "txtAdv_0"), "7x7");  // the letter is refused
  EXPECT_EQ(Child<QLineEdit>(again, "txtAdv_0")->text(), "77");
  Type(Child<QLineEdit>(again, "txtAdv_7"), "2.5.");  // one decimal point only
  Click(again, "cmdOK");
  EXPECT_EQ(Stored("Advanced", "Adv_EffectFPC"), "0");
  EXPECT_EQ(Stored("Advanced", "Adv_TimeDelay"), "77");
  EXPECT_EQ(Stored("Advanced", "Adv_PerfMult"), "2.5");
}

TEST_F(Dialogs, AdvancedCancelAndDefaultsWriteNothing) {
  AdvancedWindow window;
  window.show();
  Type(Child<QLineEdit>(window, "txtAdv_2"), "55");
  Click(window, "cmdDefaults");
  EXPECT_EQ(Child<QLineEdit>(window, "txtAdv_2")->text(), "20");
  EXPECT_EQ(Child<QComboBox>(window, "cboFont")->currentText(), "Arial");
  Click(window, "cmdDismiss");
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(Stored("Advanced", "Adv_FontSize"), "unset");
  EXPECT_NE(Stored("General\\Advanced", "WindowSize"), "unset");  // the placement is kept
}

// The spinners step by their range, the way their arrows point; Delete edits a box.
TEST_F(Dialogs, AdvancedSpinnersStepByTheirRangeAndDeleteEdits) {
  AdvancedWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  for (const auto& [name, step] : std::vector<std::pair<const char*, int>>{
           {"spnAdv_6", 50}, {"spnAdv_0", 10}, {"spnAdv_3", 5}, {"spnAdv_8", 5}, {"spnAdv_2", 1}})
    EXPECT_EQ(Child<QScrollBar>(window, name)->singleStep(), step) << name;
  Child<QCheckBox>(window, "chkCycle")->click();  // frames per effect count only when cycling
  auto* frames = Child<QLineEdit>(window, "txtAdv_6");
  auto* spinner = Child<QScrollBar>(window, "spnAdv_6");
  QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(spinner->width() / 2, spinner->height() - 3));
  EXPECT_EQ(frames->text(), "950");
  frames->setText("30000");  // the spinner follows up to the top of its range
  QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(spinner->width() / 2, spinner->height() - 3));
  EXPECT_EQ(frames->text(), "29950");
  frames->home(false);
  QTest::sendKeyEvent(QTest::Click, frames, Qt::Key_Delete, QString(QChar(0x7f)), {});  // as X11 sends it
  EXPECT_EQ(frames->text(), "9950");
}

TEST_F(Dialogs, SoundEditsOfSeveralItemsAreStoredByOkOnly) {
  SaveSettingStr("SoundFX", "Fire_Twister", "/old/twist.wav");
  std::vector<std::string> played;
  std::vector<QString> messages;
  auto prepare = [&](SoundWindow& window) {
    window.play = [&](const std::string& path) { played.push_back(path); };
    window.chooseFile = [](QWidget*) { return QString("/chosen/jet.wav"); };
    window.showMessage = [&](const QString& text) { messages.push_back(text); };
    window.show();
    Child<QCheckBox>(window, "chkSoundOn")->setChecked(true);
  };
  {
    SoundWindow window;
    prepare(window);
    Shot(window, "sounds");
    Click(window, "cmdPlay");
    EXPECT_EQ(messages, std::vector<QString>{"Please select an Effect Type."});
    auto* list = Child<QListWidget>(window, "lstEffectType");
    auto* file = Child<QLineEdit>(window, "txtFile");
    ASSERT_EQ(list->count(), 9);
    EXPECT_EQ(list->item(4)->text(), "Scintilator");
    list->setCurrentRow(0);
    Type(file, "/edit/launch.wav");
    Click(window, "cmdPlay");
    list->setCurrentRow(7);
    EXPECT_EQ(file->text(), "/old/twist.wav");
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(file->text(), "");
    list->setCurrentRow(3);
    Click(window, "cmdFile");
    Click(window, "cmdPlay");
    EXPECT_EQ(played, (std::vector<std::string>{"/edit/launch.wav", "/chosen/jet.wav"}));
    Click(window, "cmdDismiss");
  }
  EXPECT_EQ(Stored("SoundFX", "Fire_Launch"), "unset");
  EXPECT_EQ(Stored("SoundFX", "Fire_Twister"), "/old/twist.wav");
  {
    SoundWindow window;
    prepare(window);
    auto* list = Child<QListWidget>(window, "lstEffectType");
    list->setCurrentRow(0);
    Type(Child<QLineEdit>(window, "txtFile"), "/edit/launch.wav");
    list->setCurrentRow(2);
    Type(Child<QLineEdit>(window, "txtFile"), "/edit/multi.wav");
    Click(window, "cmdOK");
  }
  EXPECT_EQ(Stored("SoundFX", "Fire_Launch"), "/edit/launch.wav");
  EXPECT_EQ(Stored("SoundFX", "Fire_MultiBurst"), "/edit/multi.wav");
  EXPECT_EQ(Stored("SoundFX", "Fire_Twister"), "/old/twist.wav");
  EXPECT_EQ(Stored("SoundFX", "SoundFX_ON"), "1");
}

TEST_F(Dialogs, EveryHelpButtonOpensItsTopic) {
  AdvancedWindow advanced;
  SoundWindow sounds;
  DiagnosticsWindow diagnostics;
  FileChooser chooser(FileChooserSetup{});
  for (QWidget* window : std::initializer_list<QWidget*>{&advanced, &sounds, &diagnostics, &chooser})
    Click(*window, "cmdHelp");
  ASSERT_EQ(urls_.size(), 4u);
  const std::vector<std::pair<QString, QString>> expected = {
      {"advanced.html", "advanced"}, {"sounds.html", "sounds"}, {"diagnostics.html", "diagnostics"},
      {"templates.html", "file-chooser"}};
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_TRUE(urls_[i].isLocalFile()) << urls_[i].toString().toStdString();
    EXPECT_EQ(urls_[i].fileName(), expected[i].first);
    EXPECT_EQ(urls_[i].fragment(), expected[i].second);
    EXPECT_TRUE(QFile::exists(urls_[i].toLocalFile()));
  }
}

TEST_F(Dialogs, DiagnosticsShowTheWriteTestAndDrawTheCircle) {
  DiagnosticsWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QTest::qWait(50);
  Shot(window, "diagnostics");
  EXPECT_EQ(window.WriteTestValue(), "OK");
  EXPECT_EQ(Stored("General", "RegistryReadWriteTest"), "OK");
  static_cast<MemoryStore&>(CurrentStore()).SetReadOnly(true);
  EXPECT_EQ(DiagnosticsWindow().WriteTestValue(), "");  // the test runs again: no earlier pass
  auto* box = Child<PictureBox>(window, "picTest");
  const QImage image = box->grab().toImage();
  const int white = testing::CountColour(image, image.rect(), Qt::white);
  EXPECT_GT(white, 150);
  EXPECT_EQ(testing::CountColour(image, QRect(40, 40, 16, 16), Qt::white), 0);  // hollow
}

TEST_F(Dialogs, WelcomeTextsAndTheResetRequest) {
  WelcomeWindow fresh(false);
  EXPECT_EQ(fresh.Text(),
            "Thank you for installing Pyxora 3.2.  You can use this product to simulate several graphical effects "
            "including:  Fireworks, Gravity Wells, Galaxies, B-Spline Warp and B-Spline Sparklers.  ");
  WelcomeWindow earlier(true);
  earlier.show();
  Shot(earlier, "welcome");
  EXPECT_TRUE(earlier.Text().endsWith(
      "Your current settings will be saved to the template file:  propsave.pxt.  Restore your settings from the "
      "menu:  File-> Open Template."));
  Click(earlier, "cmdReset");
  EXPECT_TRUE(earlier.ResetRequested());
  Click(fresh, "cmdClose");
  EXPECT_FALSE(fresh.ResetRequested());
}

// The animations run inside the window's own frame waits, so the test acts from timers
// that fire while they run.
TEST_F(Dialogs, AboutMiniaturesAnimateAndStopAtTheCloseButton) {
  AboutWindow window;
  auto* box = Child<PictureBox>(window, "picPXRA");
  QImage first, second;
  bool wasRunning = false;
  QTimer::singleShot(2000, &window, [&] { first = box->grab().toImage(); });
  QTimer::singleShot(2500, &window, [&] {
    second = box->grab().toImage();
    wasRunning = window.MiniaturesRunning();
    Shot(window, "about");
    Click(window, "cmdClose");
  });
  window.show();
  QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 5000);
  EXPECT_TRUE(wasRunning);
  EXPECT_GT(box->Surface().CountLitPixels(), 0u);
  EXPECT_NE(first, second);
  EXPECT_FALSE(window.MiniaturesRunning());
  EXPECT_EQ(gState.Canvas, nullptr);
  EXPECT_FALSE(gState.StopRequested);
}

TEST_F(Dialogs, CreditsScrollAndCloseOnDoubleClick) {
  CreditsWindow window;
  auto* box = Child<PictureBox>(window, "picCredits");
  size_t lit = 0;
  QTimer::singleShot(1500, &window, [&] {
    Shot(window, "credits");
    lit = box->Surface().CountLitPixels();
    QTest::mouseDClick(box, Qt::LeftButton);
  });
  window.show();
  QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 5000);
  EXPECT_GT(lit, 0u);
  EXPECT_FALSE(window.Running());
}

// Escape closes like the close button: the animation stops with the window instead of
// running on unseen and keeping the program from ending.
TEST_F(Dialogs, EscapeStopsTheAnimatedWindows) {
  AboutWindow about;
  CreditsWindow credits;
  for (QDialog* window : std::initializer_list<QDialog*>{&about, &credits}) {
    bool closed = false;
    QTimer::singleShot(500, window, [&] { QTest::keyClick(window, Qt::Key_Escape); });
    QTimer::singleShot(0, window, [&] {
      window->exec();
      closed = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(closed, 5000);
    EXPECT_FALSE(window->isVisible());
  }
  EXPECT_FALSE(about.MiniaturesRunning());
  EXPECT_FALSE(credits.Running());
}

}  // namespace
}  // namespace pyxora
