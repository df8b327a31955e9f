#include "win/platform/win_placement.h"

#include "settings/placement.h"

namespace pyxora {
namespace {

WindowRect PrimaryScreen() {
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

void SavePlacement(HWND window, std::string_view section) {
  WINDOWPLACEMENT place{};
  place.length = sizeof place;
  if (!GetWindowPlacement(window, &place)) return;
  const WindowShowState state = IsIconic(window)   ? WindowShowState::Minimised
                                : IsZoomed(window) ? WindowShowState::Maximised
                                                   : WindowShowState::Normal;
  const RECT& r = place.rcNormalPosition;
  SavePlacementValues(section, state, {r.left, r.top, r.right - r.left, r.bottom - r.top});
}

void RestorePlacement(HWND window, std::string_view section) {
  const RestorePlan plan = PlanRestorePlacement(section);
  RECT now{};
  GetWindowRect(window, &now);
  WindowRect rect{now.left, now.top, now.right - now.left, now.bottom - now.top};
  if (plan.rect) rect = *plan.rect;
  // Never placed, or placed where no screen is now: centred, out of nobody's reach.
  if (plan.centre || LiesOutsideScreens(rect, {PrimaryScreen()})) rect = CentredOn(PrimaryScreen(), rect.width, rect.height);
  SetWindowPos(window, nullptr, rect.left, rect.top, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
  const bool maximised = plan.state == WindowShowState::Maximised;
  const bool minimised = plan.state == WindowShowState::Minimised;
  ShowWindow(window, maximised ? SW_SHOWMAXIMIZED : minimised ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
}

}  // namespace pyxora
