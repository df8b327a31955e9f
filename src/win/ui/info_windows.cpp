// The small windows of the Help menu and the first run: System Diagnostics, the
// welcome window, the about window with its miniatures, the credits, the web page.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/system.h"
#include "host/about_miniatures.h"
#include "host/diagnostics.h"
#include "host/help_topics.h"
#include "host/product_texts.h"
#include "render/pacing.h"
#include "render/random.h"
#include "render/saver_state.h"
#include "render/viewport.h"
#include "win/platform/win_frame_host.h"
#include "win/platform/win_system.h"
#include "win/ui/dialog_entries.h"
#include "win/ui/dialog_kit.h"
#include "win/ui/picture_box.h"

namespace pyxora {
namespace {

constexpr int kTwipsPerPixel = 15;

// Runs `body` on the display frame host with `box` as the presented surface, then gives
// back the presenter as it was: a Properties preview paused under us goes on drawing in
// its own box.
template <class Body>
void RunOnBox(PictureBox& box, Body body) {
  WinFrameHost& host = DisplayFrameHost();
  const std::function<void()> savedPresenter = host.Presenter();
  host.SetPresenter([&box] { box.Present(); });
  RunKeepingRunState(host, body);
  host.SetPresenter(savedPresenter);
}

// A window that runs an animation inside its own message handling: closing asks the
// animation to stop and closes once it has returned.
class AnimatedWindow : public DialogWindow {
 protected:
  static constexpr UINT kStart = WM_APP + 1;
  void Close() {
    closeWanted_ = true;
    if (running_) RequestStop();
    else End(IDCANCEL);
  }
  // Starts `run` once the window shows, from the message queue.
  void StartSoon() { PostMessageW(window_, kStart, 0, 0); }
  virtual void Animate() = 0;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kStart && !closeWanted_) {
      running_ = true;
      Animate();
      running_ = false;
      if (closeWanted_) End(IDCANCEL);
      return 0;
    }
    return DialogWindow::Handle(message, wParam, lParam);
  }
  bool running_ = false;
  bool closeWanted_ = false;
};

class DiagnosticsWindow : public DialogWindow {
 public:
  bool Open(HWND owner) { return Create("System Diagnostics", 540, 452, owner); }

 protected:
  const char* PlacementSection() const override { return "General\\SystemDiag"; }
  enum : int { kInfo = 10, kHelp, kPicture };

