// What the frame loops ask of whoever hosts them: a millisecond tick, the event
// pump, a way to sleep until something happens, and presenting the finished frame.
// Windows implement it over Qt; tests and headless rendering use a virtual clock.
#pragma once

#include <cstdint>

namespace pyxora {

class FrameHost {
 public:
  virtual ~FrameHost() = default;
  // Milliseconds, 32 bits, wrapping (GetTickCount).
  virtual uint32_t Tick() = 0;
  // One pass over the pending events (DoEvents); input handlers run here.
  virtual void ProcessEvents() = 0;
  // Sleeps until `milliseconds` have passed, an event arrives or a stop is requested.
  virtual void WaitForEvents(uint32_t milliseconds) = 0;
  // Shows what the canvas holds; called once per frame.
  virtual void PresentFrame() {}
  // IsWindow for the preview's host window.
  virtual bool WindowExists(int64_t /*windowId*/) { return true; }
  // Ends a WaitForEvents in progress (a stop was requested).
  virtual void Wake() {}
};

// Sets StopRequested and ends the current wait at once.
void RequestStop();

// A virtual clock that moves only when asked to wait: frame loops run at full speed
// with their pacing logic intact. Used by headless rendering and tests.
class VirtualFrameHost : public FrameHost {
 public:
  uint32_t Tick() override { return now_; }
  void ProcessEvents() override { ++eventPasses_; }
  void WaitForEvents(uint32_t milliseconds) override { now_ += milliseconds == 0 ? 1 : milliseconds; }

  void SetTick(uint32_t tick) { now_ = tick; }
  void Advance(uint32_t milliseconds) { now_ += milliseconds; }
  uint64_t EventPasses() const { return eventPasses_; }

 protected:
  uint32_t now_ = 0;
  uint64_t eventPasses_ = 0;
};

}  // namespace pyxora
