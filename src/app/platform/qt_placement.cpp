#include "app/platform/qt_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <vector>

#include "settings/placement.h"

namespace pyxora {
namespace {

WindowRect ToRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

std::vector<WindowRect> ScreenRects() {
  std::vector<WindowRect> rects;
  for (const QScreen* screen : QGuiApplication::screens()) rects.push_back(ToRect(screen->geometry()));
  return rects;
}

}  // namespace

void SavePlacement(const QWidget& window, std::string_view section) {
  WindowShowState state = WindowShowState::Normal;
  if (window.isMinimized()) state = WindowShowState::Minimised;
  else if (window.isMaximized()) state = WindowShowState::Maximised;
  // The frame's position and the inner size: what move() and resize() take back.
  SavePlacementValues(section, state, {window.x(), window.y(), window.width(), window.height()});
}

void RestorePlacement(QWidget& window, std::string_view section, bool sizable) {
  const RestorePlan plan = PlanRestorePlacement(section);
  if (plan.centre) {
    CentreOnScreen(window);
    return;
  }
  if (plan.state == WindowShowState::Maximised) {
    // Without a window manager a maximised window keeps its size unless told.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) window.setGeometry(screen->availableGeometry());
    window.setWindowState(Qt::WindowMaximized);
  } else if (plan.state == WindowShowState::Minimised) {
    window.setWindowState(Qt::WindowMinimized);
  } else if (plan.state == WindowShowState::Normal) {
    window.setWindowState(Qt::WindowNoState);
  }
  if (!plan.rect) return;
  const WindowRect& rect = *plan.rect;
  if (sizable) window.resize(rect.width, rect.height);
  // A window stored where no screen is now would open out of reach: centre it instead.
  if (LiesOutsideScreens({rect.left, rect.top, window.width(), window.height()}, ScreenRects()))
    CentreOnScreen(window);
  else
    window.move(rect.left, rect.top);
}

void CentreOnScreen(QWidget& window) {
  if (window.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) return;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const WindowRect place = CentredOn(ToRect(screen->geometry()), window.width(), window.height());
  window.move(place.left, place.top);
}

}  // namespace pyxora
