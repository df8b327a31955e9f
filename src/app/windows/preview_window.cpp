#include "app/windows/preview_window.h"

#include "app/platform/qt_frame_host.h"
#include "host/startup.h"
#include "render/frame_host.h"
#include "render/saver_state.h"

namespace pyxora {

PreviewWindow::PreviewWindow(int64_t parentId) : parent_(parentId) {
  setWindowTitle(kPreviewCaption);
  setFocusPolicy(Qt::NoFocus);
}

void PreviewWindow::Start() {
  parent_.OnGone([] { RequestStop(); });
  resize(0, 0);
  if (const auto size = parent_.Size()) {
    // The parent measures in device pixels, the window in logical ones.
    const qreal ratio = devicePixelRatioF();
    resize(QSize(qRound(size->width() / ratio), qRound(size->height() / ratio)));
    if (parent_.Adopt(*this)) show();
  }
  QtFrameHost& host = DisplayFrameHost();
  host.SetWindowCheck([this](int64_t) { return parent_.Exists(); });
  RunDriver(DriverVariant::Preview, nullptr);
  host.SetWindowCheck(nullptr);
}

}  // namespace pyxora
