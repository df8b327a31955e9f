#include "app/ui/about_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "app/platform/qt_frame_host.h"
#include "app/platform/qt_placement.h"
#include "app/ui/dialog_entries.h"
#include "app/ui/help_opener.h"
#include "app/ui/picture_box.h"
#include "host/about_miniatures.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/pacing.h"
#include "render/random.h"
#include "render/saver_state.h"
#include "render/viewport.h"

namespace pyxora {
namespace {

// Runs `body` on the display frame host with `box` as the presented surface, then gives
// back the presenter as it was: a Properties preview paused under us goes on drawing in
// its own box.
template <class Body>
void RunOnBox(PictureBox& box, Body body) {
  QtFrameHost& host = DisplayFrameHost();
  const std::function<void()> savedPresenter = host.Presenter();
  host.SetPresenter([&box] { box.Present(); });
  RunKeepingRunState(host, body);
  host.SetPresenter(savedPresenter);
}

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle(QString("About ") + kProductName);
  auto* top = new QHBoxLayout(this);
  picPXRA_ = new PictureBox("picPXRA", this);
  picPXRA_->setFixedSize(240, 180);
  top->addWidget(picPXRA_, 0, Qt::AlignTop);

  auto* text = new QVBoxLayout;
  top->addLayout(text, 1);
  auto* title = new QLabel(kProductName, this);
  title->setObjectName("lblProduct");
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 2);
  big.setBold(true);
  title->setFont(big);
  text->addWidget(title);
  auto* version = new QLabel(QString("Version ") + kProductVersion, this);
  version->setObjectName("lblVersion");
  text->addWidget(version);
  auto* info = new QLabel(QString("Complete documentation can be found in the online Help.  ") + "Cheers.", this);
  info->setObjectName("lblInfo");
  info->setWordWrap(true);
  info->setMinimumWidth(220);
  text->addWidget(info);
  auto* web = new QLabel(QString("<a href=\"%1\">%1</a>").arg(kProductWebAddress), this);
  web->setObjectName("lblWeb");
  web->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  connect(web, &QLabel::linkActivated, this, [this] { OpenHomePage(this); });
  text->addWidget(web);
  text->addStretch(1);
  auto* buttons = new QHBoxLayout;
  auto* cmdCredits = new QPushButton("C&redits...", this);
  cmdCredits->setObjectName("cmdCredits");
  auto* cmdClose = new QPushButton("&Close", this);
  cmdClose->setObjectName("cmdClose");
  cmdClose->setDefault(true);
  buttons->addStretch(1);
  buttons->addWidget(cmdCredits);
  buttons->addWidget(cmdClose);
  text->addLayout(buttons);
  // The credits animate on the same host: the miniatures wait until they close.
  connect(cmdCredits, &QPushButton::clicked, this, [this] { ShowCredits(this); });
  connect(cmdClose, &QPushButton::clicked, this, &AboutWindow::Close);
  adjustSize();
  CentreOnScreen(*this);
}

void AboutWindow::paintEvent(QPaintEvent*) {
  // A pale sky fading into the window colour behind the texts.
  QPainter painter(this);
  QLinearGradient sky(0, 0, 0, height());
  sky.setColorAt(0, QColor(196, 208, 238));
  sky.setColorAt(1, palette().color(QPalette::Window));
  painter.fillRect(rect(), sky);
}

void AboutWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  QTimer::singleShot(0, this, &AboutWindow::RunMiniatures);
}

void AboutWindow::RunMiniatures() {
  if (closeWanted_) return;
  running_ = true;
  picPXRA_->FitSurface();
  RunOnBox(*picPXRA_, [this] { RunAboutMiniatures(picPXRA_->Surface()); });
  running_ = false;
  if (closeWanted_) QDialog::done(QDialog::Accepted);
}

void AboutWindow::Close() {
  closeWanted_ = true;
  if (running_) {
    RequestStop();
    return;  // the loop returns within a frame and closes the window
  }
  QDialog::done(QDialog::Accepted);
}

void AboutWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Close();
}

CreditsWindow::CreditsWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("frmCredits");
  setWindowTitle("Credits");
  auto* top = new QVBoxLayout(this);
  picCredits_ = new PictureBox("picCredits", this);
  picCredits_->setFixedSize(360, 240);
  picCredits_->installEventFilter(this);
  top->addWidget(picCredits_);
  auto* cmdClose = new QPushButton("&Close", this);
  cmdClose->setObjectName("cmdClose");
  top->addWidget(cmdClose, 0, Qt::AlignRight);
  connect(cmdClose, &QPushButton::clicked, this, &CreditsWindow::Close);
  adjustSize();
  CentreOnScreen(*this);
}

void CreditsWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  QTimer::singleShot(0, this, &CreditsWindow::Run);
}

void CreditsWindow::Run() {
  if (closeWanted_) return;
  running_ = true;
  picCredits_->FitSurface();
  Canvas& canvas = picCredits_->Surface();
  const int w = canvas.Width(), h = canvas.Height();

  // The text is painted once into an image and scrolled; stars are inverted pixels.
  QStringList lines{QString("Version ") + kProductVersion, ""};
  for (const char* line : CreditLines("Qt 6, SDL 2 and GoogleTest")) lines << line;
  const QFont font = picCredits_->font();
  const QFontMetrics metrics(font);
  const int lineHeight = metrics.height() + 2;
  QImage text(w, lineHeight * static_cast<int>(lines.size()), QImage::Format_RGB32);
  text.fill(Qt::black);
  {
    QPainter painter(&text);
    painter.setFont(font);
    painter.setPen(QColor(255, 220, 120));
    for (int i = 0; i < lines.size(); ++i)
      painter.drawText(QRect(0, i * lineHeight, w, lineHeight), Qt::AlignCenter, lines[i]);
  }

  const int starCount = std::clamp(120, 10, 200);
  const float speed = std::clamp(0.02f, 0.0025f, 0.25f), size = std::clamp(1.5f, 0.5f, 10.0f);
  struct Star { float x, y, z; int px = -1, py = -1; };
  std::vector<Star> stars(static_cast<size_t>(starCount));
  for (Star& s : stars) s = {Rnd() * 2 - 1, Rnd() * 2 - 1, Rnd() + 0.05f};
  auto invert = [&canvas](int x, int y) {
    if (x >= 0 && y >= 0 && x < canvas.Width() && y < canvas.Height())
      canvas.SetPixel(x, y, canvas.GetPixel(x, y) ^ 0xFFFFFFu);
  };
  std::vector<uint32_t> textLayer;  // what the credits put on the canvas last frame
  RunOnBox(*picCredits_, [&] {
    gState.FrameDelay = 32;
    int offset = 0;
    std::vector<std::pair<int, int>> lit;
    while (!gState.StopRequested) {
      // Undo last frame's stars, redraw the text band, then invert the new stars over it.
      for (const auto& [x, y] : lit) invert(x, y);
      lit.clear();
      const int top = h - offset;
      for (int y = 0; y < h; ++y) {
        const int ty = y - top;
        for (int x = 0; x < w; ++x) {
          const QRgb p = (ty >= 0 && ty < text.height()) ? text.pixel(x, ty) : qRgb(0, 0, 0);
          canvas.SetPixel(x, y, RgbColor(qRed(p), qGreen(p), qBlue(p)));
        }
      }
      for (Star& s : stars) {
        s.z -= speed;
        if (s.z <= 0.05f) s = {Rnd() * 2 - 1, Rnd() * 2 - 1, 1.0f};
        const int x = static_cast<int>(w / 2 + s.x / s.z * w / 4), y = static_cast<int>(h / 2 + s.y / s.z * h / 4);
        const int r = static_cast<int>(size * (1.05f - s.z));
        for (int dy = 0; dy <= r; ++dy)
          for (int dx = 0; dx <= r; ++dx) {
            invert(x + dx, y + dy);
            lit.emplace_back(x + dx, y + dy);
          }
      }
      offset = (offset + 1) % (h + text.height());
      if (WaitFrameDelay()) break;
    }
  });
  running_ = false;
  if (closeWanted_) QDialog::done(QDialog::Accepted);
}

void CreditsWindow::Close() {
  closeWanted_ = true;
  if (running_) {
    RequestStop();
    return;
  }
  QDialog::done(QDialog::Accepted);
}

void CreditsWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Close();
}

bool CreditsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picCredits_ && event->type() == QEvent::MouseButtonDblClick) {
    Close();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void ShowAbout(QWidget* owner) {
  AboutWindow window(owner);
  window.exec();
}

void ShowCredits(QWidget* owner) {
  CreditsWindow window(owner);
  window.exec();
}

void OpenHomePage(QWidget* owner) {
  if (!OpenUrl(QUrl(kProductWebAddress)))
    QMessageBox::information(owner, "Pyxora", QString(kWebPageUnreachable) + "\n" + kProductWebAddress);
}

}  // namespace pyxora
