#include "win/ui/props_window.h"

#include <commctrl.h>

#include <algorithm>

#include "base/number_text.h"
#include "base/system.h"
#include "effects/effect_table.h"
#include "host/first_run.h"
#include "host/help_topics.h"
#include "host/properties_fields.h"
#include "host/properties_preview.h"
#include "host/startup.h"
#include "host/templates.h"
#include "render/colour.h"
#include "render/saver_state.h"
#include "settings/template_file.h"
#include "win/platform/win_frame_host.h"
#include "win/platform/win_system.h"
#include "win/ui/dialog_entries.h"
#include "win/ui/number_box.h"

namespace pyxora {
namespace {

// Geometry in 96-dpi units: the effect frame on the left, the colour frames and the
// preview on the right, the two buttons below.
constexpr int kMargin = 8, kRow = 24, kLabelWidth = 244, kBoxWidth = 56, kSpinWidth = 17, kBoxHeight = 21;
constexpr int kFrameX = kMargin, kFrameY = 36, kFrameWidth = 346, kFrameHeight = 528;
constexpr int kRightX = kFrameX + kFrameWidth + kMargin, kRightWidth = 340;
constexpr int kPreviewWidth = 320, kPreviewHeight = 240;
constexpr int kClientWidth = kRightX + kRightWidth + kMargin, kClientHeight = kFrameY + kFrameHeight + 40;

enum : int {
  kAniType = 10,
  kDispPreview = 11,
  kPreviewPicture = 12,
  kFileMenu = 100,  // mnuFileArray(i) is kFileMenu + i
  kEditMenu = 200,
  kHelpMenu = 300,
};

}  // namespace

HMENU PropsWindow::BuildMenus() {
  HMENU bar = CreateMenu();
  auto menu = [bar](const wchar_t* caption, std::initializer_list<std::pair<int, const wchar_t*>> items) {
    HMENU popup = CreatePopupMenu();
    for (const auto& [id, text] : items) AppendMenuW(popup, id ? MF_STRING : MF_SEPARATOR, static_cast<UINT_PTR>(id), text);
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), caption);
  };
  menu(L"&File", {{kFileMenu + 0, L"&Open Template..."},
                  {kFileMenu + 1, L"&Save Template"},
                  {kFileMenu + 2, L"Save Template &As..."},
                  {0, nullptr},
                  {kFileMenu + 3, L"E&xit"}});
  menu(L"&Edit", {{kEditMenu + 0, L"S&ounds..."},
                  {0, nullptr},
                  {kEditMenu + 1, L"&Reset Properties"},
                  {0, nullptr},
                  {kEditMenu + 2, L"&Advanced Settings..."}});
  menu(L"&Help", {{kHelpMenu + 0, L"&Contents..."},
                  {kHelpMenu + 1, L"&Search..."},
                  {0, nullptr},
                  {kHelpMenu + 2, L"&Diagnostics..."},
                  {0, nullptr},
                  {kHelpMenu + 3, L"&KVTR Home Page..."},
                  {0, nullptr},
                  {kHelpMenu + 4, L"&About Pyxora..."}});
  return bar;
}

bool PropsWindow::Open(HWND owner) {
  if (!Create(kPropertiesCaption, kClientWidth, kClientHeight, owner, BuildMenus())) return false;
  // The spinners in the order the window has always bound them, with their limits.
  for (const char* array : {"txtPixHue", "txtPixCol", "txtFire", "txtWarp", "txtSpline", "txtGrav", "txtGalaxy"})
    for (const auto& [id, box] : boxes_)
      if (box.array == array && box.spinner)
        if (const PropertiesControl* control = FindBoxControl(box.array, box.index))
          BindSpinner(box.edit, box.spinner, static_cast<int>(control->box.lo), static_cast<int>(control->box.hi),
                      control->box.maxLength);
  PropertiesModel model;
  RunFirstRunLogic(model, [this](bool earlierVersion) { return ShowWelcome(window_, earlierVersion); });
  SetModel(model);
  return true;
}