  void Build() override {
    AddGroup("Registry Access", {8, 8, 524, 108});
    AddLabel(std::string("The Registry is used to store the values necessary for this product.  ") +
                 "If the word OK appears in the test field, then you have write access.  " +
                 "If you do not have write access, then you will have to change your " +
                 "administrative privileges with respect to your user account.",
             {18, 26, 504, 56});
    AddLabel("Registry write test (passed test if value is OK):", {18, 89, 300, 16});
    const std::string value = StoreWriteTest();
    problems_ = value != "OK";
    txtTest_ = AddEdit({322, 86, 60, 21}, 0, ES_READONLY);
    SetControlText(txtTest_, value);

    AddGroup("Graphics Test", {8, 122, 524, 120});
    AddLabel(std::string("The Windows Graphical API is used to render the effects to the ") +
                 "display device.  If a circle does not appear in the region to the right, " +
                 "then your display hardware or driver may not support the API.  " +
                 "You may need to install the latest driver.  Consult the website for " +
                 "your hardware vendor for current information.",
             {18, 140, 396, 96});
    picTest_.Create(window_, kPicture);
    Place(picTest_.Window(), {426, 140, 96, 96});

    AddGroup("Operating System", {8, 248, 524, 48});
    AddLabel("Windows OS Version:", {18, 269, 160, 16});
    SetControlText(AddEdit({182, 266, 340, 21}, 0, ES_READONLY), SystemVersionText());

    AddGroup("Display", {8, 302, 524, 100});
    HDC screen = GetDC(nullptr);
    const int64_t colours = DisplayColours(GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES));
    ReleaseDC(nullptr, screen);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const std::pair<const char*, std::string> rows[] = {
        {"Total display colors:", std::to_string(colours)},
        {"Device Twips per pixel ratio:", std::to_string(kTwipsPerPixel) + ", " + std::to_string(kTwipsPerPixel)},
        {"Width, height (twips):", std::to_string(width * kTwipsPerPixel) + ", " + std::to_string(height * kTwipsPerPixel)},
    };
    int y = 322;
    for (const auto& [label, figure] : rows) {
      AddLabel(label, {18, y + 3, 180, 16});
      SetControlText(AddEdit({202, y, 140, 21}, 0, ES_READONLY), figure);
      y += 25;
    }
    note_ = AddLabel("Problematic values are noted in Red.", {8, 418, 232, 16});
    AddButton("&Complete System   Info...", {246, 414, 170, 26}, kInfo);
    AddButton("&Help", {420, 414, 52, 26}, kHelp);
    AddButton("&Close", {476, 414, 56, 26}, IDOK);
    SetDefaultButton(IDOK);
    // Drawn through the same canvas and presenter the effects use.
    picTest_.FitSurface();
    DrawTestCircle(picTest_.Surface());
  }

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (message == WM_CTLCOLORSTATIC && ((control == txtTest_ && problems_) || control == note_)) {
      SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 0, 0));
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    if (message == WM_SHOWWINDOW && wParam) picTest_.Present();
    return DialogWindow::Handle(message, wParam, lParam);
  }

  void Command(int id, int, HWND) override {
    if (id == kInfo) StartSystemInformation();
    else if (id == kHelp) OpenHelpTopic(kHelpDiagnostics);
    else if (id == IDOK || id == IDCANCEL) End(id);
  }

 private:
  void StartSystemInformation() {
    // The tool's path as its installer records it, else its folder and name.
    std::string path = MachineRegistryText(L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH");
    if (path.empty()) {
      const std::string folder = MachineRegistryText(L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
      if (!folder.empty()) path = folder + "\\MSINFO32.EXE";
    }
    if (path.empty() || !IsFile(path)) {
      ShowPyxoraMessage(window_, "System Information Is Unavailable.");
      return;
    }
    ShellExecuteW(window_, L"open", WideFromUtf8(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }

  PictureBox picTest_;
  HWND txtTest_ = nullptr;
  HWND note_ = nullptr;
  bool problems_ = false;
};

class WelcomeWindow : public DialogWindow {
 public:
  // Without an earlier version the greeting is three lines, not seven: the rest moves up
  // instead of leaving a gap.
  explicit WelcomeWindow(bool earlierVersion) : earlierVersion_(earlierVersion), up_(earlierVersion ? 0 : 52) {}
  bool Open(HWND owner) { return Create(kProductName, 500, 380 - up_, owner); }
  bool ResetRequested() const { return reset_; }

 protected:
  enum : int { kReset = 10 };
  void Build() override {
    heading_ = AddLabel(WelcomeHeading(), {12, 10, 476, 28});
    AddLabel(WelcomeText(earlierVersion_), {12, 44, 476, 104 - up_});
    AddLabel(WelcomeNotes(), {12, 152 - up_, 476, 64});
    AddLabel(WelcomeFeatures("Works on Windows 2000 (and 95, 98, NT4)."), {12, 222 - up_, 476, 108});
    AddButton("Reset Properties to the Current Factory Settings", {12, 344 - up_, 300, 26}, kReset);
    AddButton("Close", {408, 344 - up_, 80, 26}, IDOK);
    SetDefaultButton(IDOK);
  }
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETFONT || message == WM_DPICHANGED || message == WM_SHOWWINDOW) {
      const LRESULT result = DialogWindow::Handle(message, wParam, lParam);
      MakeHeadingLarge();
      return result;
    }
    return DialogWindow::Handle(message, wParam, lParam);
  }
  void Command(int id, int, HWND) override {
    // The backup template and the reset itself belong to the first-run logic that asked.
    if (id == kReset) reset_ = true;
    if (id == kReset || id == IDOK || id == IDCANCEL) End(id);
  }

 private:
  void MakeHeadingLarge() {
    LOGFONTW font{};
    HFONT current = reinterpret_cast<HFONT>(SendMessageW(heading_, WM_GETFONT, 0, 0));
    if (!current || !GetObjectW(current, sizeof font, &font)) return;
    font.lfHeight = font.lfHeight * 8 / 5;
    font.lfWeight = FW_BOLD;
    if (big_) DeleteObject(big_);
    big_ = CreateFontIndirectW(&font);
    SendMessageW(heading_, WM_SETFONT, reinterpret_cast<WPARAM>(big_), TRUE);
  }
  bool earlierVersion_;
  int up_;
  bool reset_ = false;
  HWND heading_ = nullptr;
  HFONT big_ = nullptr;
};

class AboutWindow : public AnimatedWindow {
 public:
  bool Open(HWND owner) { return Create(std::string("About ") + kProductName, 500, 200, owner); }

 protected:
  enum : int { kCredits = 10, kPicture, kWeb };
  void Build() override {
    picPXRA_.Create(window_, kPicture);
    Place(picPXRA_.Window(), {8, 8, 244, 184});
    AddLabel(kProductName, {264, 10, 220, 20});
    AddLabel(std::string("Version ") + kProductVersion, {264, 34, 220, 16});
    AddLabel(std::string("Complete documentation can be found in the online Help.  ") + "Cheers.", {264, 56, 228, 44});
    AddControl(L"STATIC", kProductWebAddress, SS_NOTIFY, {264, 104, 228, 16}, kWeb);
    AddButton("C&redits...", {338, 164, 76, 26}, kCredits);
    AddButton("&Close", {418, 164, 74, 26}, IDOK);
    SetDefaultButton(IDOK);
    StartSoon();
  }
  void Animate() override {
    picPXRA_.FitSurface();
    RunOnBox(picPXRA_, [this] { RunAboutMiniatures(picPXRA_.Surface()); });
  }
  void Command(int id, int code, HWND) override {
    if (id == kCredits) {
      // The credits animate on the same host: the miniatures wait until they close.
      ShowCredits(window_);
      DisplayFrameHost().SetPresenter([this] { picPXRA_.Present(); });
    } else if (id == kWeb && code == STN_CLICKED) {
      OpenHomePage(window_);
    } else if (id == IDOK || id == IDCANCEL) {
      Close();
    }
  }

 private:
  PictureBox picPXRA_;
};

class CreditsWindow : public AnimatedWindow {
 public:
  bool Open(HWND owner) { return Create("Credits", 376, 300, owner); }

 protected:
  enum : int { kPicture = 10 };
  void Build() override {
    std::string text = std::string("Version ") + kProductVersion + "\n";
    for (const char* line : CreditLines("Win32, mingw-w64 and GoogleTest")) text += std::string(line) + "\n";
    picCredits_.Create(window_, kPicture);
    Place(picCredits_.Window(), {8, 8, 360, 250});
    AddButton("&Close", {294, 266, 74, 26}, IDOK);
    SetDefaultButton(IDOK);
    lines_ = text;
    StartSoon();
  }
  void Animate() override {
    picCredits_.FitSurface();
    Canvas& canvas = picCredits_.Surface();
    const int w = canvas.Width(), h = canvas.Height();
    // The credit lines, drawn once by GDI into a strip, scroll up over the stars.
    const int lineHeight = Scale(16);
    const int lines = static_cast<int>(std::count(lines_.begin(), lines_.end(), '\n'));
    const int stripHeight = lineHeight * lines;
    std::vector<uint32_t> strip = TextStrip(w, stripHeight, lineHeight);
    const int starCount = std::clamp(120, 10, 200);
    const float speed = std::clamp(0.02f, 0.0025f, 0.25f), size = std::clamp(1.5f, 0.5f, 10.0f);
    struct Star { float x, y, z; };
    std::vector<Star> stars(static_cast<size_t>(starCount));
    for (Star& s : stars) s = {Rnd() * 2 - 1, Rnd() * 2 - 1, Rnd() + 0.05f};
    RunOnBox(picCredits_, [&] {
      gState.FrameDelay = 32;
      int offset = 0;
      while (!gState.StopRequested) {
        const int top = h - offset;
        for (int y = 0; y < h; ++y) {
          const int ty = y - top;
          for (int x = 0; x < w; ++x)
            canvas.SetPixel(x, y, ty >= 0 && ty < stripHeight ? strip[static_cast<size_t>(ty * w + x)] : 0);
        }
        // The stars invert what lies under them.
        for (Star& s : stars) {
          s.z -= speed;
          if (s.z <= 0.05f) s = {Rnd() * 2 - 1, Rnd() * 2 - 1, 1.0f};
          const int x = static_cast<int>(w / 2 + s.x / s.z * w / 4), y = static_cast<int>(h / 2 + s.y / s.z * h / 4);
          const int r = static_cast<int>(size * (1.05f - s.z));
          for (int dy = 0; dy <= r; ++dy)
            for (int dx = 0; dx <= r; ++dx)
              if (x + dx >= 0 && y + dy >= 0 && x + dx < w && y + dy < h)
                canvas.SetPixel(x + dx, y + dy, canvas.GetPixel(x + dx, y + dy) ^ 0xFFFFFFu);
        }
        offset = (offset + 1) % (h + stripHeight);
        if (WaitFrameDelay()) break;
      }
    });
  }
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    // A double click on the field ends the credits.
    if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_LBUTTONDOWN) {
      const DWORD now = GetTickCount();
      if (now - lastClick_ <= GetDoubleClickTime()) Close();
      lastClick_ = now;
    }
    return AnimatedWindow::Handle(message, wParam, lParam);
  }
  void Command(int id, int, HWND) override {
    if (id == IDOK || id == IDCANCEL) Close();
  }

 private:
  std::vector<uint32_t> TextStrip(int width, int height, int lineHeight) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(std::max(height, 1)), 0);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -std::max(height, 1), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
      DeleteDC(dc);
      return pixels;
    }
    HGDIOBJ old = SelectObject(dc, bitmap);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window_, IDOK), WM_GETFONT, 0, 0)));
    SetBkColor(dc, RGB(0, 0, 0));
    SetTextColor(dc, RGB(255, 220, 120));
    size_t start = 0;
    for (int i = 0; start < lines_.size(); ++i) {
      const size_t end = lines_.find('\n', start);
      const std::wstring line = WideFromUtf8(lines_.substr(start, end - start));
      RECT row{0, i * lineHeight, width, (i + 1) * lineHeight};
      DrawTextW(dc, line.c_str(), static_cast<int>(line.size()), &row, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      start = end + 1;
    }
    GdiFlush();
    // DIB rows hold 0x00RRGGBB; the canvas takes 0x00BBGGRR.
    const auto* source = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
      const uint32_t p = source[i];
      pixels[i] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
  }

  PictureBox picCredits_;
  std::string lines_;
  DWORD lastClick_ = 0;
};

}  // namespace

void ShowSystemDiagnostics(HWND owner) {
  DiagnosticsWindow window;
  if (window.Open(owner)) window.RunModal(owner);
}

bool ShowWelcome(HWND owner, bool earlierVersion) {
  WelcomeWindow window(earlierVersion);
  if (window.Open(owner)) window.RunModal(owner);
  return window.ResetRequested();
}

void ShowAbout(HWND owner) {
  AboutWindow window;
  if (window.Open(owner)) window.RunModal(owner);
}

void ShowCredits(HWND owner) {
  CreditsWindow window;
  if (window.Open(owner)) window.RunModal(owner);
}

void OpenHomePage(HWND owner) {
  const auto result = reinterpret_cast<intptr_t>(
      ShellExecuteW(owner, L"open", WideFromUtf8(kProductWebAddress).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) ShowPyxoraMessage(owner, std::string(kWebPageUnreachable) + "\r\n" + kProductWebAddress);
}

}  // namespace pyxora
