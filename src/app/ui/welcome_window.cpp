#include "app/ui/welcome_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/platform/qt_placement.h"
#include "app/ui/about_window.h"
#include "app/ui/dialog_entries.h"

namespace pyxora {

WelcomeWindow::WelcomeWindow(bool earlierVersion, QWidget* parent) : QDialog(parent) {
  setObjectName("frmWelcome");
  setWindowTitle(kProductName);
  auto* top = new QVBoxLayout(this);
  auto* heading = new QLabel(QString::fromStdString(WelcomeHeading()), this);
  heading->setObjectName("lblHeading");
  QFont big = heading->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  heading->setFont(big);
  top->addWidget(heading);

  text_ = QString::fromStdString(WelcomeText(earlierVersion));
  auto* lblText = new QLabel(text_, this);
  lblText->setObjectName("lblText");
  lblText->setWordWrap(true);
  top->addWidget(lblText);

  auto* notes = new QLabel(QString::fromStdString(WelcomeNotes()), this);
  notes->setObjectName("lblNotes");
  top->addWidget(notes);

  auto* features = new QLabel(QString::fromStdString(WelcomeFeatures("Works on Linux (X11 desktops).")), this);
  features->setObjectName("lblFeatures");
  top->addWidget(features);

  auto* buttons = new QHBoxLayout;
  auto* cmdReset = new QPushButton("Reset Properties to the Current Factory Settings", this);
  cmdReset->setObjectName("cmdReset");
  auto* cmdClose = new QPushButton("Close", this);
  cmdClose->setObjectName("cmdClose");
  cmdClose->setDefault(true);
  buttons->addWidget(cmdReset);
  buttons->addStretch(1);
  buttons->addWidget(cmdClose);
  top->addLayout(buttons);
  // The backup template and the reset itself belong to the first-run logic that asked.
  connect(cmdReset, &QPushButton::clicked, this, [this] {
    reset_ = true;
    accept();
  });
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
  setMinimumWidth(520);
  adjustSize();
  CentreOnScreen(*this);
}

QString WelcomeWindow::Text() const { return text_; }

bool ShowWelcome(QWidget* owner, bool earlierVersion) {
  WelcomeWindow window(earlierVersion, owner);
  window.exec();
  return window.ResetRequested();
}

}  // namespace pyxora
