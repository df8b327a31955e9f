// Frames sent straight to a real X server land as the framebuffer holds them, through
// shared memory or plain requests. Skipped off X11; tests/e2e/test_present.sh runs
// them under Xvfb with and without MIT-SHM.
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QTest>
#include <cstdlib>
#include <random>
#include <string>

#include "app/platform/x11_present.h"
#include "app/windows/display_window.h"
#include "gui_support.h"

namespace pyxora {
namespace {

class X11PresentTest : public testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X server";
    window_.resize(kWidth, kHeight);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    window_.Surface().Resize(kWidth, kHeight);
    window_.PresentCanvas();
    ASSERT_NE(window_.X11Target(), nullptr);
  }

  // The window's pixels as the server has them, 0xFFRRGGBB like the framebuffer.
  std::vector<uint32_t> Grab() {
    QCoreApplication::processEvents();
    auto* c = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, static_cast<xcb_drawable_t>(window_.winId()), 0, 0, kWidth,
                         kHeight, ~0u),
        nullptr);
    std::vector<uint32_t> pixels;
    if (!reply) return pixels;
    const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(reply));
    for (int i = 0; i < kWidth * kHeight; ++i) pixels.push_back(data[i] | 0xFF000000u);
    std::free(reply);
    return pixels;
  }

  int Differing() {
    const std::vector<uint32_t> shown = Grab();
    if (shown.size() != static_cast<size_t>(kWidth * kHeight)) return -1;
    int differing = 0;
    for (size_t i = 0; i < shown.size(); ++i) differing += shown[i] != window_.Surface().Data()[i];
    return differing;
  }

  static constexpr int kWidth = 320, kHeight = 200;
  DisplayWindow window_;
};

TEST_F(X11PresentTest, SparseAndCrowdedFramesReachTheScreenAsDrawnAndIdleFramesSendNothing) {
  if (const char* expected = std::getenv("PYXORA_EXPECT_TRANSFER")) {
    const bool shm = window_.X11Target()->Transfer() == ImageTransfer::SharedMemory;
    EXPECT_EQ(std::string(expected), shm ? "shm" : "requests");
  }
  Canvas& canvas = window_.Surface();
  std::mt19937 random(3);
  for (int frame = 0; frame < 12; ++frame) {
    const int count = frame % 4 == 3 ? 20000 : 300;  // every fourth frame crowded
    for (int i = 0; i < count; ++i)
      canvas.SetPixel(static_cast<int>(random() % kWidth), static_cast<int>(random() % kHeight),
                      RgbColor(static_cast<int>(random() % 256), static_cast<int>(random() % 4) * 80, 200));
    if (frame == 6) canvas.Clear();
    window_.PresentCanvas();
    ASSERT_EQ(Differing(), 0) << "frame " << frame;
  }
  window_.PresentCanvas();
  EXPECT_EQ(window_.LastPresent().Pixels(), 0u);
  canvas.SetPixel(1, 1, canvas.GetPixel(1, 1));
  canvas.Clear();
  canvas.Clear();
  window_.PresentCanvas();
  canvas.SetPixel(7, 7, 0);
  window_.PresentCanvas();
  EXPECT_EQ(window_.LastPresent().Pixels(), 0u);
}

}  // namespace
}  // namespace pyxora
