// The soak: every effect and every theme for many frames, with stored settings drawn
// at random from each key's whole text range, through the real store, loaders, driver
// and frame loops. Built with the sanitizers it finds crashes, undefined behaviour and
// leaks; built for release, `--memory` measures whether resident memory stays flat.
//
//   pyxora_soak [--minutes M] [--frames N] [--seed S] [--case C] [--verbose]
//   pyxora_soak --memory [--short N] [--long N] [--size WxH]

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cinttypes>
#include <csignal>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

#include "effects/effect_table.h"
#include "host/advanced_settings.h"
#include "host/driver.h"
#include "render/canvas.h"
#include "render/display_canvas.h"
#include "render/frame_host.h"
#include "render/random.h"
#include "render/random_vectors.h"
#include "render/saver_state.h"
#include "render/viewport.h"
#include "settings/placement.h"
#include "settings/settings.h"
#include "settings/store.h"

namespace pyxora {
namespace {

// The case running now and how to run it alone, for whoever reports a failure.
char gCurrentCase[256] = "";

void SayCurrentCase() {
  if (!*gCurrentCase) return;
  [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, gCurrentCase, std::strlen(gCurrentCase));
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "soak: FAILED: %s\n", what.c_str());
  std::fflush(stderr);
  SayCurrentCase();
  std::exit(1);
}

// A frame loop that never returns to its pacing call hangs the saver for good.
constexpr unsigned kCaseSeconds = 120;
void OnHang(int) {
  const char text[] = "\nsoak: FAILED: the case did not finish its frames in time (a frame loop hangs)\n";
  [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, text, sizeof text - 1);
  SayCurrentCase();
  std::_Exit(1);
}

// ---- random stored texts

// The keys outside the effects' own tables that every display reads before a run.
struct LooseKey {
  const char* section;
  const char* key;
  float lo, hi;
};
constexpr LooseKey kDisplayKeys[] = {
    {"Advanced", "FocalLength", 0.01f, 10}, {"Advanced", "Adv_PerfMult", 0.1f, 4},
    {"Advanced", "Adv_TimeDelay", 0, 200},  {"Advanced", "Adv_EffectFPC", 0, 30000},
    {"Advanced", "Adv_HueStart", 0, 359},   {"Advanced", "Adv_FontSize", 10, 80},
    {"Advanced", "Adv_FontHueV", 0, 359},   {"General", "ColorRed", 0, 255},
    {"General", "ColorGrn", 0, 255},        {"General", "ColorBlu", 0, 255},
    {"PixelColor", "ColorPctInt", 0, 100},  {"PixelColor", "ColorPctHue", 0, 100},
    {"PixelColor", "ColorHueWheel", 0, 359}, {"SoundFX", "SoundFX_ON", 0, 1},
};

class TextSource {
 public:
  explicit TextSource(uint64_t seed) : rng_(seed) {}

  int Below(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }

  // A stored text for a key whose sensible values lie in lo..hi: half of the time a
  // value a user could have typed (so the effects run their real paths, edges
  // included), otherwise anything a damaged or hand-edited file can hold.
  std::string For(float lo, float hi) {
    static const char* const kHostile[] = {
        "",         "NaN",        "nan",         "-nan",        "inf",        "-inf",        "1e999",
        "-1e999",   "1e38",       "-1e38",       "3.4e38",      "1e-45",      "32767",       "32768",
        "-32768",   "-32769",     "65536",       "2147483647",  "2147483648", "-2147483648", "-2147483649",
        "99999999999999999999",   "-0",          "0x10",        "1,5",        " 12 ",        "12abc",
        "--1",      "+-2",        ".",           "-",           "e5",         "1e",          "0.5e-3",
        "\t",       "1\n2",       "\xff\xfe",    "\xc3\xa9",    "True",       "-1",          "&H7FFF",
    };
    const int kind = Below(10);
    if (kind < 4) {  // in range, integers and fractions
      const double v = Uniform(lo, hi);
      return Below(2) ? std::to_string(static_cast<long long>(v)) : std::to_string(v);
    }
    if (kind == 4) {  // the edges and just past them
      const double edges[] = {lo, hi, lo - 1, hi + 1, lo * 2.0 - 1, hi * 10.0 + 1, 0};
      return std::to_string(static_cast<long long>(edges[Below(7)]));
    }
    if (kind <= 6) return kHostile[Below(static_cast<int>(std::size(kHostile)))];
    if (kind == 7) {  // 127 characters reads as a number; 128 reads as the default
      const size_t length = 126 + static_cast<size_t>(Below(3));
      std::string text = Below(2) ? "-" : "";
      text += std::to_string(Below(10));
      while (text.size() < length) text += Below(2) ? '0' : static_cast<char>('0' + Below(10));
      if (Below(2)) text[text.size() / 2] = '.';
      return text;
    }
    if (kind == 8) {  // huge and tiny magnitudes
      const double v = std::pow(10.0, Uniform(-40, 40)) * (Below(2) ? -1 : 1);
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, Below(2) ? "%g" : "%.6f", v);
      return buffer;
    }
    std::string garbage;  // bytes of any kind
    const int length = Below(24);
    for (int i = 0; i < length; ++i) garbage += static_cast<char>(1 + Below(255));
    return garbage;
  }