void PropsWindow::Build() {
  AddLabel("Effect:", {kMargin, kMargin + 3, 40, 16});
  std::vector<std::string> names;
  for (const EffectEntry& effect : Effects()) names.push_back(effect.name);
  cboAniType_ = AddList(names, {kMargin + 44, kMargin, kFrameWidth - 44, kBoxHeight}, kAniType);
  const std::vector<EffectFrameLayout>& layouts = EffectFrameLayouts();
  for (size_t effect = 0; effect < layouts.size(); ++effect) BuildFrame(static_cast<int>(effect), layouts[effect]);

  // Pixel Color Distribution and Pixel Hue Mix.
  AddGroup("Pixel Color Distribution", {kRightX, kMargin, kRightWidth, 3 * kRow + 28});
  for (int i = 0; i < 3; ++i) AddBoxRow("txtPixCol", i, -1, -1, -1, kRightX + 8, kMargin + 20 + i * kRow);
  const int colourY = kMargin + 3 * kRow + 36;
  AddGroup("Pixel Hue Mix:  Red, Green, Blue (0 - 100)", {kRightX, colourY, kRightWidth, 52});
  for (int i = 0; i < 3; ++i) {
    const int x = kRightX + 10 + i * 108;
    picPixHue_.push_back(AddSwatch({x, colourY + 22, 20, 20}));
    const PropertiesControl* control = FindBoxControl("txtPixHue", i);
    if (!control) continue;
    const int id = nextId_++;
    HWND edit = AddEdit({x + 26, colourY + 21, 44, kBoxHeight}, id, ES_AUTOHSCROLL | ES_RIGHT);
    HWND spinner = AddControl(UPDOWN_CLASSW, "", UDS_SETBUDDYINT | UDS_NOTHOUSANDS, {x + 70, colourY + 21, kSpinWidth, kBoxHeight});
    boxes_[id] = {"txtPixHue", i, edit, spinner};
    boxIds_[{"txtPixHue", i}] = id;
    MakeNumberBox(edit, {false, [this, i](const std::string& text) { return LostFocusText(Model(), "txtPixHue", i, text); },
                         [i](const std::string& text, int direction) { return ArrowStepText("txtPixHue", i, text, direction); }});
  }

  const int previewY = colourY + 60;
  AddGroup("Preview", {kRightX, previewY, kRightWidth, kPreviewHeight + 68});
  cmdDispPreview_ = AddButton("Display Effects Preview", {kRightX + 10, previewY + 20, kRightWidth - 20, 26}, kDispPreview);
  picPreview_.Create(window_, kPreviewPicture);
  // The client area is the picture; the sunken edge lies outside it.
  Place(picPreview_.Window(), {kRightX + (kRightWidth - kPreviewWidth) / 2 - 2, previewY + 52, kPreviewWidth + 4,
                               kPreviewHeight + 4});

  cmdAccept_ = AddButton("&Accept Settings", {kClientWidth - kMargin - 220, kClientHeight - 32, 130, 26}, IDOK);
  AddButton("Cancel", {kClientWidth - kMargin - 84, kClientHeight - 32, 84, 26}, IDCANCEL);
  SetDefaultButton(IDOK);
  SetListIndex(cboAniType_, 0);
  ShowEffectFrame();
}

void PropsWindow::AddMember(HWND control, int frame, int pages, int page) {
  if (control) members_.push_back({control, frame, pages, page});
}

void PropsWindow::BuildFrame(int effect, const EffectFrameLayout& layout) {
  // Hidden until ArrangeControls shows the chosen effect's page.
  createHidden_ = true;
  AddMember(AddGroup(layout.caption, {kFrameX, kFrameY, kFrameWidth, kFrameHeight}), effect);
  int y = kFrameY + 20;
  LayItems(layout.items, effect, -1, -1, y);
  createHidden_ = false;
}

