#include "app/platform/qt_frame_host.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>

#include "app/platform/lost_display.h"

namespace pyxora {

uint32_t QtFrameHost::Tick() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void QtFrameHost::ProcessEvents() {
  EndIfDisplayLost();
  const auto start = std::chrono::steady_clock::now();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  waited_ += std::chrono::steady_clock::now() - start;
}

void QtFrameHost::WaitForEvents(uint32_t milliseconds) {
  // Input handlers run inside this loop; a stop request quits it through Wake().
  const auto start = std::chrono::steady_clock::now();
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(milliseconds), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  QEventLoop* outer = waiting_;
  waiting_ = &loop;
  loop.exec();
  waiting_ = outer;
  waited_ += std::chrono::steady_clock::now() - start;
}

std::chrono::nanoseconds QtFrameHost::TakeBusyTime(std::chrono::steady_clock::time_point now) {
  const auto busy = busySince_.time_since_epoch().count() ? now - busySince_ - waited_ : std::chrono::nanoseconds{0};
  busySince_ = now;
  waited_ = std::chrono::nanoseconds{0};
  return std::max(busy, std::chrono::nanoseconds{0});
}

void QtFrameHost::PresentFrame() {
  if (presenter_) presenter_();
}

bool QtFrameHost::WindowExists(int64_t windowId) { return windowCheck_ ? windowCheck_(windowId) : true; }

void QtFrameHost::Wake() {
  if (waiting_) waiting_->quit();
}

QtFrameHost& DisplayFrameHost() {
  static QtFrameHost host;
  return host;
}

}  // namespace pyxora
