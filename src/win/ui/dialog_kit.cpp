#include "win/ui/dialog_kit.h"

#include <commctrl.h>

#include <algorithm>
#include <set>

#include "base/system.h"
#include "settings/placement.h"
#include "win/platform/win_frame_host.h"
#include "win/platform/win_placement.h"

namespace pyxora {
namespace {

constexpr const wchar_t* kClassName = L"PyxoraDialog";

// The windows whose keyboard is a dialog's, nested modals included.
std::set<HWND>& OpenDialogs() {
  static std::set<HWND> dialogs;
  return dialogs;
}

HFONT MessageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
    // Older systems: the font at the system's DPI, scaled to this monitor's.
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HDC screen = GetDC(nullptr);
    const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), systemDpi);
  }
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

}  // namespace

std::string ControlText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), length + 1)));
  return Utf8FromWide(text);
}

void SetControlText(HWND control, const std::string& text) {
  if (ControlText(control) != text) SetWindowTextW(control, WideFromUtf8(text).c_str());
}

bool Checked(HWND check) { return SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND check, bool checked) { SendMessageW(check, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }
int ListIndex(HWND list) { return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)); }
void SetListIndex(HWND list, int index) { SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

bool RouteDialogMessage(MSG& message) {
  if (!message.hwnd) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  return root && OpenDialogs().count(root) && IsDialogMessageW(root, &message);
}

void ShowPyxoraMessage(HWND owner, const std::string& text, UINT icon) {
  MessageBoxW(owner, WideFromUtf8(text).c_str(), L"Pyxora", MB_OK | icon);
}

DialogWindow::~DialogWindow() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    OpenDialogs().erase(window_);
    DestroyWindow(window_);
  }
  if (font_) DeleteObject(font_);
  for (auto& [swatch, entry] : swatches_)
    if (entry.second) DeleteObject(entry.second);
}

bool DialogWindow::Create(const std::string& caption, int width, int height, HWND owner, HMENU menu) {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = &Procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hIcon = LoadIconW(type.hInstance, L"PYXORA");
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = kClassName;
    return RegisterClassExW(&type) != 0;
  }();
  if (!registered) return false;
  clientWidth_ = width;
  clientHeight_ = height;
  // No WS_CLIPCHILDREN: the window's background must show inside its group boxes.
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | (Resizable() ? WS_THICKFRAME | WS_MAXIMIZEBOX : 0);
  window_ = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClassName, WideFromUtf8(caption).c_str(),
                            style, CW_USEDEFAULT, CW_USEDEFAULT, width, height, owner, menu,
                            GetModuleHandleW(nullptr), this);
  if (!window_) return false;
  OpenDialogs().insert(window_);
  DisplayFrameHost().SetMessageFilter(&RouteDialogMessage);
  // The controls are made at their places in this DPI's font: nothing to lay out again.
  UseDpi(GetDpiForWindow(window_));
  Build();
  return true;
}

void DialogWindow::UseDpi(UINT dpi) {
  dpi_ = dpi ? dpi : 96;
  HFONT font = MessageFont(dpi_);
  for (const Placed& placed : placed_) SendMessageW(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (font_) DeleteObject(font_);
  font_ = font;
  Arrange();
  SIZE size = LayoutFrame();
  RECT now{};
  if (Resizable() && GetWindowRect(window_, &now)) {
    size.cx = std::max<LONG>(size.cx, now.right - now.left);
    size.cy = std::max<LONG>(size.cy, now.bottom - now.top);
  }
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, TRUE);
}

