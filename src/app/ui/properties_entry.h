// How other windows open the Properties window.
#pragma once

class QWidget;

namespace pyxora {

// Opens the Properties window modally over `owner` and returns when it has closed.
// The window may set gState.ExitRequested (its Exit command).
void ShowPropertiesModal(QWidget* owner);

}  // namespace pyxora
