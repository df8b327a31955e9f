#include "app/ui/help_opener.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>

#include "host/help_topics.h"

namespace pyxora {
namespace {

UrlOpener& Opener() {
  static UrlOpener opener;
  return opener;
}

}  // namespace

void SetUrlOpener(UrlOpener opener) { Opener() = std::move(opener); }

bool OpenUrl(const QUrl& url) {
  if (Opener()) return Opener()(url);
  return QDesktopServices::openUrl(url);
}

QUrl HelpUrl(int context) {
  const std::filesystem::path folder = FindHelpFolder(QCoreApplication::applicationDirPath().toStdString());
  if (folder.empty()) return {};
  const HelpTopic topic = HelpTopicFor(context);
  QUrl url = QUrl::fromLocalFile(QString::fromStdString((folder / topic.page).string()));
  url.setFragment(QString::fromUtf8(topic.anchor));
  return url;
}

void ShowHelp(QWidget* owner, int context) {
  const QUrl url = HelpUrl(context);
  if (url.isEmpty()) {
    QMessageBox::information(owner, "Pyxora", "The help pages could not be found.");
    return;
  }
  if (!OpenUrl(url))
    QMessageBox::information(owner, "Pyxora", "The help could not be opened:\n" + url.toString());
}

}  // namespace pyxora
