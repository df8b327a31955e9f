// Adopting a window of another X client as the parent of one of ours (the preview
// inside a host's window), and noticing when that window goes away. Qt does nothing
// when a foreign parent is destroyed, so the parent's DestroyNotify is watched on
// Qt's own connection, with an existence poll as a backup.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QSize>
#include <cstdint>
#include <functional>
#include <optional>

class QWidget;
class QWindow;

namespace pyxora {

class ForeignParent : public QAbstractNativeEventFilter {
 public:
  // `windowId` is whatever the command line said; it may name no window at all.
  explicit ForeignParent(int64_t windowId);
  ~ForeignParent() override;
  ForeignParent(const ForeignParent&) = delete;
  ForeignParent& operator=(const ForeignParent&) = delete;

  // The parent's inner size; nothing when the id names no live window.
  std::optional<QSize> Size();
  // Makes `child` a child window of the foreign one, at its top-left corner, and
  // starts watching for the parent's end. False when the parent is not there.
  bool Adopt(QWidget& child);
  // IsWindow: false once the parent was destroyed or no longer answers. After that
  // the dead window is never asked about again.
  bool Exists();
  // Called once when the parent is found gone.
  void OnGone(std::function<void()> handler) { onGone_ = std::move(handler); }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  void MarkGone();

  uint32_t id_ = 0;
  bool gone_ = false;
  bool watching_ = false;
  QWindow* foreign_ = nullptr;
  std::function<void()> onGone_;
};

}  // namespace pyxora
