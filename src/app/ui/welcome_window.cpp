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
  const QString name = kProductName, version = kProductVersion;
  auto* top = new QVBoxLayout(this);
  auto* heading = new QLabel("Welcome to " + name + " " + version + ".", this);
  heading->setObjectName("lblHeading");
  QFont big = heading->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  heading->setFont(big);
  top->addWidget(heading);

  text_ = "Thank you for installing " + name + " " + version + ".  " +
          "You can use this product to simulate several graphical effects including:  Fireworks, Gravity Wells, "
          "Galaxies, B-Spline Warp and B-Spline Sparklers.  ";
  if (earlierVersion)
    text_ += QString("It appears that you already have an earlier version of the product.  ") +
             "In order to experience the new effects in this version, you should " +
             "Reset the Properties to the Factory Settings.  " +
             "Your current settings will be saved to the template file:  propsave." + "pxt" + ".  " +
             "Restore your settings from the menu:  File-> Open Template.";
  auto* lblText = new QLabel(text_, this);
  lblText->setObjectName("lblText");
  lblText->setWordWrap(true);
  top->addWidget(lblText);

  auto* notes = new QLabel(QString("Please consider the following:\n") +
                               "*   The Factory settings have been optimized for a 400 MHz CPU.\n" +
                               "*   Disable mouse-move sensitivity from menu:  Edit-> Advanced Settings.\n" +
                               "*   This product is provided 'as is' without warranty of any kind.",
                           this);
  notes->setObjectName("lblNotes");
  top->addWidget(notes);

  auto* features = new QLabel(QString("New features:\n") + "*   Works on Linux (X11 desktops).\n" +
                                  "*   Settings are stored per the Current User, not the Local Machine.\n" +
                                  "*   Effects can be displayed on the desktop background.\n" +
                                  "*   Stereographic Gravity Wells.\n" +
                                  "*   Spark Brightness Decay for realistic effects.\n" +
                                  "*   Resizeable windows for improved preview.",
                              this);
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
