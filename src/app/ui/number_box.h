// The numeric text boxes of the configuration windows and their spinners: the key
// filters with a beep, arrow-key steps, select-all on focus and the lost-focus clamp.
#pragma once

#include <QLineEdit>
#include <QScrollBar>
#include <functional>
#include <optional>
#include <string>

namespace pyxora {

class NumberBox : public QLineEdit {
  Q_OBJECT
 public:
  // `array` and `index` name the box as the settings rows do ("txtGrav", 4).
  NumberBox(QString array, int index, QWidget* parent = nullptr);

  const QString& Array() const { return array_; }
  int Index() const { return index_; }
  // What leaving the box makes of its text; by default the text stays.
  void SetLostFocusRule(std::function<std::string(const std::string&)> rule) { lostFocus_ = std::move(rule); }
  // What Up (+1) and Down (-1) make of the text; nothing: the keys are ignored.
  void SetArrowRule(std::function<std::optional<std::string>(const std::string&, int)> rule) {
    arrow_ = std::move(rule);
  }
  void SetDecimal(bool decimal) { decimal_ = decimal; }
  // The lost-focus clamp, also run by Accept for the box that has the focus.
  void ApplyLostFocus();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QString array_;
  int index_;
  bool decimal_ = false;
  std::function<std::string(const std::string&)> lostFocus_;
  std::function<std::optional<std::string>(const std::string&, int)> arrow_;
};

// A spinner: a small vertical scroll bar whose top end is the range's maximum.
class Spinner : public QScrollBar {
  Q_OBJECT
 public:
  explicit Spinner(QWidget* parent = nullptr);
  QSize sizeHint() const override { return {17, 22}; }
  // Writes its value into `box` and follows what is typed there.
  void Follow(NumberBox& box);
};

}  // namespace pyxora
