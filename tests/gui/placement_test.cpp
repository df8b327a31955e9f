#include "app/platform/qt_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "gui_support.h"

namespace pyxora {
namespace {

class WindowPlacement : public testing::GuiTest {
 protected:
  QRect Screen() const { return QGuiApplication::primaryScreen()->geometry(); }
};

TEST_F(WindowPlacement, AWindowComesBackWhereItWasSaved) {
  QWidget saved;
  saved.setGeometry(60, 70, 333, 222);
  SavePlacement(saved, "General\\Main");
  QWidget restored;
  restored.resize(100, 100);
  RestorePlacement(restored, "General\\Main");
  EXPECT_EQ(restored.pos(), QPoint(60, 70));
  EXPECT_EQ(restored.size(), QSize(333, 222));
}

TEST_F(WindowPlacement, AFixedBorderWindowIsMovedButKeepsItsSize) {
  SaveSettingStr("General\\SystemDiag", "WindowState", "0");
  SaveSettingStr("General\\SystemDiag", "WindowSize", "00150001500960007200");
  QWidget window;
  window.resize(300, 200);
  RestorePlacement(window, "General\\SystemDiag", false);
  EXPECT_EQ(window.pos(), QPoint(10, 10));
  EXPECT_EQ(window.size(), QSize(300, 200));
}

TEST_F(WindowPlacement, AWindowNeverSavedIsCentred) {
  QWidget window;
  window.resize(200, 100);
  RestorePlacement(window, "General\\Advanced");
  EXPECT_EQ(window.pos(), QPoint(Screen().x() + (Screen().width() - 200) / 2, Screen().y() + (Screen().height() - 100) / 2));
}

TEST_F(WindowPlacement, AWindowSavedWhereNoScreenIsNowIsCentred) {
  SaveSettingStr("General\\Template", "WindowState", "0");
  // 60000 twips is 4000 pixels to the right: beyond any screen of this test.
  SaveSettingStr("General\\Template", "WindowSize", "60000001500300001500");
  QWidget window;
  RestorePlacement(window, "General\\Template");
  EXPECT_EQ(window.size(), QSize(200, 100));
  EXPECT_EQ(window.pos(), QPoint(Screen().x() + (Screen().width() - 200) / 2, Screen().y() + (Screen().height() - 100) / 2));
}

TEST_F(WindowPlacement, AMaximisedWindowIsRestoredMaximised) {
  SaveSettingStr("General\\SoundFX", "WindowState", "2");
  SaveSettingStr("General\\SoundFX", "WindowSize", "00150001500300001500");
  QWidget window;
  RestorePlacement(window, "General\\SoundFX");
  EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
}

}  // namespace
}  // namespace pyxora
