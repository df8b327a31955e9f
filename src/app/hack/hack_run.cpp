#include "app/hack/hack_run.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iostream>

#include "app/hack/x11_hack_surface.h"
#include "host/hack_driver.h"
#include "render/frame_host.h"
#include "render/frame_rate.h"
#include "render/saver_state.h"

namespace pyxora {
namespace {

// The daemon ends a hack with SIGTERM; a person at a terminal with SIGINT. Either
// only notes the signal and wakes the wait; the frame loop then ends normally, and
// once everything is closed the process ends by that signal (RunHack).
volatile std::sig_atomic_t gSignalled = 0;
int gWakePipe[2] = {-1, -1};

void OnSignal(int signal) {
  gSignalled = signal;
  if (gWakePipe[1] >= 0) {
    const int saved = errno;
    [[maybe_unused]] const ssize_t written = write(gWakePipe[1], "x", 1);
    errno = saved;
  }
}

class SignalWatch {
 public:
  SignalWatch() {
    if (pipe2(gWakePipe, O_CLOEXEC | O_NONBLOCK) != 0) gWakePipe[0] = gWakePipe[1] = -1;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
  }
  ~SignalWatch() {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, SIG_DFL);
    for (int& fd : gWakePipe) {
      if (fd >= 0) close(fd);
      fd = -1;
    }
  }
  int Fd() const { return gWakePipe[0]; }
};

class HackFrameHost : public FrameHost {
 public:
  HackFrameHost(X11HackSurface& surface, Canvas& canvas, bool showFps, const SignalWatch& signals)
      : surface_(surface), canvas_(canvas), showFps_(showFps), signals_(signals) {}

  uint32_t Tick() override {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  }

  void ProcessEvents() override {
    X11HackSurface::Events events = surface_.TakeEvents();
    if (!events.failure.empty() && failure_.empty()) failure_ = events.failure;
    if (gSignalled || events.gone || events.closeRequested || !failure_.empty()) ending_ = true;
    if (events.resized) resized_ = true;
    if (events.exposed) wholeFrame_ = true;
    if (ending_ || resized_) gState.StopRequested = true;
  }

  void WaitForEvents(uint32_t milliseconds) override {
    surface_.Flush();
    if (gSignalled || surface_.EventQueued()) return;
    pollfd fds[2] = {{surface_.ConnectionFd(), POLLIN, 0}, {signals_.Fd(), POLLIN, 0}};
    poll(fds, signals_.Fd() >= 0 ? 2 : 1, static_cast<int>(std::min<uint32_t>(milliseconds, 1000)));
    if (fds[1].revents & POLLIN) {
      char drained[16];
      while (read(signals_.Fd(), drained, sizeof drained) > 0) {
      }
    }
  }

  // The band of rows written since the last frame (whole rows: PutImage sends bands).
  PixelRect WrittenRows() {
    const PixelRect band = canvas_.WrittenRows();
    canvas_.ForgetChanges();
    return band;
  }

  void PresentFrame() override {
    PixelRect dirty = WrittenRows();
    if (wholeFrame_) dirty = {0, 0, canvas_.Width(), canvas_.Height()};
    wholeFrame_ = false;
    if (showFps_) {
      counter_.CountFrame(Tick());
      // The readout is not part of the framebuffer: put the frame back under it first.
      dirty = Union(dirty, readout_);
    }
    surface_.Put(canvas_, dirty);
    if (showFps_) readout_ = surface_.DrawReadout(counter_.Text());
    surface_.Flush();
  }

  // Starting a new size: the driver begins again on a fresh framebuffer.
  bool StartAgainForNewSize() {
    const bool again = resized_ && !ending_;
    resized_ = false;
    wholeFrame_ = true;
    return again;
  }
  const std::string& Failure() const { return failure_; }

 private:
  static PixelRect Union(PixelRect a, PixelRect b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
  }

  X11HackSurface& surface_;
  Canvas& canvas_;
  bool showFps_;
  const SignalWatch& signals_;
  FrameRateCounter counter_;
  PixelRect readout_{};
  bool ending_ = false, resized_ = false, wholeFrame_ = true;
  std::string failure_;
};

int RunHackUntilEnd(const HackOptions& options) {
  const auto where = ChooseHackWindow(options, std::getenv("XSCREENSAVER_WINDOW"));
  if (const auto* problem = std::get_if<std::string>(&where)) {
    std::cerr << "pyxora: " << *problem << '\n';
    return 1;
  }
  auto opened = X11HackSurface::Open(std::get<HackWindow>(where));
  if (const auto* problem = std::get_if<std::string>(&opened)) {
    std::cerr << "pyxora: " << *problem << '\n';
    return 1;
  }
  X11HackSurface& surface = *std::get<std::unique_ptr<X11HackSurface>>(opened);

  InstallHackSettings(options, FileStore::FromEnvironment());
  SignalWatch signals;
  Canvas canvas;
  HackFrameHost host(surface, canvas, options.showFps, signals);
  gState.Host = &host;
  gState.Mode = RunMode::Saver;
  do {
    RunHackDriver(options, DisplaySurface{&canvas, surface.Width(), surface.Height(), false});
  } while (host.StartAgainForNewSize());
  gState.Host = nullptr;
  gState.Canvas = nullptr;
  if (!host.Failure().empty()) {
    std::cerr << "pyxora: " << host.Failure() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

int RunHack(const HackOptions& options) {
  const int status = RunHackUntilEnd(options);  // the window and the connection are closed now
  // A hack that exits after SIGTERM, even with status 0, is logged by the daemon as
  // having "exited abnormally": end by the signal itself, as its default action would.
  if (const int signal = gSignalled) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
  }
  return status;
}

}  // namespace pyxora