 private:
  std::mt19937_64 rng_;
};

void FillEffectKeys(TextSource& source, const EffectEntry& effect) {
  if (!*effect.section || !effect.settingRows) return;
  for (const SettingRowInfo& row : effect.settingRows()) {
    float lo = row.box.lo, hi = row.box.hi;
    if (row.boolean) lo = 0, hi = 1;
    if (lo >= hi) lo = 0, hi = row.defaultValue > 1 ? row.defaultValue * 2 : 100;
    SaveSettingStr(effect.section, row.key, source.For(lo, hi));
  }
}

// Fills a fresh in-memory store through the store's own writer: the display's keys and
// those of `effect`, or of every effect when there is none.
void FillStore(TextSource& source, const EffectEntry* effect) {
  SetCurrentStore(std::make_unique<MemoryStore>());
  for (const LooseKey& key : kDisplayKeys) SaveSettingStr(key.section, key.key, source.For(key.lo, key.hi));
  if (effect) {
    FillEffectKeys(source, *effect);
    return;
  }
  for (const EffectEntry& each : Effects()) FillEffectKeys(source, each);
  // Which effect, the cycle mask with its theme bits, or the built-in sequence.
  SaveSettingStr("General", "AnimationType", source.For(-1, 5));
  SaveSettingStr("Advanced", "Adv_PickPXRA", source.For(0, 255));
}

// ---- the frame host: counts frames and checks the surface after each one

class SoakHost : public VirtualFrameHost {
 public:
  explicit SoakHost(int64_t frames) : remaining_(frames) {}

  void PresentFrame() override {
    ++frames_;
    CheckSurface();
    if (frames_ == rssShortAt) rssShort = ResidentKilobytes();
    if (--remaining_ <= 0) {
      rssLong = ResidentKilobytes();  // while the run still holds its tables
      gState.StopRequested = true;
    }
  }

  int64_t Frames() const { return frames_; }
  int64_t Remaining() const { return remaining_; }
  size_t LitMax() const { return litMax_; }
  int64_t rssShortAt = -1;
  long rssShort = 0, rssLong = 0;

  static long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
      if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
  }

 private:
  // What a presenter relies on: the surface has the viewport's size and every noted
  // write lies inside it.
  void CheckSurface() {
    Canvas* canvas = gState.Canvas;
    if (!canvas) Fail("the run lost its canvas");
    if (canvas->Width() != gViewport.Width || canvas->Height() != gViewport.Height)
      Fail("canvas " + std::to_string(canvas->Width()) + "x" + std::to_string(canvas->Height()) +
           " differs from the viewport");
    const size_t area = static_cast<size_t>(canvas->Width()) * static_cast<size_t>(canvas->Height());
    for (const PlacedPixel& p : canvas->Touched())
      if (p.Index() >= area) Fail("a pixel outside the surface was noted as written: " + std::to_string(p.Index()));
    if (frames_ % 64 == 0) litMax_ = std::max(litMax_, canvas->CountLitPixels());
    canvas->ForgetChanges();  // as a presenter does
  }

  int64_t frames_ = 0;
  int64_t remaining_;
  size_t litMax_ = 0;
};

struct Case {
  const EffectEntry* effect;  // none: the driver picks from stored settings of every effect
  int16_t theme;              // 0: the stored settings, through the driver
};

