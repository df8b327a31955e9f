#include "win/ui/picture_box.h"

namespace pyxora {
namespace {

constexpr const wchar_t* kClassName = L"PyxoraPicture";

}  // namespace

PictureBox::~PictureBox() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

HWND PictureBox::Create(HWND parent, int id) {
  static const bool registered = [] {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = &Procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.lpszClassName = kClassName;
    return RegisterClassExW(&type) != 0;
  }();
  if (!registered) return nullptr;
  window_ = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, parent,
                            reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), GetModuleHandleW(nullptr), this);
  return window_;
}

void PictureBox::FitSurface() {
  RECT client{};
  if (window_) GetClientRect(window_, &client);
  canvas_.Resize(client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1);
  canvas_.Clear();
}

void PictureBox::Present() {
  if (window_) presenter_.Present(canvas_, window_);
}

LRESULT CALLBACK PictureBox::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (self) self->presenter_.Paint(dc, paint.rcPaint);
      else FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      EndPaint(window, &paint);
      return 0;
    }
    case WM_NCDESTROY:
      if (self) self->window_ = nullptr;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace pyxora
