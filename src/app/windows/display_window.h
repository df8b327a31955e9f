// What the three displays share: a window that shows a framebuffer, presents what
// changed once per frame, carries the message picture and runs an animation driver.
#pragma once

#include <QWidget>
#include <chrono>
#include <deque>
#include <memory>

#include "render/change_presenter.h"
#include "host/driver.h"
#include "render/canvas.h"

namespace pyxora {

class MessagePicture;
class FrameRateReadout;
class X11PresentTarget;

// --fps: the saver and the windowed application show frames per second and the
// milliseconds each frame took in a corner.
void SetFrameRateReadout(bool on);
bool FrameRateReadoutOn();

class DisplayWindow : public QWidget {
  Q_OBJECT
 public:
  explicit DisplayWindow(QWidget* parent = nullptr);
  ~DisplayWindow() override;

  Canvas& Surface() { return canvas_; }
  MessagePicture& Message() { return *message_; }
  // Sends what changed in the framebuffer to the screen.
  void PresentCanvas();
  // What the last PresentCanvas sent.
  const PresentStats& LastPresent() const { return lastPresent_; }
  // The window's size in device pixels: the framebuffer's size at any scale factor.
  QSize DeviceSize() const;
  // Whether frames go to the X server directly (else through the toolkit's painting).
  const X11PresentTarget* X11Target() const { return x11Target_.get(); }
  FrameRateReadout* Readout() const { return readout_; }

 protected:
  // Runs one driver on this window's framebuffer until StopRequested.
  void RunDriver(DriverVariant variant, SequenceState* sequence);
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  PresentTarget& TargetForCanvas();
  void CountFrame();

  Canvas canvas_;
  MessagePicture* message_;
  FrameRateReadout* readout_ = nullptr;
  ChangePresenter presenter_;
  PresentStats lastPresent_;
  std::unique_ptr<X11PresentTarget> x11Target_;
  std::unique_ptr<PresentTarget> widgetTarget_;
  bool x11Refused_ = false;
  int64_t framesPresented_ = 0;
  std::chrono::steady_clock::time_point firstPresent_{}, lastPresentTime_{};
  QObject* watchedWindow_ = nullptr;
};

// Frames per second and ms per frame over the last second, in a small picture.
class FrameRateReadout : public QWidget {
  Q_OBJECT
 public:
  explicit FrameRateReadout(QWidget* parent);
  // One frame has been presented; `busy` is the time it took, without the waits.
  void AddFrame(std::chrono::steady_clock::time_point shown, std::chrono::nanoseconds busy);
  QString Text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Frame {
    std::chrono::steady_clock::time_point shown;
    std::chrono::nanoseconds busy;
  };
  std::deque<Frame> frames_;
  QString text_;
};

}  // namespace pyxora
