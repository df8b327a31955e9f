// The end-of-frame routines every effect loop calls: hold the frame period, let
// input through, notice that the preview's host window has gone, count frames.
#pragma once

namespace pyxora {

// After a frame is drawn: presents it and waits out the frame delay. True: stop now.
bool PaceFrame();
// The waiting core of PaceFrame. True when a stop was requested while waiting.
bool WaitFrameDelay();
// Yields until the millisecond tick changes (the preview's extra pause).
void WaitNextTick();
// Counts one frame of the current run. True when the run has used up its frames.
bool AdvanceCycleFrame();

}  // namespace pyxora
