#include "win/ui/number_box.h"

#include <commctrl.h>

#include "base/system.h"
#include "host/properties_fields.h"
#include "render/text_helpers.h"
#include "win/ui/dialog_kit.h"

namespace pyxora {
namespace {

constexpr UINT_PTR kSubclassId = 0x5058;  // "PX"
constexpr const wchar_t* kRulesProperty = L"PyxoraNumberBox";
constexpr WPARAM kCtrlA = 1;

LRESULT CALLBACK BoxProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* rules = reinterpret_cast<NumberBoxRules*>(data);
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_UP || wParam == VK_DOWN) {
        if (!rules->arrow) return 0;
        if (const auto stepped = rules->arrow(ControlText(edit), wParam == VK_UP ? 1 : -1)) {
          SetControlText(edit, *stepped);
          SendMessageW(edit, EM_SETSEL, 0, -1);
        }
        return 0;
      }
      break;
    case WM_CHAR: {
      // Control characters are editing keys and shortcuts (Backspace, Ctrl+C/V/X/Z):
      // they pass. Ctrl+A selects everything, as the newer edit controls do.
      if (wParam == kCtrlA) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return 0;
      }
      if (wParam < L' ' || (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0)) break;
      const int key = static_cast<int>(wParam);
      DWORD start = 0, end = 0;
      SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      const int passed = rules->decimal ? FilterDecimalKey(ControlText(edit), static_cast<int>(start),
                                                           static_cast<int>(end - start), key)
                                        : FilterDigitKey(key);
      if (passed == 0) {
        MessageBeep(MB_OK);
        return 0;
      }
      break;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, &BoxProcedure, kSubclassId);
      RemovePropW(edit, kRulesProperty);
      delete rules;
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

NumberBoxRules* RulesOf(HWND edit) { return static_cast<NumberBoxRules*>(GetPropW(edit, kRulesProperty)); }

}  // namespace

void MakeNumberBox(HWND edit, NumberBoxRules rules) {
  auto* owned = new NumberBoxRules(std::move(rules));
  if (!SetWindowSubclass(edit, &BoxProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(owned))) {
    delete owned;
    return;
  }
  SetPropW(edit, kRulesProperty, owned);
}

void NumberBoxNotified(HWND edit, int code) {
  if (code == EN_SETFOCUS) {
    // A click places the caret after the focus arrives: select once it has.
    PostMessageW(edit, EM_SETSEL, 0, -1);
  } else if (code == EN_KILLFOCUS) {
    ApplyLostFocus(edit);
  }
}

void ApplyLostFocus(HWND edit) {
  const NumberBoxRules* rules = RulesOf(edit);
  if (rules && rules->lostFocus) SetControlText(edit, rules->lostFocus(ControlText(edit)));
}

void BindSpinner(HWND edit, HWND spinner, int lo, int hi, int maxLength) {
  SetControlText(edit, ClampTextBox(ControlText(edit), 0, static_cast<float>(lo), static_cast<float>(hi)));
  SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
  SendMessageW(spinner, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  SendMessageW(spinner, UDM_SETRANGE32, static_cast<WPARAM>(lo), static_cast<LPARAM>(hi));
  UDACCEL step{0, static_cast<UINT>(SpinnerStep(hi))};
  SendMessageW(spinner, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
}

}  // namespace pyxora
