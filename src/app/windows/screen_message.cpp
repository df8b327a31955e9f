#include "app/windows/screen_message.h"

#include <QFontMetrics>
#include <QPainter>

#include "base/numeric.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/saver_state.h"

namespace pyxora {

MessagePicture::MessagePicture(QWidget* parent) : QWidget(parent) {
  // Its own X window, so frames drawn straight onto the display leave it alone.
  setAttribute(Qt::WA_NativeWindow);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Input goes to the display underneath, as if the picture were not there.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

void MessagePicture::SetContent(const QString& text, const QFont& font, const QColor& colour) {
  text_ = text;
  font_ = font;
  colour_ = colour;
  update();
}

void MessagePicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  painter.setFont(font_);
  painter.setPen(colour_);
  painter.drawText(0, QFontMetrics(font_).ascent(), text_);
}

void ShowScreenMessage(MessagePicture& picture) {
  const QString text = QString::fromStdString(gState.MessageText);
  if (!gState.Canvas || text.trimmed().isEmpty()) {
    // A display restarted after the message was removed must not keep the old one.
    picture.hide();
    return;
  }
  // Faces that are not installed fall back through fontconfig to a similar one.
  QFont font(QString::fromStdString(gState.MessageFontName));
  font.setPointSize(gState.MessageFontSize);
  const uint32_t colour = HueToRgb(gState.MessageFontHue, 55, 100, 100, 100);
  picture.SetContent(text, font, QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));

  const QFontMetrics metrics(font);
  const int w = metrics.horizontalAdvance(text);
  const int h = metrics.height();
  const int parentWidth = picture.parentWidget() ? picture.parentWidget()->width() : w;
  // A message wider than the window gets a negative left edge and is cut equally at both sides.
  const int left = NearestInt32((parentWidth - w) * 0.5);
  picture.setGeometry(left, kMessageTopMargin, w, h);
  picture.show();
  picture.raise();
}

}  // namespace pyxora