void PropsWindow::LayItems(const std::vector<LayoutItem>& items, int effect, int pages, int page, int& y) {
  const int x = kFrameX + 8;
  for (const LayoutItem& item : items) {
    switch (item.kind) {
      case LayoutItemKind::ThemeList:
      case LayoutItemKind::List: {
        AddMember(AddLabel(item.label, {x, y + 3, 120, 16}), effect, pages, page);
        const std::vector<std::string> entries =
            item.kind == LayoutItemKind::ThemeList ? ThemeListEntries(effect) : item.entries;
        const int id = nextId_++;
        HWND list = AddList(entries, {x + 124, y, kFrameWidth - 140, kBoxHeight}, id);
        AddMember(list, effect, pages, page);
        if (item.kind == LayoutItemKind::ThemeList) {
          themeLists_[id] = effect;
          SetListIndex(list, 0);
        } else {
          lists_[item.name] = list;
        }
        y += kRow + 2;
        break;
      }
      case LayoutItemKind::Boxes:
        for (int index : item.boxes) {
          AddBoxRow(item.name.c_str(), index, effect, pages, page, x, y);
          y += kRow;
        }
        break;
      case LayoutItemKind::Check: {
        const PropertiesControl* control = FindNamedControl(item.name);
        HWND check = AddControl(L"BUTTON", control ? control->label : item.name, WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFTTEXT,
                                {x, y, kLabelWidth + kBoxWidth - 14, kBoxHeight}, nextId_++);
        checks_[item.name] = check;
        AddMember(check, effect, pages, page);
        y += kRow;
        break;
      }
      case LayoutItemKind::Pages: {
        const int id = nextId_++;
        HWND list = AddList(item.entries, {x, y, kFrameWidth - 16, kBoxHeight}, id);
        SetListIndex(list, 0);
        AddMember(list, effect, pages, page);
        pagedLists_.push_back(list);
        const int own = static_cast<int>(pagedLists_.size()) - 1;
        y += kRow + 6;
        int lowest = y;
        for (size_t i = 0; i < item.children.size(); ++i) {
          int pageY = y;
          LayItems(item.children[i].children, effect, own, static_cast<int>(i), pageY);
          lowest = std::max(lowest, pageY);
        }
        y = lowest;
        break;
      }
      case LayoutItemKind::HueSwatch:
        // Beside the row above it: the galaxy hue box.
        picGalHue_ = AddSwatch({x + kLabelWidth + kBoxWidth + kSpinWidth + 6, y - kRow, 20, 20});
        AddMember(picGalHue_, effect, pages, page);
        break;
      case LayoutItemKind::ProfilePicture:
        picGalProfile_.Create(window_, nextId_++);
        Place(picGalProfile_.Window(), {x, y + 2, 100, 48});
        AddMember(picGalProfile_.Window(), effect, pages, page);
        y += 54;
        break;
      case LayoutItemKind::Page:
        break;
      case LayoutItemKind::Note:
        AddMember(AddLabel(item.label, {x, y + 3, kFrameWidth - 16, 16}), effect, pages, page);
        y += kRow;
        break;
    }
  }
}

void PropsWindow::AddBoxRow(const char* array, int index, int effect, int pages, int page, int x, int y) {
  const PropertiesControl* control = FindBoxControl(array, index);
  if (!control) return;
  const int id = nextId_++;
  AddMember(AddLabel(control->label, {x, y + 3, kLabelWidth, 16}), effect, pages, page);
  HWND edit = AddEdit({x + kLabelWidth, y, kBoxWidth, kBoxHeight}, id, ES_AUTOHSCROLL | ES_RIGHT);
  AddMember(edit, effect, pages, page);
  HWND spinner = nullptr;
  if (BoxHasSpinner(*control)) {
    spinner = AddControl(UPDOWN_CLASSW, "", UDS_SETBUDDYINT | UDS_NOTHOUSANDS,
                         {x + kLabelWidth + kBoxWidth, y, kSpinWidth, kBoxHeight});
    AddMember(spinner, effect, pages, page);
  } else if (control->box.maxLength > 0) {
    SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(control->box.maxLength), 0);
  }
  boxes_[id] = {array, index, edit, spinner};
  boxIds_[{array, index}] = id;
  const std::string name = array;
  MakeNumberBox(edit, {BoxTakesDecimal(name, index),
                       [this, name, index](const std::string& text) { return LostFocusText(Model(), name, index, text); },
                       [name, index](const std::string& text, int direction) {
                         return ArrowStepText(name, index, text, direction);
                       }});
}

PropertiesModel PropsWindow::Model() const {
  PropertiesModel model;
  model.SelectedEffect = static_cast<int16_t>(ListIndex(cboAniType_));
  model.Lists["cboAniType"] = model.SelectedEffect;
  for (const auto& [id, box] : boxes_) model.SetText(box.array, box.index, ControlText(box.edit));
  for (const auto& [name, check] : checks_) model.Checks[name] = Checked(check);
  for (const auto& [name, list] : lists_) model.Lists[name] = ListIndex(list);
  return model;
}

