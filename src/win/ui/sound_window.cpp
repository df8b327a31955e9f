// frmSoundFX, the fireworks' sound settings, over the shared sound form.
#include <windows.h>
#include <commctrl.h>

#include "base/system.h"
#include "effects/fireworks/fireworks_sounds.h"
#include "host/help_topics.h"
#include "host/sound_form.h"
#include "render/sound_output.h"
#include "win/platform/win_system.h"
#include "win/ui/dialog_entries.h"
#include "win/ui/dialog_kit.h"

namespace pyxora {
namespace {

// The notes as this system has them: its sounds lie in the system folder.
constexpr const char* kNotes =
    "1.  The sound files are located in your \\Windows\\System directory\r\n"
    "      or the equivalent on NT systems.\r\n"
    "2.  A slight delay may occur when playing each sound file.\r\n"
    "3.  Sounds are played on a single track with no mixing.\r\n"
    "4.  You can create and/or use your own sound files.";

enum : int { kSoundOn = 10, kList, kFile, kChoose, kPlay, kDefaults, kHelp };

// Delete in the list or the file box clears the file box.
LRESULT CALLBACK DeleteClears(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR file) {
  if (message == WM_KEYDOWN && wParam == VK_DELETE) {
    SetWindowTextW(reinterpret_cast<HWND>(file), L"");
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, &DeleteClears, 1);
  return DefSubclassProc(control, message, wParam, lParam);
}

class SoundWindow : public DialogWindow {
 public:
  bool Open(HWND owner) { return Create("Fireworks Sound Effects", 420, 330, owner); }

 protected:
  const char* PlacementSection() const override { return "General\\SoundFX"; }

  void Build() override {
    chkSoundOn_ = AddCheck("Sound On", {8, 8, 200, 20}, kSoundOn);
    AddLabel("Effect Type:", {8, 34, 200, 16});
    lstEffectType_ = AddControl(L"LISTBOX", "", WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                {8, 52, 404, 124}, kList);
    for (const char* name : kFireSoundNames)
      SendMessageW(lstEffectType_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(name).c_str()));
    AddLabel("Sound File:", {8, 187, 70, 16});
    txtFile_ = AddEdit({80, 184, 252, 21}, kFile);
    cmdFile_ = AddButton("&File...", {336, 183, 76, 24}, kChoose);
    AddLabel(kNotes, {8, 214, 404, 76});
    cmdPlay_ = AddButton("&Play", {8, 298, 64, 26}, kPlay);
    AddButton("&Defaults", {76, 298, 70, 26}, kDefaults);
    AddButton("&Help", {150, 298, 64, 26}, kHelp);
    AddButton("OK", {276, 298, 64, 26}, IDOK);
    AddButton("Cancel", {344, 298, 68, 26}, IDCANCEL);
    SetDefaultButton(IDOK);
    for (HWND control : {lstEffectType_, txtFile_})
      SetWindowSubclass(control, &DeleteClears, 1, reinterpret_cast<DWORD_PTR>(txtFile_));
    form_.Load();
    SetChecked(chkSoundOn_, form_.SoundOn());
    UpdateEnabled();
  }

  void Command(int id, int code, HWND) override {
    switch (id) {
      case kSoundOn:
        UpdateEnabled();
        break;
      case kList:
        if (code == LBN_SELCHANGE) {
          const int index = static_cast<int>(SendMessageW(lstEffectType_, LB_GETCURSEL, 0, 0));
          SetControlText(txtFile_, form_.Select(index, ControlText(txtFile_)));
        } else if (code == LBN_DBLCLK) {
          PlaySoundFile(ControlText(txtFile_));
        }
        break;
      case kPlay:
      case kChoose:
        if (form_.Selected() < 0) {
          ShowPyxoraMessage(window_, kSelectEffectTypeMessage);
          SetFocus(lstEffectType_);
        } else if (id == kPlay) {
          PlaySoundFile(ControlText(txtFile_));
        } else {
          const std::string path = ShowFileDialog(window_, {true, false, kAudioChooserTitle, kAudioChooserFilter, "wav", nullptr});
          if (!path.empty()) SetControlText(txtFile_, path);
        }
        break;
      case kDefaults:
        SetChecked(chkSoundOn_, false);
        UpdateEnabled();
        break;
      case kHelp:
        OpenHelpTopic(kSoundHelpContext);
        break;
      case IDOK:
        form_.SetSoundOn(Checked(chkSoundOn_));
        form_.Save(ControlText(txtFile_));
        End(IDOK);
        break;
      case IDCANCEL:
        End(IDCANCEL);
        break;
    }
  }

 private:
  void UpdateEnabled() {
    const bool on = Checked(chkSoundOn_);
    for (HWND control : {lstEffectType_, txtFile_, cmdPlay_, cmdFile_}) EnableWindow(control, on);
  }

  SoundForm form_;
  HWND chkSoundOn_ = nullptr, lstEffectType_ = nullptr, txtFile_ = nullptr, cmdFile_ = nullptr, cmdPlay_ = nullptr;
};

}  // namespace

void ShowSoundSettings(HWND owner) {
  SoundWindow window;
  if (window.Open(owner)) window.RunModal(owner);
}

}  // namespace pyxora
