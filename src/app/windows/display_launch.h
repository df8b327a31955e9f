// Starting a display process: the Qt application, the display's window, its driver.
#pragma once

#include "host/driver.h"

namespace pyxora {

// Opens the display of `variant` and returns the process's exit status once it has
// ended. The preview's parent window comes from gState.PreviewParent.
int RunDisplay(int argc, char** argv, DriverVariant variant);

}  // namespace pyxora
