#include "app/platform/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "settings/user_message.h"

namespace pyxora {

ScopedMessageBoxes::ScopedMessageBoxes() {
  SetUserMessageHandler([](UserMessageKind kind, std::string_view title, std::string_view text) {
    // The texts break lines with CR LF, as message boxes on the original platform did.
    QString body = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    body.remove(QChar('\r'));
    const QMessageBox::Icon icon = kind == UserMessageKind::Critical      ? QMessageBox::Critical
                                   : kind == UserMessageKind::Exclamation ? QMessageBox::Warning
                                                                          : QMessageBox::Information;
    QMessageBox box(icon, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())), body,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
  });
}

ScopedMessageBoxes::~ScopedMessageBoxes() { SetUserMessageHandler(nullptr); }

}  // namespace pyxora
