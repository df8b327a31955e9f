// frmAdvanced, "Advanced Settings": how the saver behaves, which effects it cycles
// through, the on-screen message and the display constants, over the shared form.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <set>

#include "base/number_text.h"
#include "base/system.h"
#include "host/advanced_form.h"
#include "host/help_topics.h"
#include "render/colour.h"
#include "render/text_helpers.h"
#include "win/platform/win_system.h"
#include "win/ui/dialog_entries.h"
#include "win/ui/dialog_kit.h"
#include "win/ui/number_box.h"

namespace pyxora {
namespace {

constexpr int kColumn = 320, kLeftX = 8, kRightX = kLeftX + kColumn + 8, kRow = 24;
constexpr int kLabelWidth = 230, kBoxWidth = 52, kSpinWidth = 17, kBoxHeight = 21;
enum : int {
  kDefaults = 10,
  kHelp = 11,
  kBackGr = 20,
  kMouseM,
  kResize,
  kCycle,
  kMessage,
  kFont,
  kEffectBase = 40,  // chkEffect(i) is kEffectBase + i
  kBoxBase = 60,     // txtAdv(i) is kBoxBase + i
};

int CALLBACK AddFontName(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
  // Vertical faces ("@...") are the same font turned; not a screen font of their own.
  if (font->lfFaceName[0] != L'@') reinterpret_cast<std::set<std::string>*>(names)->insert(Utf8FromWide(font->lfFaceName));
  return 1;
}

class AdvancedWindow : public DialogWindow {
 public:
  bool Open(HWND owner) { return Create("Advanced Settings", 2 * kColumn + 24, 372, owner); }

 protected:
  const char* PlacementSection() const override { return "General\\Advanced"; }

  void Build() override {
    chkBackGr_ = AddCheck("Display in background (double-click to stop)", {kLeftX, 8, kColumn, 20}, kBackGr);
    chkMouseM_ = AddCheck("Ignore mouse moves in screen saver mode", {kLeftX, 30, kColumn, 20}, kMouseM);
    chkResize_ = AddCheck("Window can be resized (EXE version only)", {kLeftX, 52, kColumn, 20}, kResize);
    chkCycle_ = AddCheck("Cycle through Effects", {kLeftX, 80, kColumn, 20}, kCycle);
    fraEffects_ = AddGroup("Include the following Effects", {kLeftX, 104, kColumn, 144});
    const std::array<std::pair<int, const char*>, 5> effects = {{{0, "Fireworks / All Themes:"},
                                                                  {2, "B-Spline Warp:"},
                                                                  {3, "B-Spline Sparklers:"},
                                                                  {4, "Stars and Gravity Wells:"},
                                                                  {5, "Galaxies / All Themes:"}}};
    int y = 124;
    for (const auto& [index, caption] : effects) {
      chkEffect_[static_cast<size_t>(index)] =
          AddControl(L"BUTTON", caption, WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFTTEXT, {kLeftX + 10, y, 170, 20},
                     kEffectBase + index);
      // The "All Themes" boxes beside Fireworks and Galaxies.
      if (index == 0 || index == 5) {
        const int themes = index == 0 ? 6 : 7;
        chkEffect_[static_cast<size_t>(themes)] = AddCheck("", {kLeftX + 186, y, 20, 20}, kEffectBase + themes);
      }
      y += kRow;
    }
    y = 256;
    BoxRow(kAdvFramesPerEffect, "Frames per Effect (100 - 30000):", kLeftX, y);
    BoxRow(kAdvPerfMult, "Performance Multiplier (0.1 - 9.9):", kLeftX, y += kRow);
    BoxRow(kAdvHueStart, "Initial Hue Wheel: (0 - 359):", kLeftX, y += kRow);
    picHueStart_ = AddSwatch({kLeftX + kLabelWidth + kBoxWidth + kSpinWidth + 6, y, 20, 20});

    AddGroup("On Screen Message", {kRightX, 8, kColumn, 136});
    AddLabel("Text:", {kRightX + 10, 31, 40, 16});
    txtMessage_ = AddEdit({kRightX + 56, 28, kColumn - 66, kBoxHeight}, kMessage);
    AddLabel("Font:", {kRightX + 10, 55, 40, 16});
    std::set<std::string> fonts;
    LOGFONTW any{};
    any.lfCharSet = DEFAULT_CHARSET;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &any, &AddFontName, reinterpret_cast<LPARAM>(&fonts), 0);
    ReleaseDC(nullptr, screen);
    cboFont_ = AddList({fonts.begin(), fonts.end()}, {kRightX + 56, 52, kColumn - 66, kBoxHeight}, kFont);
    y = 78;
    // Narrower labels here leave room for the swatch inside the frame.
    constexpr int kShortLabel = 200;
    BoxRow(kAdvFontSize, "Size:", kRightX + 10, y, kShortLabel);
    BoxRow(kAdvFontHue, "Text Hue (0 - 359):", kRightX + 10, y += kRow, kShortLabel);
    picFontHue_ = AddSwatch({kRightX + 10 + kShortLabel + kBoxWidth + kSpinWidth + 4, y, 20, 20});