std::vector<Case> AllCases() {
  std::vector<Case> cases;
  for (const EffectEntry& effect : Effects()) {
    if (!effect.run) continue;
    cases.push_back({&effect, 0});
    for (int16_t theme = 1; theme <= effect.themeCount; ++theme) cases.push_back({&effect, theme});
  }
  cases.push_back({nullptr, 0});
  return cases;
}

// Runs one case for `frames` frames; the store was filled before.
void RunCase(const Case& c, int64_t frames, int width, int height, DriverVariant variant, SoakHost& host) {
  Canvas canvas;
  gState.Host = &host;
  gState.Canvas = &canvas;
  gState.StopRequested = false;
  gState.PreviewStopRequested = false;
  gState.Mode = variant == DriverVariant::Preview   ? RunMode::Preview
                : variant == DriverVariant::Windowed ? RunMode::Windowed
                                                     : RunMode::Saver;
  const DisplaySurface surface{&canvas, width, height, variant != DriverVariant::Preview};
  if (c.theme == 0) {
    // The saver's own path: the driver reads the effect's number and runs it again and
    // again (a stored frame limit ends each run early).
    RunEffectDriver(variant, surface);
  } else {
    // A theme as the driver's theme cycle loads it (Fireworks, Galaxies) or as the
    // Properties window applies it (the others), then the same frame loop.
    LoadAdvancedSettings(surface, variant == DriverVariant::Preview);
    while (!gState.StopRequested) {
      gState.CycleFrameCount = 0;
      if (c.effect->index == 0 || c.effect->index == 5) c.effect->load(c.theme, true);
      else c.effect->loadTheme(c.theme);
      PrepareCanvas();
      c.effect->run();
    }
  }
  gState.Host = nullptr;
  gState.Canvas = nullptr;
  gState.StopRequested = false;
  if (host.Frames() < frames) Fail("the run ended after " + std::to_string(host.Frames()) + " frames");
}

std::string CaseName(const Case& c) {
  if (!c.effect) return "stored choice of effect";
  return std::string(c.effect->renderName) + (c.theme ? " theme " + std::to_string(c.theme) : " stored");
}

int Soak(double minutes, int64_t frames, uint64_t seed, int64_t onlyCase, bool verbose) {
  const std::vector<Case> cases = AllCases();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double, std::ratio<60>>(minutes);
  std::printf("soak: seed %" PRIu64 ", %zu cases a round, %" PRId64 " frames each, %.1f minutes\n", seed,
              cases.size(), frames, minutes);
  int64_t caseNumber = onlyCase >= 0 ? onlyCase : 0;
  int64_t totalFrames = 0;
  do {
    const Case& c = cases[static_cast<size_t>(caseNumber) % cases.size()];
    TextSource source(seed * 0x9E3779B97F4A7C15ull + static_cast<uint64_t>(caseNumber));
    FillStore(source, c.effect);
    if (c.effect && c.theme == 0) {
      SaveSettingStr("General", "AnimationType", c.effect->index);
      SaveSettingStr("Advanced", "Adv_PickPXRA", 0);
    }
    // Sizes from a single pixel up; the preview's size is in twips.
    const int sizes[][2] = {{1, 1}, {2, 3}, {7, 5}, {64, 48}, {160, 120}, {160, 120}, {320, 200}, {320, 200}, {641, 479}};
    const auto& size = sizes[source.Below(9)];
    const DriverVariant variants[] = {DriverVariant::Saver, DriverVariant::Windowed, DriverVariant::Preview};
    const DriverVariant variant = variants[source.Below(3)];
    const int scale = variant == DriverVariant::Preview ? 15 : 1;
    SetFixedSeed(static_cast<uint32_t>(seed + static_cast<uint64_t>(caseNumber)));

    std::snprintf(gCurrentCase, sizeof gCurrentCase,
                  "soak: in case %" PRId64 ": %s, %dx%d, %s (alone: pyxora_soak --seed %" PRIu64 " --case %" PRId64
                  " --frames %" PRId64 ")\n",
                  caseNumber, CaseName(c).c_str(), size[0], size[1],
                  variant == DriverVariant::Preview    ? "preview"
                  : variant == DriverVariant::Windowed ? "windowed"
                                                       : "saver",
                  seed, caseNumber, frames);
    if (verbose) std::fputs(gCurrentCase, stdout);
    SoakHost host(frames);
    alarm(kCaseSeconds);
    RunCase(c, frames, size[0] * scale, size[1] * scale, variant, host);
    alarm(0);
    if (verbose) std::printf("soak:   %" PRId64 " frames, at most %zu pixels lit\n", host.Frames(), host.LitMax());
    totalFrames += host.Frames();
    ++caseNumber;
  } while (onlyCase < 0 && (std::chrono::steady_clock::now() < deadline ||
                            caseNumber < static_cast<int64_t>(cases.size())));
  gCurrentCase[0] = 0;
  std::printf("soak: passed, %" PRId64 " cases, %" PRId64 " frames\n", onlyCase >= 0 ? 1 : caseNumber, totalFrames);
  return 0;
}

