// The file chooser on Windows: the system's file dialog (IFileDialog), with the
// program's own rules on OK: its three messages, the default extension, the template
// loaded or saved in template mode, and the folder remembered for templates.
#include <windows.h>
#include <shobjidl.h>

#include "base/system.h"
#include "host/file_choice.h"
#include "host/templates.h"
#include "settings/template_file.h"
#include "win/platform/win_system.h"
#include "win/ui/dialog_entries.h"
#include "win/ui/dialog_kit.h"

namespace pyxora {
namespace {

std::string ItemPath(IShellItem* item) {
  std::string path;
  PWSTR text = nullptr;
  if (item && SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &text))) {
    path = Utf8FromWide(text);
    CoTaskMemFree(text);
  }
  return path;
}

// Decides OK as the program's chooser does; S_FALSE keeps the dialog open.
class ChooserEvents : public IFileDialogEvents {
 public:
  explicit ChooserEvents(const FileDialogSetup& setup) : setup_(setup) {}
  std::string chosen;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == IID_IUnknown || id == IID_IFileDialogEvents) {
      *object = static_cast<IFileDialogEvents*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the stack of ShowFileDialog, longer than the dialog holds it.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog* dialog) override {
    PWSTR typed = nullptr;
    std::string name;
    if (SUCCEEDED(dialog->GetFileName(&typed)) && typed) {
      name = Utf8FromWide(typed);
      CoTaskMemFree(typed);
    }
    IShellItem* folder = nullptr;
    std::string folderPath;
    if (SUCCEEDED(dialog->GetFolder(&folder))) {
      folderPath = ItemPath(folder);
      folder->Release();
    }
    HWND window = nullptr;
    IOleWindow* ole = nullptr;
    if (SUCCEEDED(dialog->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&ole)))) {
      ole->GetWindow(&window);
      ole->Release();
    }
    const FileChoice choice = ChooseFile(setup_.openMode, folderPath, name, setup_.defaultExtension, IsFile);
    const char* message = choice.message;
    if (!message && setup_.templateMode && setup_.props) {
      if (setup_.openMode ? !LoadTemplate(*setup_.props, choice.path).ok : !SaveTemplate(*setup_.props, choice.path))
        message = setup_.openMode ? kExistingFileMessage : kValidPathMessage;
      else {
        gTemplate.TemplatePath = choice.path;
        RememberTemplateFolder(choice.path);
      }
    }
    if (message) {
      ShowPyxoraMessage(window, message);
      return S_FALSE;
    }
    chosen = choice.path;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnSelectionChange(IFileDialog*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShareViolation(IFileDialog*, IShellItem*, FDE_SHAREVIOLATION_RESPONSE*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnTypeChange(IFileDialog*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnOverwrite(IFileDialog*, IShellItem*, FDE_OVERWRITE_RESPONSE* response) override {
    *response = FDEOR_ACCEPT;  // saving over a file replaces it without a question
    return S_OK;
  }

 private:
  const FileDialogSetup& setup_;
};

}  // namespace

std::string ShowFileDialog(HWND owner, const FileDialogSetup& setup) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  std::string chosen;
  IFileDialog* dialog = nullptr;
  const CLSID& type = setup.openMode ? CLSID_FileOpenDialog : CLSID_FileSaveDialog;
  if (SUCCEEDED(CoCreateInstance(type, nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog, reinterpret_cast<void**>(&dialog)))) {
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    // The program's own messages stand in for the dialog's checks.
    options &= ~static_cast<FILEOPENDIALOGOPTIONS>(FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST | FOS_OVERWRITEPROMPT);
    dialog->SetOptions(options | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR);
    dialog->SetTitle(WideFromUtf8(setup.title).c_str());
    std::vector<std::wstring> texts;
    for (const FileType& fileType : SplitFileFilter(setup.filter)) {
      texts.push_back(WideFromUtf8(fileType.description));
      texts.push_back(WideFromUtf8(fileType.pattern));
    }
    std::vector<COMDLG_FILTERSPEC> specs;
    for (size_t i = 0; i + 1 < texts.size(); i += 2) specs.push_back({texts[i].c_str(), texts[i + 1].c_str()});
    dialog->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());
    dialog->SetFileTypeIndex(1);
    if (setup.templateMode) {
      const std::string folder = RememberedTemplateFolder();
      IShellItem* start = nullptr;
      if (!folder.empty() && SUCCEEDED(SHCreateItemFromParsingName(WideFromUtf8(folder).c_str(), nullptr, IID_IShellItem,
                                                                    reinterpret_cast<void**>(&start)))) {
        dialog->SetFolder(start);
        start->Release();
      }
    }
    ChooserEvents events(setup);
    DWORD cookie = 0;
    dialog->Advise(&events, &cookie);
    if (SUCCEEDED(dialog->Show(owner))) chosen = events.chosen;
    dialog->Unadvise(cookie);
    dialog->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

}  // namespace pyxora
