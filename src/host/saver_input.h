// What ends the full-screen saver: the mouse-move rule and the close query with its
// password check. Plain functions over plain state, so they are tested without windows.
#pragma once

#include <cstdint>
#include <functional>

namespace pyxora {

// The saver window's mouse-move series; both start at 0 when the window is created.
struct MouseMoveSeries {
  int32_t count = 0;  // moves counted toward the exit threshold
  int32_t stamp = 0;  // whole seconds since midnight at the series' first move; 0 = no series
};

inline constexpr int32_t kMouseMoveThreshold = 4;
inline constexpr double kMouseMoveSeriesSeconds = 10.0;

// Counts one mouse move at `secondsSinceMidnight`; true when the saver must close.
// The threshold is tested before the series' age, so the fourth move ends the saver
// even when it comes late, and the move that finds the series too old is counted
// before the count is reset.
bool CountMouseMove(MouseMoveSeries& series, bool displayOnBackground, double secondsSinceMidnight);

// Local time of day in seconds, with its fraction.
double SecondsSinceMidnight();

// The platform identifier of the password rules. Here the desktop's screen locker owns
// the password, which is the rule of every platform but the oldest family (1).
int32_t PlatformId();
// True when the saver may close; only the oldest platform family asks for a password.
bool VerifyPassword();
// Tells the system a saver runs; only the oldest platform family with a password needs it.
void SetSaverRunning(bool running);

// Every close of the saver window asks here first: requests the stop, then asks
// `verifyPassword`; a refusal withdraws the stop so the animation goes on. True: close.
bool QueryClose(const std::function<bool()>& verifyPassword = VerifyPassword);

}  // namespace pyxora
