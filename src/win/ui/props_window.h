// frmProps, "Pyxora Properties", as a Windows window: the effect list, each effect's
// frame built from the shared frame layout and the Properties controls, the two colour
// frames, the live preview through the display presenter, the menus and their windows.
// The controls are a view over a PropertiesModel, as on the other platform side.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/properties_layout.h"
#include "host/properties_preview.h"
#include "settings/properties_model.h"
#include "win/ui/dialog_kit.h"
#include "win/ui/properties_entry.h"
#include "win/ui/picture_box.h"

namespace pyxora {

class PropsWindow : public DialogWindow {
 public:
  // Creates the window, fills it (the first-run logic, with the welcome window the
  // first time) and shows the stored effect; RunModal then shows it.
  bool Open(HWND owner);

  PropertiesModel Model() const;
  void SetModel(const PropertiesModel& model);

 protected:
  void Build() override;
  void Command(int id, int code, HWND control) override;
  const char* PlacementSection() const override { return "General\\Main"; }
  bool Resizable() const override { return true; }

 private:
  struct Member {
    HWND control;
    int frame;  // effect index; -1 for the shared controls
    int pages;  // paged list it sits on (index in pagedLists_); -1 when on no page
    int page;
  };
  struct Box {
    std::string array;
    int index;
    HWND edit;
    HWND spinner;
  };

  HMENU BuildMenus();
  void BuildFrame(int effect, const EffectFrameLayout& layout);
  void LayItems(const std::vector<LayoutItem>& items, int effect, int pages, int page, int& y);
  void AddBoxRow(const char* array, int index, int effect, int pages, int page, int x, int y);
  void AddMember(HWND control, int frame, int pages = -1, int page = -1);

  void ShowEffectFrame();
  // picGalProfile: the outline of the chosen galaxy profile.
  void DrawProfile();
  void ArrangeControls();
  void BoxChanged(const Box& box);
  void ChooseTheme(int effect, int theme);
  void TogglePreview();
  void StartPreview();
  void StopPreview();
  void RestoreControls();
  void Accept();
  void Close(int result);
  void ResetProperties();
  void OpenTemplate();
  void SaveTemplate(bool askForPath);

  HWND cboAniType_ = nullptr;
  HWND cmdDispPreview_ = nullptr;
  HWND cmdAccept_ = nullptr;
  PictureBox picPreview_;
  PictureBox picGalProfile_;
  std::vector<Member> members_;
  std::map<int, Box> boxes_;  // by control id
  std::map<std::pair<std::string, int>, int> boxIds_;
  std::map<std::string, HWND> checks_, lists_;
  std::map<int, int> themeLists_;  // control id -> effect
  std::vector<HWND> pagedLists_;
  std::vector<HWND> picPixHue_;
  HWND picGalHue_ = nullptr;
  int nextId_ = 1000;
  PreviewSession session_;
};

}  // namespace pyxora
