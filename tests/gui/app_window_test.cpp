#include "app/windows/app_window.h"

#include <QTest>
#include <QTimer>

#include "app/windows/screen_message.h"
#include "gui_support.h"

namespace pyxora {
namespace {

// The windowed application's round trips, run on a still picture (the retired
// effect draws nothing), with the Properties window replaced by a recorder.
class AppWindowTest : public testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    SaveSettingStr("General", "AnimationType", 1);
    SaveSettingStr("Advanced", "Adv_WinResize", 1);
  }
  // Runs the window until the program would end; `script` runs once it is going.
  void Run(AppWindow& window, const std::function<void()>& script) {
    QTimer::singleShot(150, &window, script);
    // A test that hangs would block the whole run: end it after a while.
    QTimer::singleShot(10000, &window, [&] { window.close(); });
    window.Start();
  }
  int propertiesOpened_ = 0;
};

TEST_F(AppWindowTest, ExitInThePropertiesWindowEndsTheProgram) {
  AppWindow window([&](QWidget*) {
    ++propertiesOpened_;
    gState.ExitRequested = true;
  });
  Run(window, [&] { QTest::mouseClick(&window, Qt::LeftButton); });
  EXPECT_EQ(propertiesOpened_, 1);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(GetSettingStr("General", "WindowState", ""), "0");  // saved before it opened
}

TEST_F(AppWindowTest, AKeyOpensThePropertiesAndTheAnimationRestartsWithWhatWasSaved) {
  AppWindow window([&](QWidget*) {
    ++propertiesOpened_;
    SaveSettingStr("Advanced", "LockMessage", "Saved there");
  });
  bool shownAfterwards = false;
  Run(window, [&] {
    QTest::keyClick(&window, Qt::Key_A);
    QTimer::singleShot(300, &window, [&] {
      shownAfterwards = window.Message().Text() == "Saved there" && !window.Message().isHidden();
      QTest::keyClick(&window, Qt::Key_Escape);
    });
  });
  EXPECT_EQ(propertiesOpened_, 1);
  EXPECT_TRUE(shownAfterwards);
}

TEST_F(AppWindowTest, F5SavesThePlacementAndRereadsTheSettings) {
  AppWindow window([&](QWidget*) { ++propertiesOpened_; });
  bool messageAfterF5 = false;
  Run(window, [&] {
    window.move(30, 45);
    SaveSettingStr("Advanced", "LockMessage", "Fresh");
    QTest::keyClick(&window, Qt::Key_F5);
    QTimer::singleShot(300, &window, [&] {
      messageAfterF5 = window.Message().Text() == "Fresh";
      window.close();  // as the window manager's close does
    });
  });
  EXPECT_EQ(propertiesOpened_, 0);
  EXPECT_TRUE(messageAfterF5);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(GetSettingStr("General", "WindowSize", ""), "00450006750960007200");
}

TEST_F(AppWindowTest, EscapeEndsAtOnceAndSavesThePlacement) {
  AppWindow window([&](QWidget*) { ++propertiesOpened_; });
  Run(window, [&] { QTest::keyClick(&window, Qt::Key_Escape); });
  EXPECT_EQ(propertiesOpened_, 0);
  EXPECT_EQ(GetSettingStr("General", "WindowState", ""), "0");
  EXPECT_EQ(GetSettingStr("General", "WindowSize", "").size(), 20u);
}

TEST_F(AppWindowTest, AResizedWindowGetsASurfaceOfItsNewSizeOnceTheSizeSettles) {
  AppWindow window([&](QWidget*) { ++propertiesOpened_; });
  QSize surfaceAfterResize;
  Run(window, [&] {
    window.resize(500, 300);
    QTimer::singleShot(800, &window, [&] {
      surfaceAfterResize = QSize(window.Surface().Width(), window.Surface().Height());
      window.close();
    });
  });
  EXPECT_EQ(surfaceAfterResize, QSize(500, 300));
  EXPECT_EQ(propertiesOpened_, 0);
}

}  // namespace
}  // namespace pyxora
