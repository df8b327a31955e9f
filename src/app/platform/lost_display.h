// When the X server goes away under a running display. Qt's answer is exit(1) from
// deep inside its event processing, after a warning of its own: static destructors
// then run under live windows and the sound thread. Here the program says what
// happened in one line and ends at once with status 1.
#pragma once

namespace pyxora {

// Installs the watch for the rest of the process (once a QGuiApplication exists).
void WatchForLostDisplay();
// Ends the process if the application's X connection has failed.
void EndIfDisplayLost();
// Says that the display was lost and ends the process with status 1.
[[noreturn]] void EndForLostDisplay();

}  // namespace pyxora
