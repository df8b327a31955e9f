#include "app/ui/properties_entry.h"

#include <QDialog>

#include "host/startup.h"

namespace pyxora {

void ShowPropertiesModal(QWidget* owner) {
  // The configuration fields are not built yet; an empty window under the right
  // caption keeps the windowed application's round trip complete meanwhile.
  QDialog dialog(owner);
  dialog.setWindowTitle(kPropertiesCaption);
  dialog.resize(480, 360);
  dialog.exec();
}

}  // namespace pyxora
