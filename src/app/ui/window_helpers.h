// Window routines shared by the configuration windows.
#pragma once

#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace pyxora {

class NumberBox;
class Spinner;
struct PropertiesModel;

// Rewrites the box as its whole number within lo..hi, limits its length and runs the
// spinner from hi at the top to lo at the bottom with the step the range calls for.
void BindSpinner(NumberBox& box, Spinner& spinner, int lo, int hi, int maxLength);
// Selects the whole text of the focused control when it is a text box.
void SelectAllOnFocus();
// Enables or disables a frame and every control inside it.
void SetContainerEnabled(QWidget& container, bool enabled);
// Enables or disables every control of the window except its menus and the control
// named `except` (with the frames that hold it, so it stays usable).
void EnableControlsExcept(QWidget& form, bool enabled, const QString& except);
// The busy pointer while the window rearranges itself.
void SetHourglass(bool busy);
// ShowFileDialog, the file chooser shown modally, is in app/ui/file_chooser.h.

}  // namespace pyxora
