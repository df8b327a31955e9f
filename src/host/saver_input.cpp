#include "host/saver_input.h"

#include <chrono>
#include <ctime>

#include "base/numeric.h"
#include "base/system.h"
#include "render/frame_host.h"
#include "render/saver_state.h"

namespace pyxora {

bool CountMouseMove(MouseMoveSeries& series, bool displayOnBackground, double secondsSinceMidnight) {
  ++series.count;
  const bool close = series.count == kMouseMoveThreshold && !displayOnBackground;
  if (series.stamp == 0) {
    series.stamp = NearestInt32(secondsSinceMidnight);
  } else if (secondsSinceMidnight - series.stamp > kMouseMoveSeriesSeconds) {
    series.stamp = 0;
    series.count = 0;
  }
  return close;
}

double SecondsSinceMidnight() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t whole = system_clock::to_time_t(now);
  const std::tm local = LocalTime(whole);
  const double fraction = duration<double>(now - system_clock::from_time_t(whole)).count();
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

int32_t PlatformId() { return 2; }

bool VerifyPassword() {
  // The oldest family would ask its own password dialog here; no such platform runs this build.
  return true;
}

void SetSaverRunning(bool) {
  // Nothing to tell: on this platform the screen locker, not the saver, guards the session.
}

bool QueryClose(const std::function<bool()>& verifyPassword) {
  RequestStop();
  if (verifyPassword && !verifyPassword()) {
    gState.StopRequested = false;
    return false;
  }
  return true;
}

}  // namespace pyxora
