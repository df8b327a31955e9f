// Where the Properties window opens: the configuration windows are built on this seam.
#pragma once

#include <windows.h>

namespace pyxora {

// /c and an empty command line: the Properties window, modeless; the exit status.
int RunPropertiesWindow();
// The windowed application's click or key: the Properties window, modal to `owner`.
void ShowPropertiesModal(HWND owner);

}  // namespace pyxora
