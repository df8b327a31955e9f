// The hack as a process: draws where the options say until the window goes away,
// SIGTERM or SIGINT arrives, or (in a window of its own) the user closes it.
#pragma once

#include "host/hack_options.h"

namespace pyxora {

// The exit status: 0 when the hack ended as a hack should, 1 when it could not draw.
int RunHack(const HackOptions& options);

}  // namespace pyxora
