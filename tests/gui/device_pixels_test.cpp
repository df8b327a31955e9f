// The framebuffer is as large as the window in device pixels, at any scale factor, and
// the camera's viewport with it. tests/e2e/test_scale.sh runs this at a factor of 2.
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "app/windows/display_window.h"
#include "gui_support.h"
#include "render/frame_host.h"
#include "render/viewport.h"

namespace pyxora {
namespace {

class ProbeDisplay : public DisplayWindow {
 public:
  void Run() { RunDriver(DriverVariant::Windowed, nullptr); }
};

class DevicePixelsTest : public testing::GuiTest {};

TEST_F(DevicePixelsTest, TheFramebufferAndTheViewportHaveTheWindowsSizeInDevicePixels) {
  SaveSettingStr("General", "AnimationType", 1);  // the retired effect: the driver idles
  ProbeDisplay window;
  window.resize(200, 120);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const qreal ratio = window.devicePixelRatioF();
  if (const char* expected = std::getenv("PYXORA_EXPECT_RATIO")) {
    ASSERT_EQ(ratio, std::atof(expected));
  }
  QSize framebuffer;
  QTimer::singleShot(200, &window, [&] {
    framebuffer = QSize(window.Surface().Width(), window.Surface().Height());
    RequestStop();
  });
  QTimer::singleShot(5000, &window, [] { RequestStop(); });  // never hang the run
  window.Run();
  const QSize device(qRound(200 * ratio), qRound(120 * ratio));
  EXPECT_EQ(framebuffer, device);
  EXPECT_EQ(window.DeviceSize(), device);
  EXPECT_EQ(gViewport.Width, device.width());
  EXPECT_EQ(gViewport.Height, device.height());
}

}  // namespace
}  // namespace pyxora
