// How the program opens the Properties window.
#pragma once

class QWidget;

namespace pyxora {

// Opens the Properties window modally over `owner` and returns when it has closed.
// The window may set gState.ExitRequested (its Exit command).
void ShowPropertiesModal(QWidget* owner);

// The configuration mode ("/c"): the Properties window as the program's only window.
// Returns the process's exit status.
int RunPropertiesWindow(int argc, char** argv);

}  // namespace pyxora