    AddGroup("Display Enhancement", {kRightX, 152, kColumn, 78});
    BoxRow(kAdvFocalLength, "Focal length distance (0.01 - 10.0):", kRightX + 10, 174);
    BoxRow(kAdvFrameDelay, "Frame delay in milliseconds (0 - 999):", kRightX + 10, 174 + kRow);

    AddButton("OK", {kRightX + kColumn - 4 * 72 - 12, 336, 72, 26}, IDOK);
    AddButton("Cancel", {kRightX + kColumn - 3 * 72 - 8, 336, 72, 26}, IDCANCEL);
    AddButton("&Defaults", {kRightX + kColumn - 2 * 72 - 4, 336, 72, 26}, kDefaults);
    AddButton("&Help", {kRightX + kColumn - 72, 336, 72, 26}, kHelp);
    SetDefaultButton(IDOK);
    for (const AdvancedBoxRule& rule : AdvancedBoxRules())
      if (HWND spinner = spinners_[static_cast<size_t>(rule.index)])
        BindSpinner(txtAdv_[static_cast<size_t>(rule.index)], spinner, static_cast<int>(rule.lo), static_cast<int>(rule.hi),
                    rule.hi >= 10000 ? 5 : 3);
    Show(LoadAdvancedFields());
  }

  void Command(int id, int code, HWND) override {
    if (id >= kBoxBase && id < kBoxBase + kAdvancedBoxCount) {
      HWND box = txtAdv_[static_cast<size_t>(id - kBoxBase)];
      NumberBoxNotified(box, code);
      if (code == EN_CHANGE) UpdateSwatches();
      return;
    }
    switch (id) {
      case kCycle:
        EnableEffects();
        break;
      case IDOK:
        Ok();
        break;
      case IDCANCEL:
        End(IDCANCEL);
        break;
      case kDefaults: {
        AdvancedFields fields = Fields();
        ApplyAdvancedDefaults(fields);
        Show(fields);
        break;
      }
      case kHelp:
        OpenHelpTopic(kHelpAdvanced);
        break;
    }
  }

 private:
  void BoxRow(int index, const char* label, int x, int y, int labelWidth = kLabelWidth) {
    const AdvancedBoxRule* rule = FindAdvancedBox(index);
    AddLabel(label, {x, y + 3, labelWidth, 16});
    HWND box = AddEdit({x + labelWidth, y, kBoxWidth, kBoxHeight}, kBoxBase + index, ES_AUTOHSCROLL | ES_RIGHT);
    txtAdv_[static_cast<size_t>(index)] = box;
    const bool decimal = rule && rule->kind == static_cast<int>(TextBoxKind::Single);
    if (rule && !decimal)
      spinners_[static_cast<size_t>(index)] = AddControl(UPDOWN_CLASSW, "", UDS_SETBUDDYINT | UDS_NOTHOUSANDS,
                                                          {x + labelWidth + kBoxWidth, y, kSpinWidth, kBoxHeight});
    NumberBoxRules rules;
    rules.decimal = decimal;
    rules.lostFocus = [index](const std::string& text) { return ClampAdvancedBox(index, text); };
    rules.arrow = [index](const std::string& text, int direction) { return AdvancedArrowText(index, text, direction); };
    MakeNumberBox(box, std::move(rules));
  }