// Resident memory of one long run of an effect with the factory settings, read while
// the run holds its tables. Each effect runs in a process of its own, so what one left
// behind does not count for the next.
int Memory(int64_t shortFrames, int64_t longFrames, int width, int height) {
  bool flat = true;
  std::printf("memory: VmRSS after %" PRId64 " and %" PRId64 " frames of one run at %dx%d, factory settings\n",
              shortFrames, longFrames, width, height);
  std::fflush(stdout);
  for (const EffectEntry& effect : Effects()) {
    if (!effect.run) continue;
    const pid_t child = fork();
    if (child < 0) Fail("cannot start a process");
    if (child == 0) {
      SetCurrentStore(std::make_unique<MemoryStore>());
      SaveSettingStr("General", "AnimationType", effect.index);
      SaveSettingStr("Advanced", "Adv_TimeDelay", 0);
      SetFixedSeed(1);
      SoakHost host(longFrames);
      host.rssShortAt = shortFrames;
      const auto start = std::chrono::steady_clock::now();
      RunCase({&effect, 0}, longFrames, width, height, DriverVariant::Saver, host);
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      const double growth =
          100.0 * static_cast<double>(host.rssLong - host.rssShort) / static_cast<double>(host.rssShort);
      const bool ok = host.rssShort > 0 && growth <= 10.0;
      std::printf("memory: %-10s %6ld kB  %6ld kB  %+6.2f %%  %s  (%.1f s)\n", effect.renderName, host.rssShort,
                  host.rssLong, growth, ok ? "within 10 %" : "GREW MORE THAN 10 %", seconds);
      std::fflush(stdout);
      std::_Exit(ok ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    flat &= WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  return flat ? 0 : 1;
}

}  // namespace
}  // namespace pyxora

int main(int argc, char** argv) {
  using namespace pyxora;
  double minutes = 0;
  int64_t frames = 1500, onlyCase = -1, shortFrames = 1000, longFrames = 100000;
  uint64_t seed = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) % 1000000007u;
  bool memory = false, verbose = false;
  int width = 160, height = 120;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    auto number = [&] {
      if (!value) Fail(arg + " needs a value");
      ++i;
      return std::strtod(value, nullptr);
    };
    if (arg == "--minutes") minutes = number();
    else if (arg == "--frames") frames = static_cast<int64_t>(number());
    else if (arg == "--seed") seed = static_cast<uint64_t>(number());
    else if (arg == "--case") onlyCase = static_cast<int64_t>(number());
    else if (arg == "--memory") memory = true;
    else if (arg == "--verbose") verbose = true;
    else if (arg == "--short") shortFrames = static_cast<int64_t>(number());
    else if (arg == "--long") longFrames = static_cast<int64_t>(number());
    else if (arg == "--size" && value && std::sscanf(value, "%dx%d", &width, &height) == 2) ++i;
    else Fail("unknown option " + arg);
  }
  std::signal(SIGALRM, OnHang);
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_set_death_callback(SayCurrentCase);
#endif
  FillTrigTables();
  gTwipsPerPixel = {15, 15};  // the preview's size comes in twips
  if (frames < 1 || shortFrames < 1 || longFrames <= shortFrames || width < 1 || height < 1) Fail("bad counts");
  return memory ? Memory(shortFrames, longFrames, width, height) : Soak(minutes, frames, seed, onlyCase, verbose);
}
