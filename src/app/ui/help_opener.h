// Opening the HTML help in the desktop's browser at a window's topic.
#pragma once

#include <QUrl>
#include <functional>

class QWidget;

namespace pyxora {

// Who opens a URL: the desktop's handler by default; tests install a recorder.
using UrlOpener = std::function<bool(const QUrl&)>;
void SetUrlOpener(UrlOpener opener);
bool OpenUrl(const QUrl& url);

// The help page of `context` (see host/help_topics.h) as a file URL with its anchor;
// empty when no help folder is found.
QUrl HelpUrl(int context);
// Opens it, or tells the user that the help is missing or could not be opened.
void ShowHelp(QWidget* owner, int context);

}  // namespace pyxora
