#include "app/ui/diag_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/platform/qt_placement.h"
#include "app/ui/dialog_entries.h"
#include "app/ui/help_opener.h"
#include "app/ui/picture_box.h"
#include "host/diagnostics.h"
#include "host/help_topics.h"

namespace pyxora {
namespace {

constexpr int kTwipsPerPixel = 15;

QLabel* Explanation(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  label->setMinimumWidth(300);
  return label;
}

QLineEdit* Figure(const QString& text, bool problem, QWidget* parent) {
  auto* field = new QLineEdit(text, parent);
  field->setReadOnly(true);
  if (problem) field->setStyleSheet("color: red;");
  return field;
}

}  // namespace

DiagnosticsWindow::DiagnosticsWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("frmSystemDiag");
  setWindowTitle("System Diagnostics");
  auto* top = new QVBoxLayout(this);

  auto* fraStore = new QGroupBox("Settings File Access", this);
  auto* store = new QGridLayout(fraStore);
  store->addWidget(Explanation(QString("The settings file is used to store the values necessary for this product.  ") +
                                   "If the word OK appears in the test field, then you have write access.  " +
                                   "If you do not have write access, then you will have to change your " +
                                   "administrative privileges with respect to your user account.",
                               fraStore),
                   0, 0, 1, 2);
  store->addWidget(new QLabel("Settings file write test (passed test if value is OK):", fraStore), 1, 0);
  const QString value = QString::fromStdString(StoreWriteTest());
  txtTest_ = Figure(value, value != "OK", fraStore);
  txtTest_->setObjectName("txtTest");
  txtTest_->setFixedWidth(60);
  store->addWidget(txtTest_, 1, 1);
  top->addWidget(fraStore);

  auto* fraGraphics = new QGroupBox("Graphics Test", this);
  auto* graphics = new QHBoxLayout(fraGraphics);
  graphics->addWidget(Explanation(QString("The X server is used to render the effects to the ") +
                                      "display device.  If a circle does not appear in the region to the right, " +
                                      "then your display hardware or driver may not support the API.  " +
                                      "You may need to install the latest driver.  Consult the website for " +
                                      "your hardware vendor for current information.",
                                  fraGraphics),
                      1);
  picTest_ = new PictureBox("picTest", fraGraphics);
  picTest_->setFixedSize(96, 96);
  graphics->addWidget(picTest_);
  top->addWidget(fraGraphics);

  auto* fraOS = new QGroupBox("Operating System", this);
  auto* os = new QGridLayout(fraOS);
  os->addWidget(new QLabel("Kernel and Distribution Version:", fraOS), 0, 0);
  auto* txtOS = Figure(QString::fromStdString(OperatingSystemText()), false, fraOS);
  txtOS->setObjectName("txtOS");
  txtOS->setCursorPosition(0);
  txtOS->setMinimumWidth(txtOS->fontMetrics().horizontalAdvance(txtOS->text()) + 16);
  os->addWidget(txtOS, 0, 1);
  top->addWidget(fraOS);

  auto* fraDisplay = new QGroupBox("Display", this);
  auto* display = new QGridLayout(fraDisplay);
  const QScreen* screen = this->screen();
  const int depth = screen ? screen->depth() : 0;
  const QSize size = screen ? screen->size() : QSize();
  const int64_t colours = DisplayColours(depth);
  display->addWidget(new QLabel("Total display colors:", fraDisplay), 0, 0);
  auto* txtColours = Figure(QString::number(colours), colours < 65536, fraDisplay);
  txtColours->setObjectName("txtColours");
  display->addWidget(txtColours, 0, 1);
  display->addWidget(new QLabel("Device Twips per pixel ratio:", fraDisplay), 1, 0);
  display->addWidget(Figure(QString("%1, %1").arg(kTwipsPerPixel), false, fraDisplay), 1, 1);
  display->addWidget(new QLabel("Width, height (twips):", fraDisplay), 2, 0);
  auto* txtSize = Figure(QString("%1, %2").arg(size.width() * kTwipsPerPixel).arg(size.height() * kTwipsPerPixel),
                         size.width() < 640 || size.height() < 480, fraDisplay);
  txtSize->setObjectName("txtSize");
  display->addWidget(txtSize, 2, 1);
  top->addWidget(fraDisplay);

  auto* bottom = new QHBoxLayout;
  auto* note = new QLabel("Problematic values are noted in Red.", this);
  note->setStyleSheet("color: red;");
  bottom->addWidget(note, 1);
  auto* cmdInfo = new QPushButton("&Complete System   Info...", this);
  cmdInfo->setObjectName("cmdSysInfo");
  auto* cmdHelp = new QPushButton("&Help", this);
  cmdHelp->setObjectName("cmdHelp");
  auto* cmdClose = new QPushButton("&Close", this);
  cmdClose->setObjectName("cmdClose");
  cmdClose->setDefault(true);
  for (QPushButton* b : {cmdInfo, cmdHelp, cmdClose}) bottom->addWidget(b);
  top->addLayout(bottom);
  // No system-information tool exists here to start.
  connect(cmdInfo, &QPushButton::clicked, this,
          [this] { QMessageBox::information(this, "Pyxora", "System Information Is Unavailable."); });
  connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, kHelpDiagnostics); });
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
  adjustSize();
  RestorePlacement(*this, kDiagPlacement, false);
}

QString DiagnosticsWindow::WriteTestValue() const { return txtTest_->text(); }

void DiagnosticsWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Drawn once shown, through the same canvas and presentation the effects use.
  picTest_->FitSurface();
  DrawTestCircle(picTest_->Surface());
  picTest_->Present();
}

void DiagnosticsWindow::done(int result) {
  SavePlacement(*this, kDiagPlacement);
  QDialog::done(result);
}

void ShowSystemDiagnostics(QWidget* owner) {
  DiagnosticsWindow window(owner);
  window.exec();
}

}  // namespace pyxora