void PropsWindow::SetModel(const PropertiesModel& model) {
  for (const auto& [id, box] : boxes_) SetControlText(box.edit, model.Text(box.array, box.index));
  for (const auto& [name, check] : checks_) SetChecked(check, model.Checked(name));
  // A list index the list cannot show (a hand-edited store) shows its nearest entry.
  for (const auto& [name, list] : lists_) {
    const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    SetListIndex(list, std::clamp(model.ListIndex(name, ListIndex(list)), 0, count - 1));
  }
  const int effects = static_cast<int>(SendMessageW(cboAniType_, CB_GETCOUNT, 0, 0));
  if (model.SelectedEffect >= 0 && model.SelectedEffect < effects) SetListIndex(cboAniType_, model.SelectedEffect);
  ShowEffectFrame();
  DrawProfile();
}

void PropsWindow::ShowEffectFrame() {
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));  // SetHourglass
  ArrangeControls();
  SetCursor(previous);
}

void PropsWindow::ArrangeControls() {
  const int effect = ListIndex(cboAniType_);
  for (const Member& member : members_) {
    if (member.frame < 0) continue;
    const bool shown = member.frame == effect &&
                       (member.pages < 0 || ListIndex(pagedLists_[static_cast<size_t>(member.pages)]) == member.page);
    // Only the changes: under wine every call is a trip to the server.
    const bool visible = (GetWindowLongPtrW(member.control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible != shown) ShowWindow(member.control, shown ? SW_SHOWNA : SW_HIDE);
    const bool enabled = shown && !session_.Showing();
    if ((IsWindowEnabled(member.control) != FALSE) != enabled) EnableWindow(member.control, enabled);
  }
}

void PropsWindow::DrawProfile() {
  auto list = lists_.find("cboGalProfile");
  if (!picGalProfile_.Window() || list == lists_.end()) return;
  picGalProfile_.FitSurface();
  Canvas& canvas = picGalProfile_.Surface();
  for (const OutlinePoint& point : ProfileOutline(ListIndex(list->second), canvas.Width(), canvas.Height()))
    canvas.SetPixel(point.x, point.y, 0xFFFFFF);
  picGalProfile_.Present();
}

void PropsWindow::BoxChanged(const Box& box) {
  const std::string text = ControlText(box.edit);
  if (box.array == "txtPixHue" && box.index >= 0 && box.index < static_cast<int>(picPixHue_.size()))
    PaintSwatch(picPixHue_[static_cast<size_t>(box.index)], LevelSwatchColour(box.index, text));
  if (box.array == "txtGalaxy" && box.index == 95 && picGalHue_) PaintSwatch(picGalHue_, HueSwatchColour(text));
}

void PropsWindow::ChooseTheme(int effect, int theme) {
  PropertiesModel model = Model();
  if (ApplyThemeToControls(model, effect, theme)) SetModel(model);
}

void PropsWindow::TogglePreview() {
  if (session_.Showing()) StopPreview();
  else StartPreview();
}

void PropsWindow::StartPreview() {
  if (session_.LoopRunning()) return;
  if (ListIndex(cboAniType_) < 0) {
    ShowPyxoraMessage(window_, "Please select an Effect Type.");
    SetFocus(cboAniType_);
    return;
  }
  session_.Start();
  // EnableControlsExcept: every control but the preview button (the menus stay).
  for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (child != cmdDispPreview_ && child != picPreview_.Window()) EnableWindow(child, FALSE);
  SetControlText(cmdDispPreview_, "Stop Preview");
  SetFocus(cmdDispPreview_);

  WinFrameHost& host = DisplayFrameHost();
  host.SetPresenter([this] { picPreview_.Present(); });
  gState.Host = &host;
  picPreview_.FitSurface();
  RECT client{};
  GetClientRect(picPreview_.Window(), &client);
  session_.Run([&] { RunPropertiesPreview(Model(), picPreview_.Surface(), client.right, client.bottom); },
               [this](int result) { Close(result); });
  host.SetPresenter(nullptr);
}

void PropsWindow::StopPreview() {
  if (session_.Stop()) RestoreControls();
}

void PropsWindow::RestoreControls() {
  for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) EnableWindow(child, TRUE);
  ArrangeControls();
  SetControlText(cmdDispPreview_, "Display Effects Preview");
}

