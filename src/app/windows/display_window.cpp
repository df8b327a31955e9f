#include "app/windows/display_window.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/platform/qt_frame_host.h"
#include "app/platform/x11_present.h"
#include "app/windows/screen_message.h"
#include "render/saver_state.h"
#include "render/viewport.h"
#include "settings/placement.h"

namespace pyxora {
namespace {

bool gFrameRateReadout = false;

// PYXORA_PRESENT=widget paints through the toolkit even on X11, =requests never uses
// shared memory: for measuring one way against the other.
std::string PresentChoice() {
  const char* choice = std::getenv("PYXORA_PRESENT");
  return choice ? choice : "";
}

xcb_connection_t* X11Connection() {
  if (QGuiApplication::platformName() != "xcb") return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

// Off X11 (and on visuals we cannot write to) the window repaints the blocks that
// changed through the toolkit.
class WidgetTarget : public PresentTarget {
 public:
  explicit WidgetTarget(QWidget& widget) : widget_(widget) {}

  void Points(uint32_t, const PresentPoint* points, size_t count) override {
    for (size_t i = 0; i < count; ++i)
      blocks_.push_back({points[i].x / kPresentBlockWidth, points[i].y / kPresentBlockHeight});
  }
  void Image(const Canvas&, const PixelRect& rect) override {
    images_ += QRect(rect.left, rect.top, rect.Width(), rect.Height());
  }
  void EndFrame() override {
    std::sort(blocks_.begin(), blocks_.end(), [](const Block& a, const Block& b) {
      return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    // One rectangle per run of neighbouring blocks, row band by row band: already in
    // the order QRegion keeps its rectangles in.
    std::vector<QRect> rects;
    for (size_t i = 0; i < blocks_.size();) {
      size_t j = i + 1;
      int last = blocks_[i].column;
      while (j < blocks_.size() && blocks_[j].row == blocks_[i].row && blocks_[j].column <= last + 1)
        last = blocks_[j++].column;
      rects.emplace_back(blocks_[i].column * kPresentBlockWidth, blocks_[i].row * kPresentBlockHeight,
                         (last + 1 - blocks_[i].column) * kPresentBlockWidth, kPresentBlockHeight);
      i = j;
    }
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    region |= images_;
    // Blocks are in device pixels; the widget repaints in logical ones.
    const qreal ratio = widget_.devicePixelRatioF();
    if (ratio != 1.0) {
      QRegion logical;
      for (const QRect& r : region)
        logical |= QRectF(r.left() / ratio, r.top() / ratio, r.width() / ratio, r.height() / ratio).toAlignedRect();
      region = logical;
    }
    widget_.update(region);
    blocks_.clear();
    images_ = QRegion();
  }

 private:
  struct Block {
    int column, row;
  };
  QWidget& widget_;
  std::vector<Block> blocks_;
  QRegion images_;
};

}  // namespace

void SetFrameRateReadout(bool on) { gFrameRateReadout = on; }
bool FrameRateReadoutOn() { return gFrameRateReadout; }

DisplayWindow::DisplayWindow(QWidget* parent) : QWidget(parent), message_(new MessagePicture(this)) {
  // Every pixel is painted from the framebuffer; no background fill first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

DisplayWindow::~DisplayWindow() {
  if (gState.Canvas == &canvas_) gState.Canvas = nullptr;
}

PresentTarget& DisplayWindow::TargetForCanvas() {
  if (x11Target_ && (x11Target_->Width() != canvas_.Width() || x11Target_->Height() != canvas_.Height()))
    x11Target_.reset();
  if (!x11Target_ && !x11Refused_) {
    const std::string choice = PresentChoice();
    xcb_connection_t* connection = choice == "widget" ? nullptr : X11Connection();
    if (connection)
      x11Target_ = X11PresentTarget::Create(connection, static_cast<uint32_t>(winId()), canvas_.Width(),
                                            canvas_.Height(), choice != "requests");
    // A window whose pixels we cannot write stays with the toolkit for good; an
    // empty canvas is only not ready yet.
    x11Refused_ = !x11Target_ && (!connection || (canvas_.Width() > 0 && canvas_.Height() > 0));
    if (x11Target_) canvas_.MarkAllChanged();
  }
  if (x11Target_) return *x11Target_;
  if (!widgetTarget_) widgetTarget_ = std::make_unique<WidgetTarget>(*this);
  return *widgetTarget_;
}

void DisplayWindow::PresentCanvas() {
  lastPresent_ = presenter_.Present(canvas_, TargetForCanvas());
  if (readout_) CountFrame();
  const auto now = std::chrono::steady_clock::now();
  if (framesPresented_++ == 0) firstPresent_ = now;
  lastPresentTime_ = now;
}

void DisplayWindow::CountFrame() {
  const auto now = std::chrono::steady_clock::now();
  readout_->AddFrame(now, DisplayFrameHost().TakeBusyTime(now));
}

bool DisplayWindow::eventFilter(QObject* watched, QEvent* event) {
  // An exposed window is refreshed by the toolkit from its own copy, which frames
  // sent straight to the server have left behind: repaint from the framebuffer.
  if (watched == watchedWindow_ && event->type() == QEvent::Expose && x11Target_) update();
  return QWidget::eventFilter(watched, event);
}

void DisplayWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  // The framebuffer is in device pixels: at a scale factor of 2 one of its pixels is
  // half a logical pixel, drawn as it is, never enlarged.
  const qreal ratio = devicePixelRatioF();
  QImage image(reinterpret_cast<const uchar*>(canvas_.Data()), canvas_.Width(), canvas_.Height(),
               canvas_.Width() * 4, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  const QRectF covered(0, 0, canvas_.Width() / ratio, canvas_.Height() / ratio);
  // Outside the framebuffer (a window grown since the driver started) stays black.
  if (!covered.contains(QRectF(area))) painter.fillRect(area, Qt::black);
  const QRectF drawn = covered.intersected(QRectF(area));
  if (drawn.isEmpty()) return;
  const QRectF source(drawn.left() * ratio, drawn.top() * ratio, drawn.width() * ratio, drawn.height() * ratio);
  painter.drawImage(drawn, image, source);
}

QSize DisplayWindow::DeviceSize() const {
  const qreal ratio = devicePixelRatioF();
  return QSize(qRound(width() * ratio), qRound(height() * ratio));
}

void DisplayWindow::RunDriver(DriverVariant variant, SequenceState* sequence) {
  QtFrameHost& host = DisplayFrameHost();
  host.SetPresenter([this] { PresentCanvas(); });
  gState.Host = &host;
  const bool preview = variant == DriverVariant::Preview;
  if (QWindow* window = windowHandle(); window && window != watchedWindow_) {
    window->installEventFilter(this);
    watchedWindow_ = window;
  }
  if (!preview && FrameRateReadoutOn() && !readout_) {
    readout_ = new FrameRateReadout(this);
    readout_->move(kMessageTopMargin, kMessageTopMargin);
    readout_->show();
  }
  x11Refused_ = false;
  // The preview's surface measures in twips, as in the control panel it was made for.
  const int scaleX = preview ? gTwipsPerPixel.x : 1;
  const int scaleY = preview ? gTwipsPerPixel.y : 1;
  const QSize device = DeviceSize();
  const DisplaySurface surface{&canvas_, device.width() * scaleX, device.height() * scaleY, !preview};
  DriverHooks hooks;
  hooks.sequence = sequence;
  if (!preview) hooks.showMessage = [this] { ShowScreenMessage(*message_); };
  framesPresented_ = 0;
  RunEffectDriver(variant, surface, hooks);
  host.SetPresenter(nullptr);
  // PYXORA_FRAME_SUMMARY: the frame rate the display held, for measuring tools.
  if (std::getenv("PYXORA_FRAME_SUMMARY") && framesPresented_ > 1) {
    const double seconds = std::chrono::duration<double>(lastPresentTime_ - firstPresent_).count();
    std::fprintf(stderr, "pyxora: %lld frames in %.2f s, %.1f frames a second\n",
                 static_cast<long long>(framesPresented_), seconds,
                 seconds > 0 ? static_cast<double>(framesPresented_ - 1) / seconds : 0.0);
  }
  // The window lets go of the surface when its display ends.
  gState.Canvas = nullptr;
}

FrameRateReadout::FrameRateReadout(QWidget* parent) : QWidget(parent) {
  // Its own X window, so frames drawn straight onto the display leave it alone.
  setAttribute(Qt::WA_NativeWindow);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  QFont small = font();
  small.setPointSize(9);
  setFont(small);
  resize(QFontMetrics(small).horizontalAdvance("000.0 fps  000.00 ms/frame") + 8, QFontMetrics(small).height() + 4);
}

void FrameRateReadout::AddFrame(std::chrono::steady_clock::time_point shown, std::chrono::nanoseconds busy) {
  frames_.push_back({shown, busy});
  while (frames_.size() > 2 && shown - frames_.front().shown > std::chrono::seconds(1)) frames_.pop_front();
  if (frames_.size() < 2) return;
  const double span = std::chrono::duration<double>(shown - frames_.front().shown).count();
  std::chrono::nanoseconds total{0};
  for (size_t i = 1; i < frames_.size(); ++i) total += frames_[i].busy;
  const double fps = span > 0 ? static_cast<double>(frames_.size() - 1) / span : 0.0;
  const double ms = std::chrono::duration<double, std::milli>(total).count() / static_cast<double>(frames_.size() - 1);
  text_ = QString::asprintf("%.1f fps  %.2f ms/frame", fps, ms);
  update();
}

void FrameRateReadout::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  painter.setPen(QColor(200, 200, 200));
  painter.drawText(rect().adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, text_);
}

}  // namespace pyxora
