// The about window's animated miniatures: the four demo entries in turn, each for a
// fixed number of frames, until a stop is requested.
#pragma once

#include <cstdint>
#include <functional>

namespace pyxora {

class Canvas;
class FrameHost;

// Runs `body` as an animation of its own on `host` and gives the run state and the
// camera and colours back as they were afterwards (a Properties preview may be paused under it).
void RunKeepingRunState(FrameHost& host, const std::function<void()>& body);

inline constexpr int32_t kMiniatureFrames = 1050;
inline constexpr int kMiniatureCount = 4;

// Sets up the camera, pacing and colours for one miniature on `canvas` and runs
// demo `which` (0 fireworks, 1 galaxy, 2 gravity wells, 3 sparklers).
void RunAboutMiniature(int which, Canvas& canvas);
// Runs the miniatures in turn until gState.StopRequested; `started` (if any) hears
// each one as it begins.
void RunAboutMiniatures(Canvas& canvas, const std::function<void(int which)>& started = {});

}  // namespace pyxora