void PropsWindow::Accept() {
  HWND focus = GetFocus();
  for (const auto& [id, box] : boxes_)
    if (box.edit == focus) ApplyLostFocus(box.edit);
  EnableWindow(cmdAccept_, FALSE);
  if (!SaveSettingsFromProperties(Model())) {
    // The store refused the write and said so; the fields stay for another try.
    EnableWindow(cmdAccept_, TRUE);
    return;
  }
  Close(IDOK);
}

void PropsWindow::Close(int result) {
  // The preview's loop runs on this window's surface: a close waits until it has returned.
  if (!session_.MayClose(result)) return;
  if (session_.Leave()) RestoreControls();
  End(result);
}

void PropsWindow::ResetProperties() {
  const int answer = MessageBoxW(window_, WideFromUtf8(kResetConfirmationText).c_str(), L"Pyxora",
                                 MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
  if (answer != IDYES) return;
  PropertiesModel model = Model();
  ApplyFactoryDefaults(model);
  SetModel(model);
}

void PropsWindow::OpenTemplate() {
  PropertiesModel model = Model();
  const FileDialogSetup setup{true, true, "Select Template to Open", kTemplateFilter, "pxt", &model};
  if (!ShowFileDialog(window_, setup).empty()) SetModel(model);
}

void PropsWindow::SaveTemplate(bool askForPath) {
  PropertiesModel model = Model();
  if (!askForPath && !gTemplate.TemplatePath.empty()) {
    if (!pyxora::SaveTemplate(model)) ShowPyxoraMessage(window_, "Please enter a valid path and file.", MB_ICONEXCLAMATION);
    return;
  }
  const FileDialogSetup setup{false, true, "Enter or Select Template to Save", kTemplateFilter, "pxt", &model};
  ShowFileDialog(window_, setup);
}

void PropsWindow::Command(int id, int code, HWND) {
  if (auto box = boxes_.find(id); box != boxes_.end()) {
    NumberBoxNotified(box->second.edit, code);
    if (code == EN_CHANGE) BoxChanged(box->second);
    return;
  }
  if (code == CBN_SELCHANGE) {
    if (auto theme = themeLists_.find(id); theme != themeLists_.end())
      ChooseTheme(theme->second, ListIndex(GetDlgItem(window_, id)));
    else ShowEffectFrame();  // the effect list, a paged list or another list
    DrawProfile();
    return;
  }
  switch (id) {
    case kDispPreview:
      TogglePreview();
      break;
    case IDOK:
      if (!session_.Showing()) Accept();
      break;
    case IDCANCEL:
      // Escape stops a preview; without one it is Cancel.
      if (session_.Showing()) StopPreview();
      else Close(IDCANCEL);
      break;
    case kFileMenu + 0:
      OpenTemplate();
      break;
    case kFileMenu + 1:
      SaveTemplate(false);
      break;
    case kFileMenu + 2:
      SaveTemplate(true);
      break;
    case kFileMenu + 3:
      gState.ExitRequested = true;
      Close(IDCANCEL);
      break;
    case kEditMenu + 0:
      ShowSoundSettings(window_);
      break;
    case kEditMenu + 1:
      ResetProperties();
      break;
    case kEditMenu + 2:
      ShowAdvancedSettings(window_);
      break;
    case kHelpMenu + 0:
      OpenHelpTopic(kHelpContents);
      break;
    case kHelpMenu + 1:
      OpenHelpTopic(kHelpSearch);
      break;
    case kHelpMenu + 2:
      ShowSystemDiagnostics(window_);
      break;
    case kHelpMenu + 3:
      OpenHomePage(window_);
      break;
    case kHelpMenu + 4:
      ShowAbout(window_);
      break;
  }
}

int RunPropertiesWindow() {
  PropsWindow window;
  if (!window.Open(nullptr)) return 1;
  window.RunModal(nullptr);
  return 0;
}

void ShowPropertiesModal(HWND owner) {
  PropsWindow window;
  if (window.Open(owner)) window.RunModal(owner);
}

}  // namespace pyxora
