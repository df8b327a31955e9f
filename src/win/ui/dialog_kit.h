// What every configuration window of the Windows program shares: a top-level window
// laid out in 96-dpi units that follows its monitor's DPI (controls moved, the font
// remade), the system's message font, the keyboard of a dialog (Tab, mnemonics, Enter
// for the default button, Escape for Cancel) and a modal run over an owner.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace pyxora {

// A rectangle in 96-dpi units.
struct DipRect {
  int x = 0, y = 0, width = 0, height = 0;
};

class DialogWindow {
 public:
  DialogWindow() = default;
  virtual ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  // Creates the window and its controls, shows it modal to `owner` (disabled meanwhile)
  // and runs its messages until End; the result End was given (IDCANCEL when closed).
  int RunModal(HWND owner);
  HWND Window() const { return window_; }

 protected:
  // Creates the window with a client area of `width` x `height` units and builds it.
  bool Create(const std::string& caption, int width, int height, HWND owner, HMENU menu = nullptr);
  virtual void Build() = 0;
  // A control's notification or a menu item; IDOK and IDCANCEL come from Enter and Escape.
  virtual void Command(int id, int code, HWND control) = 0;
  virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  // Placement: where the window opens (centred when never placed) and is remembered.
  virtual const char* PlacementSection() const { return nullptr; }
  // A sizable border: the controls keep their sizes and the layout is centred in a
  // larger window; it never gets smaller than the layout.
  virtual bool Resizable() const { return false; }
  void End(int result);
  bool Ended() const { return ended_; }

  HWND AddControl(const wchar_t* type, const std::string& text, DWORD style, DipRect place, int id = 0,
                  DWORD exStyle = 0);
  HWND AddLabel(const std::string& text, DipRect place, int id = 0);
  HWND AddGroup(const std::string& caption, DipRect place, int id = 0);
  HWND AddButton(const std::string& caption, DipRect place, int id);
  HWND AddCheck(const std::string& caption, DipRect place, int id);
  HWND AddEdit(DipRect place, int id, DWORD style = ES_AUTOHSCROLL);
  HWND AddList(const std::vector<std::string>& entries, DipRect place, int id);
  // A colour swatch (0x00BBGGRR), repainted when its colour changes.
  HWND AddSwatch(DipRect place, int id = 0);
  void PaintSwatch(HWND swatch, uint32_t colour);
  // The button Enter presses; drawn as the default.
  void SetDefaultButton(int id);
  // Moves a control in units (and keeps it there when the DPI changes).
  void Place(HWND control, DipRect place);
  int Scale(int units) const { return MulDiv(units, static_cast<int>(dpi_), 96); }
  UINT Dpi() const { return dpi_; }

  HWND window_ = nullptr;
  // Controls added meanwhile start hidden (pages shown later): each shown window costs.
  bool createHidden_ = false;

 private:
  struct Placed {
    HWND control;
    DipRect place;
  };
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void UseDpi(UINT dpi);

  // Moves every control to its place, shifted by shift_.
  void Arrange();
  // The window's size for the layout's client area at the current DPI.
  SIZE LayoutFrame() const;

  std::vector<Placed> placed_;
  POINT shift_{0, 0};
  std::map<HWND, std::pair<uint32_t, HBRUSH>> swatches_;
  HFONT font_ = nullptr;
  UINT dpi_ = 96;
  int clientWidth_ = 0, clientHeight_ = 0;
  HWND lastFocus_ = nullptr;
  int defaultId_ = IDOK;
  int result_ = IDCANCEL;
  bool ended_ = false;
};

// Text of a control, UTF-8 both ways.
std::string ControlText(HWND control);
void SetControlText(HWND control, const std::string& text);
bool Checked(HWND check);
void SetChecked(HWND check, bool checked);
int ListIndex(HWND list);
void SetListIndex(HWND list, int index);

// The keyboard of the configuration windows for a message taken from the queue: true
// when a dialog's keyboard handling took it. The frame host's pump asks this too, so a
// running preview's window still answers Escape.
bool RouteDialogMessage(MSG& message);

// A message box titled "Pyxora" over `owner`.
void ShowPyxoraMessage(HWND owner, const std::string& text, UINT icon = MB_ICONINFORMATION);

}  // namespace pyxora