  AdvancedFields Fields() const {
    AdvancedFields fields;
    for (int i = 0; i < kAdvancedBoxCount; ++i)
      if (txtAdv_[static_cast<size_t>(i)]) fields.txtAdv[static_cast<size_t>(i)] = ControlText(txtAdv_[static_cast<size_t>(i)]);
    fields.message = ControlText(txtMessage_);
    fields.fontName = ControlText(cboFont_);
    fields.backGround = Checked(chkBackGr_);
    fields.mouseMove = Checked(chkMouseM_);
    fields.resize = Checked(chkResize_);
    fields.cycle = Checked(chkCycle_);
    for (int i = 0; i < kEffectBoxCount; ++i)
      if (chkEffect_[static_cast<size_t>(i)]) fields.effects[static_cast<size_t>(i)] = Checked(chkEffect_[static_cast<size_t>(i)]);
    return fields;
  }

  void Show(const AdvancedFields& fields) {
    for (int i = 0; i < kAdvancedBoxCount; ++i)
      if (txtAdv_[static_cast<size_t>(i)]) SetControlText(txtAdv_[static_cast<size_t>(i)], fields.txtAdv[static_cast<size_t>(i)]);
    SetControlText(txtMessage_, fields.message);
    // A stored font that is not installed stays selectable, so OK does not change it.
    const std::wstring font = WideFromUtf8(fields.fontName);
    LRESULT found = SendMessageW(cboFont_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(font.c_str()));
    if (found == CB_ERR) found = SendMessageW(cboFont_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font.c_str()));
    SetListIndex(cboFont_, static_cast<int>(found));
    SetChecked(chkBackGr_, fields.backGround);
    SetChecked(chkMouseM_, fields.mouseMove);
    SetChecked(chkResize_, fields.resize);
    SetChecked(chkCycle_, fields.cycle);
    for (int i = 0; i < kEffectBoxCount; ++i)
      if (chkEffect_[static_cast<size_t>(i)]) SetChecked(chkEffect_[static_cast<size_t>(i)], fields.effects[static_cast<size_t>(i)]);
    EnableEffects();
    UpdateSwatches();
  }

  void EnableEffects() {
    // SetContainerEnabled: the frame and every box in it follow "Cycle through Effects".
    const bool on = Checked(chkCycle_);
    EnableWindow(fraEffects_, on);
    for (HWND check : chkEffect_)
      if (check) EnableWindow(check, on);
  }

  void UpdateSwatches() {
    for (const auto& [index, swatch] : {std::pair{kAdvHueStart, picHueStart_}, std::pair{kAdvFontHue, picFontHue_}}) {
      if (!swatch || !txtAdv_[static_cast<size_t>(index)]) continue;
      const auto hue = static_cast<int16_t>(ValOfBoxText(ClampAdvancedBox(index, ControlText(txtAdv_[static_cast<size_t>(index)]))));
      PaintSwatch(swatch, HueToRgb(hue, 55, 100, 100, 100));
    }
  }

  void Ok() {
    // The box being edited is clamped as it loses the focus.
    SetFocus(GetDlgItem(window_, IDOK));
    if (const auto message = SaveAdvancedFields(Fields())) {
      ShowPyxoraMessage(window_, *message);
      return;
    }
    End(IDOK);
  }

  std::array<HWND, kAdvancedBoxCount> txtAdv_{};
  std::array<HWND, kAdvancedBoxCount> spinners_{};
  std::array<HWND, kEffectBoxCount> chkEffect_{};
  HWND chkBackGr_ = nullptr, chkMouseM_ = nullptr, chkResize_ = nullptr, chkCycle_ = nullptr;
  HWND fraEffects_ = nullptr, txtMessage_ = nullptr, cboFont_ = nullptr;
  HWND picHueStart_ = nullptr, picFontHue_ = nullptr;
};

}  // namespace

void ShowAdvancedSettings(HWND owner) {
  AdvancedWindow window;
  if (window.Open(owner)) window.RunModal(owner);
}

}  // namespace pyxora
