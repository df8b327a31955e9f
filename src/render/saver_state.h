// The host state every display, effect and pacing routine shares. One record per
// process; handlers talk to running frame loops only through its request flags.
#pragma once

#include <cstdint>
#include <string>

namespace pyxora {

class Canvas;
class FrameHost;

enum class RunMode : int16_t { Windowed = 0, Saver = 1, Preview = 2 };

struct SaverState {
  RunMode Mode = RunMode::Saver;
  bool StopRequested = false;
  bool PreviewStopRequested = false;
  bool ExitRequested = false;
  bool IgnoreMouseMove = false;
  bool DisplayOnBackground = false;  // the saver window's desktop-background flag
  int64_t PreviewParent = 0;          // X11 window id of the preview's host

  pyxora::Canvas* Canvas = nullptr;   // the surface every effect draws on
  FrameHost* Host = nullptr;          // tick, event pump and presentation

  int32_t FrameDelay = 40;
  uint32_t FrameStartTick = 0;
  int32_t CycleFrameCount = 0;
  int32_t CycleFrameLimit = 0;
  float PerfMult = 1.0f;

  std::string HelpFile = "PXRA31.hlp";

  std::string MessageText;
  std::string MessageFontName = "Arial";
  int16_t MessageFontSize = 20;
  int16_t MessageFontHue = 180;
};

extern SaverState gState;

}  // namespace pyxora
