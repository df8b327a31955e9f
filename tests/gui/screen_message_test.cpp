#include "app/windows/screen_message.h"

#include <QImage>

#include "app/windows/display_window.h"
#include "gui_support.h"

namespace pyxora {
namespace {

class ScreenMessage : public testing::GuiTest {
 protected:
  // Shows `text` in a display window of the given width and returns what it looks like.
  QImage Render(const std::string& text, int16_t hue, int width = 400) {
    window_.resize(width, 120);
    window_.Surface().Resize(width, 120);
    gState.Canvas = &window_.Surface();
    gState.MessageText = text;
    gState.MessageFontName = "Arial";
    gState.MessageFontSize = 20;
    gState.MessageFontHue = hue;
    ShowScreenMessage(window_.Message());
    return window_.grab().toImage();
  }
  DisplayWindow window_;
};

TEST_F(ScreenMessage, HelloIsDrawnAtTheTopCentreInTheColourOfItsHue) {
  struct Row {
    int16_t hue;
    QColor colour;
  };
  for (const Row& row : {Row{0, QColor(255, 55, 55)}, Row{120, QColor(55, 255, 55)}, Row{240, QColor(55, 55, 255)}}) {
    const QImage image = Render("Hello", row.hue);
    const QRect topCentre(140, kMessageTopMargin, 120, 40);
    EXPECT_GT(testing::CountColour(image, topCentre, row.colour), 20) << "hue " << row.hue;
    // Nothing of it outside: left, right and below the message.
    EXPECT_EQ(testing::CountColour(image, QRect(0, 0, 140, 120), row.colour), 0) << "hue " << row.hue;
    EXPECT_EQ(testing::CountColour(image, QRect(260, 0, 140, 120), row.colour), 0) << "hue " << row.hue;
    EXPECT_EQ(testing::CountColour(image, QRect(0, 50, 400, 70), row.colour), 0) << "hue " << row.hue;
    const QRect picture = window_.Message().geometry();
    EXPECT_EQ(picture.top(), kMessageTopMargin);
    EXPECT_LE(std::abs(picture.left() - (400 - picture.right() - 1)), 1) << "not centred";
  }
}

TEST_F(ScreenMessage, ABlankMessageShowsNothing) {
  Render("Hello", 0);
  const QImage image = Render("", 0);
  EXPECT_TRUE(window_.Message().isHidden());
  EXPECT_EQ(testing::CountColour(image, image.rect(), QColor(0, 0, 0)), 400 * 120);
}

TEST_F(ScreenMessage, AMessageWiderThanTheWindowIsCutEquallyAtBothSides) {
  const QImage image = Render("MMMMMMMMMMMMMMMMMMMMMMMM", 120, 200);
  const QRect picture = window_.Message().geometry();
  ASSERT_GT(picture.width(), 200);
  const int cutLeft = -picture.left();
  const int cutRight = picture.right() + 1 - 200;
  EXPECT_LE(std::abs(cutLeft - cutRight), 1);
  const QColor green(55, 255, 55);
  EXPECT_GT(testing::CountColour(image, QRect(0, 0, 20, 50), green), 0);
  EXPECT_GT(testing::CountColour(image, QRect(180, 0, 20, 50), green), 0);
}

TEST_F(ScreenMessage, AFaceThatIsNotInstalledFallsBackToOneThatIs) {
  window_.resize(400, 120);
  gState.Canvas = &window_.Surface();
  gState.MessageText = "Hello";
  gState.MessageFontName = "No Such Face Anywhere";
  gState.MessageFontSize = 20;
  gState.MessageFontHue = 0;
  ShowScreenMessage(window_.Message());
  EXPECT_GT(testing::CountColour(window_.grab().toImage(), QRect(100, 0, 200, 50), QColor(255, 55, 55)), 20);
}

TEST_F(ScreenMessage, TheAnimationDoesNotDrawOverTheMessage) {
  Render("Hello", 240);
  Canvas& canvas = window_.Surface();
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 400; ++x) canvas.SetPixel(x, y, RgbColor(255, 255, 255));
  window_.PresentCanvas();
  const QImage image = window_.grab().toImage();
  EXPECT_GT(testing::CountColour(image, window_.Message().geometry(), QColor(55, 55, 255)), 20);
  EXPECT_EQ(testing::CountColour(image, window_.Message().geometry(), QColor(255, 255, 255)), 0);
}

}  // namespace
}  // namespace pyxora
