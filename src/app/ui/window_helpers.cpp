#include "app/ui/window_helpers.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "app/ui/number_box.h"
#include "host/properties_fields.h"
#include "render/text_helpers.h"

namespace pyxora {
namespace {

// The window's own controls carry a control-type prefix; layout helpers and the
// inner parts of compound widgets do not, and are left alone.
bool IsControl(const QWidget* widget) {
  static const char* const kPrefixes[] = {"txt", "spn", "chk", "cbo", "cmd", "pic", "fra", "lbl", "opt"};
  const QString name = widget->objectName();
  for (const char* prefix : kPrefixes)
    if (name.startsWith(QLatin1String(prefix))) return true;
  return false;
}

}  // namespace

void BindSpinner(NumberBox& box, Spinner& spinner, int lo, int hi, int maxLength) {
  box.setText(QString::fromStdString(ClampTextBox(box.text().toStdString(), 0, static_cast<float>(lo),
                                                  static_cast<float>(hi))));
  box.setMaxLength(maxLength);
  spinner.setRange(lo, hi);
  spinner.setSingleStep(SpinnerStep(hi));
  spinner.setPageStep(SpinnerStep(hi));
}

void SelectAllOnFocus() {
  if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) edit->selectAll();
}

void SetContainerEnabled(QWidget& container, bool enabled) {
  container.setEnabled(enabled);
  for (QWidget* child : container.findChildren<QWidget*>())
    if (IsControl(child)) child->setEnabled(enabled);
}

void EnableControlsExcept(QWidget& form, bool enabled, const QString& except) {
  QWidget* kept = form.findChild<QWidget*>(except);
  for (QWidget* child : form.findChildren<QWidget*>()) {
    if (!IsControl(child) || child == kept) continue;
    if (qobject_cast<QMenu*>(child) || qobject_cast<QMenuBar*>(child)) continue;
    if (kept && child->isAncestorOf(kept)) continue;
    child->setEnabled(enabled);
  }
}

void SetHourglass(bool busy) {
  if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
  else QApplication::restoreOverrideCursor();
}

}  // namespace pyxora
