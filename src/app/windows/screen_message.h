// The user's message over the animation: a small opaque picture at the top centre
// of the saver and windowed displays. It is a child window of the display, so the
// framebuffer the animation draws on never overwrites it.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace pyxora {

class MessagePicture : public QWidget {  // picMessage
  Q_OBJECT
 public:
  explicit MessagePicture(QWidget* parent);
  void SetContent(const QString& text, const QFont& font, const QColor& colour);
  const QString& Text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  QFont font_;
  QColor colour_;
};

inline constexpr int kMessageTopMargin = 5;

// Draws gState's message (face, size in points, hue) into `picture`, centred at the
// top of its parent. An empty message hides the picture, so nothing covers the animation.
void ShowScreenMessage(MessagePicture& picture);

}  // namespace pyxora
