#include "app/ui/number_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "app/ui/window_helpers.h"
#include "base/number_text.h"
#include "render/text_helpers.h"

namespace pyxora {

NumberBox::NumberBox(QString array, int index, QWidget* parent)
    : QLineEdit(parent), array_(std::move(array)), index_(index) {
  setObjectName(QStringLiteral("%1_%2").arg(array_).arg(index_));
  setAlignment(Qt::AlignRight);
}

void NumberBox::ApplyLostFocus() {
  if (!lostFocus_) return;
  const QString clamped = QString::fromStdString(lostFocus_(text().toStdString()));
  if (clamped != text()) setText(clamped);
}

void NumberBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    if (arrow_) {
      if (const auto stepped = arrow_(text().toStdString(), event->key() == Qt::Key_Up ? 1 : -1)) {
        setText(QString::fromStdString(*stepped));
        selectAll();
      }
    }
    return;
  }
  // Only printable characters pass the filters: editing keys and shortcuts keep working,
  // Delete included, which X11 hands over as the character 0x7f.
  const QString typed = event->text();
  const bool character = typed.size() == 1 && typed.at(0).isPrint() &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (character) {
    const int key = typed.at(0).unicode();
    const int passed = decimal_ ? FilterDecimalKey(text().toStdString(), selectionStart() < 0 ? cursorPosition()
                                                                                             : selectionStart(),
                                                   static_cast<int>(selectedText().size()), key)
                                : FilterDigitKey(key);
    if (passed == 0) {
      QApplication::beep();
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void NumberBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  SelectAllOnFocus();
  // A click places the caret after focusing; select once it has. Only then: keys typed
  // right after a Tab would otherwise act on the text and then lose it to the selection.
  if (event->reason() != Qt::MouseFocusReason) return;
  QTimer::singleShot(0, this, [this] {
    if (hasFocus()) SelectAllOnFocus();
  });
}

void NumberBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A popup menu or another window taking the focus is not leaving the box.
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
  ApplyLostFocus();
}

Spinner::Spinner(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
  setInvertedAppearance(true);
  setInvertedControls(false);
  setFixedSize(17, 22);
  // Qt keeps the arrow that adds at the bottom even when the range runs downwards:
  // the arrows step the way they point.
  connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
    if (action == SliderSingleStepAdd) setSliderPosition(value() - singleStep());
    if (action == SliderSingleStepSub) setSliderPosition(value() + singleStep());
  });
}

void Spinner::Follow(NumberBox& box) {
  connect(this, &QScrollBar::valueChanged, &box, [&box](int value) { box.setText(QString::number(value)); });
  connect(&box, &QLineEdit::textChanged, this, [this](const QString& text) {
    // Only a value the spinner can hold moves it; typing goes on undisturbed.
    const double value = ValOfBoxText(text.toStdString());
    if (value < minimum() || value > maximum()) return;
    const QSignalBlocker quiet(this);
    setValue(static_cast<int>(value));
  });
}

}  // namespace pyxora
