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

// What the file chooser is asked for. In template mode the chooser also loads the
// chosen template into `model` (open) or writes it from `model` (save).
struct FileDialogRequest {
  bool openMode = true;
  bool templateMode = false;
  QString title;
  QString filter;            // "description|pattern|" pairs
  QString defaultExtension;  // without the dot
  PropertiesModel* model = nullptr;
};
using FileDialogFunction = std::function<std::string(QWidget* owner, const FileDialogRequest&)>;
// Installs the chooser; none installed: ShowFileDialog returns "".
void SetFileDialogFunction(FileDialogFunction function);
bool HasFileDialog();
// Shows the file chooser modally; the chosen path, or "" when cancelled.
std::string ShowFileDialog(QWidget* owner, const FileDialogRequest& request);

}  // namespace pyxora