SIZE DialogWindow::LayoutFrame() const {
  RECT frame{0, 0, Scale(clientWidth_), Scale(clientHeight_)};
  AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), GetMenu(window_) != nullptr,
                           static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi_);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void DialogWindow::Arrange() {
  for (const Placed& placed : placed_)
    SetWindowPos(placed.control, nullptr, shift_.x + Scale(placed.place.x), shift_.y + Scale(placed.place.y),
                 Scale(placed.place.width), Scale(placed.place.height), SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND DialogWindow::AddControl(const wchar_t* type, const std::string& text, DWORD style, DipRect place, int id,
                              DWORD exStyle) {
  HWND control = CreateWindowExW(exStyle, type, WideFromUtf8(text).c_str(), WS_CHILD | (createHidden_ ? 0 : WS_VISIBLE) | style,
                                 shift_.x + Scale(place.x), shift_.y + Scale(place.y), Scale(place.width),
                                 Scale(place.height), window_,
                                 reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), GetModuleHandleW(nullptr), nullptr);
  if (control) {
    placed_.push_back({control, place});
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  return control;
}

HWND DialogWindow::AddLabel(const std::string& text, DipRect place, int id) {
  return AddControl(L"STATIC", text, SS_LEFT, place, id);
}

HWND DialogWindow::AddGroup(const std::string& caption, DipRect place, int id) {
  return AddControl(L"BUTTON", caption, BS_GROUPBOX, place, id);
}

HWND DialogWindow::AddButton(const std::string& caption, DipRect place, int id) {
  return AddControl(L"BUTTON", caption, WS_TABSTOP | (id == defaultId_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), place, id);
}

HWND DialogWindow::AddCheck(const std::string& caption, DipRect place, int id) {
  return AddControl(L"BUTTON", caption, WS_TABSTOP | BS_AUTOCHECKBOX, place, id);
}

HWND DialogWindow::AddEdit(DipRect place, int id, DWORD style) {
  return AddControl(L"EDIT", "", WS_TABSTOP | style, place, id, WS_EX_CLIENTEDGE);
}

HWND DialogWindow::AddList(const std::vector<std::string>& entries, DipRect place, int id) {
  // The height is the closed box's; the drop-down list opens below it.
  HWND list = AddControl(L"COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, {place.x, place.y, place.width, 200}, id);
  for (const std::string& entry : entries)
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(entry).c_str()));
  return list;
}

HWND DialogWindow::AddSwatch(DipRect place, int id) {
  HWND swatch = AddControl(L"STATIC", "", SS_SUNKEN, place, id);
  swatches_[swatch] = {0, nullptr};
  return swatch;
}

void DialogWindow::PaintSwatch(HWND swatch, uint32_t colour) {
  auto found = swatches_.find(swatch);
  if (found == swatches_.end()) return;
  if (found->second.second && found->second.first == colour) return;
  if (found->second.second) DeleteObject(found->second.second);
  // The colours are 0x00BBGGRR, as COLORREF is.
  found->second = {colour, CreateSolidBrush(colour)};
  InvalidateRect(swatch, nullptr, TRUE);
}

void DialogWindow::SetDefaultButton(int id) {
  if (HWND old = GetDlgItem(window_, defaultId_)) SendMessageW(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  defaultId_ = id;
  if (HWND button = GetDlgItem(window_, id)) SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void DialogWindow::Place(HWND control, DipRect place) {
  bool known = false;
  for (Placed& placed : placed_)
    if (placed.control == control) {
      placed.place = place;
      known = true;
    }
  if (!known) placed_.push_back({control, place});
  SetWindowPos(control, nullptr, shift_.x + Scale(place.x), shift_.y + Scale(place.y), Scale(place.width),
               Scale(place.height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::End(int result) {
  result_ = result;
  ended_ = true;
}

int DialogWindow::RunModal(HWND owner) {
  if (!window_) return IDCANCEL;
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  bool maximised = false;
  if (const char* section = PlacementSection()) {
    // Where the user left it, at the size its layout needs.
    RECT now{};
    GetWindowRect(window_, &now);
    const RestorePlan plan = PlanRestorePlacement(section);
    const WindowRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    WindowRect rect = CentredOn(screen, now.right - now.left, now.bottom - now.top);
    if (plan.rect && !plan.centre) {
      // A sizable window takes its stored size too, never below the layout's.
      WindowRect stored{plan.rect->left, plan.rect->top, rect.width, rect.height};
      if (Resizable()) {
        stored.width = std::max(rect.width, plan.rect->width);
        stored.height = std::max(rect.height, plan.rect->height);
      }
      if (!LiesOutsideScreens(stored, {screen})) rect = stored;
    }
    SetWindowPos(window_, nullptr, rect.left, rect.top, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (Resizable() && plan.state == WindowShowState::Maximised) maximised = true;
  } else {
    RECT now{};
    GetWindowRect(window_, &now);
    const WindowRect rect = CentredOn({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                                      now.right - now.left, now.bottom - now.top);
    SetWindowPos(window_, nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(window_, maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) SetFocus(first);
  MSG message;
  while (!ended_ && window_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The process is asked to end: let the outer loop see it too.
      PostQuitMessage(got == 0 ? static_cast<int>(message.wParam) : 1);
      break;
    }
    if (RouteDialogMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  if (window_) {
    if (const char* section = PlacementSection()) SavePlacement(window_, section);
    ShowWindow(window_, SW_HIDE);
  }
  if (owner) SetForegroundWindow(owner);
  return result_;
}

LRESULT CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<DialogWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    OpenDialogs().erase(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    self->ended_ = true;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT DialogWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC: {
      auto swatch = swatches_.find(reinterpret_cast<HWND>(lParam));
      if (swatch != swatches_.end() && swatch->second.second) return reinterpret_cast<LRESULT>(swatch->second.second);
      // Labels and read-only boxes on the window's own face.
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case DM_GETDEFID:
      return MAKELRESULT(defaultId_, DC_HASDEFID);
    case WM_ACTIVATE:
      // As a dialog does: the control that had the focus gets it back when the window
      // is active again (after a menu, a message box, another window).
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
      } else {
        HWND focus = lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_) ? lastFocus_
                                                                                    : GetNextDlgTabItem(window_, nullptr, FALSE);
        if (focus) SetFocus(focus);
      }
      return 0;
    case WM_NEXTDLGCTL: {
      // What a dialog does for Tab, Shift+Tab and mnemonics: this window is not one.
      HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                 : GetNextDlgTabItem(window_, GetFocus(), wParam != 0);
      if (next) SetFocus(next);
      return 0;
    }
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CLOSE:
      Command(IDCANCEL, BN_CLICKED, nullptr);
      return 0;
    case WM_GETMINMAXINFO:
      if (Resizable()) {
        const SIZE least = LayoutFrame();
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {least.cx, least.cy};
        return 0;
      }
      break;
    case WM_SIZE:
      if (Resizable() && wParam != SIZE_MINIMIZED) {
        const POINT shift{std::max(0, (LOWORD(lParam) - Scale(clientWidth_)) / 2),
                          std::max(0, (HIWORD(lParam) - Scale(clientHeight_)) / 2)};
        if (shift.x != shift_.x || shift.y != shift_.y) {
          shift_ = shift;
          Arrange();
          InvalidateRect(window_, nullptr, TRUE);
        }
      }
      break;
    case WM_DPICHANGED: {
      // Dragged to a monitor of another scale: the same layout at the new size.
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, (Resizable() ? 0 : SWP_NOSIZE) | SWP_NOZORDER | SWP_NOACTIVATE);
      UseDpi(LOWORD(wParam));
      return 0;
    }
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace pyxora
