#include "win/ui/properties_entry.h"

#include "host/startup.h"

namespace pyxora {
namespace {

// Until the Properties window is built, its place tells where the settings are changed.
constexpr const wchar_t* kSettingsHint =
    L"The settings are changed from a command prompt in this version:\r\n\r\n"
    L"    Pyxora.scr --settings list\r\n"
    L"    Pyxora.scr --settings set SECTION KEY VALUE\r\n"
    L"    Pyxora.scr --settings import FILE.pxt\r\n\r\n"
    L"Pyxora.scr --help lists every option.";

}  // namespace

int RunPropertiesWindow() {
  ShowPropertiesModal(nullptr);
  return 0;
}

void ShowPropertiesModal(HWND owner) {
  MessageBoxW(owner, kSettingsHint, L"Pyxora Properties", MB_OK | MB_ICONINFORMATION);
}

}  // namespace pyxora
