// Where the Properties window opens: /c, and the windowed application's click or key.
#pragma once

#include <windows.h>

namespace pyxora {

// /c: the Properties window on its own; the exit status.
int RunPropertiesWindow();
// The windowed application's click or key: the Properties window, modal to `owner`.
void ShowPropertiesModal(HWND owner);

}  // namespace pyxora
