#include "host/render_run.h"

#include <filesystem>

#include "base/number_text.h"
#include "base/numeric.h"
#include "base/system.h"
#include "host/advanced_settings.h"
#include "render/display_canvas.h"
#include "render/frame_host.h"
#include "render/random.h"
#include "render/random_vectors.h"
#include "render/saver_state.h"

namespace pyxora {
namespace {

int Fail(std::ostream& err, const std::string& problem) {
  err << "pyxora: " << problem << '\n';
  return 2;
}

// A whole decimal number in lo..hi, or nothing.
std::optional<int64_t> WholeNumber(const std::string& text, int64_t lo, int64_t hi) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 10)
    return std::nullopt;
  const int64_t value = std::stoll(text);
  if (value < lo || value > hi) return std::nullopt;
  return value;
}


// Counts presented frames and asks the effect to stop after the last one.
class CountingHost : public VirtualFrameHost {
 public:
  explicit CountingHost(int32_t frames) : remaining_(frames) {}
  void PresentFrame() override {
    if (--remaining_ <= 0) gState.StopRequested = true;
  }
  int32_t Remaining() const { return remaining_; }

 private:
  int32_t remaining_;
};

}  // namespace

std::optional<std::string> RenderEffect(const RenderRequest& request, Canvas& canvas) {
  const EffectEntry* effect = request.effect;
  if (!effect || !effect->run) return std::string("this effect cannot be rendered");
  if (request.theme != 0 && (!effect->loadTheme || request.theme < 1 || request.theme > effect->themeCount))
    return "effect '" + std::string(effect->renderName) + "' has no preset " + std::to_string(request.theme);

  // A render may be the first thing the process does (--render, benchmarks).
  FillTrigTables();
  if (request.seed) SetFixedSeed(request.seed);
  CountingHost host(request.frames);
  FrameHost* previousHost = gState.Host;
  gState.Host = &host;
  gState.Mode = RunMode::Saver;
  gState.StopRequested = false;
  gState.PreviewStopRequested = false;
  gState.Canvas = &canvas;

  LoadAdvancedSettings(DisplaySurface{&canvas, request.width, request.height, false}, false);
  gState.FrameDelay = 0;
  gState.CycleFrameLimit = 0;  // the frame count here is the caller's, not the cycle's
  while (!gState.StopRequested && host.Remaining() > 0) {
    gState.CycleFrameCount = 0;
    if (request.theme != 0) effect->loadTheme(request.theme);
    else if (effect->load) effect->load(0, false);
    PrepareCanvas();
    effect->run();
  }
  gState.Host = previousHost;
  gState.StopRequested = false;
  return std::nullopt;
}

int RunHeadlessRender(const std::vector<std::string>& args, std::ostream& err, const PngWriter& write) {
  if (args.size() < 2 || args[1].rfind("--", 0) == 0) return Fail(err, "--render needs an effect name");
  RenderRequest request;
  request.effect = FindEffectByRenderName(args[1]);
  if (!request.effect) return Fail(err, "unknown effect '" + args[1] + "' (fireworks, warp, sparklers, gravity, galaxy)");
  std::string out;
  for (size_t i = 2; i < args.size(); i += 2) {
    const std::string& option = args[i];
    if (i + 1 >= args.size()) return Fail(err, option + " needs a value");
    const std::string& value = args[i + 1];
    if (option == "--out") {
      out = value;
    } else if (option == "--frames") {
      const auto frames = WholeNumber(value, 1, 1000000);
      if (!frames) return Fail(err, "bad frame count '" + value + "' (1 to 1000000)");
      request.frames = static_cast<int32_t>(*frames);
    } else if (option == "--size") {
      const size_t x = value.find('x');
      const auto w = x == std::string::npos ? std::nullopt : WholeNumber(value.substr(0, x), 1, 16384);
      const auto h = x == std::string::npos ? std::nullopt : WholeNumber(value.substr(x + 1), 1, 16384);
      if (!w || !h) return Fail(err, "bad size '" + value + "' (WxH, each 1 to 16384)");
      request.width = static_cast<int>(*w);
      request.height = static_cast<int>(*h);
    } else if (option == "--preset") {
      const auto theme = WholeNumber(value, 1, 32767);
      if (!theme) return Fail(err, "bad preset '" + value + "'");
      request.theme = static_cast<int16_t>(*theme);
    } else if (option == "--seed") {
      const auto seed = WholeNumber(value, 0, 4294967295LL);
      if (!seed) return Fail(err, "bad seed '" + value + "' (0 to 4294967295)");
      request.seed = static_cast<uint32_t>(*seed);
    } else {
      return Fail(err, "unknown --render option '" + option + "'");
    }
  }
  if (out.empty()) return Fail(err, "--render needs --out FILE.png");
  if (!request.effect->run) return Fail(err, "effect '" + args[1] + "' cannot be rendered yet");
  if (request.theme != 0 && request.theme > request.effect->themeCount)
    return Fail(err, "effect '" + args[1] + "' has no preset " + std::to_string(request.theme));

  const std::filesystem::path outPath = PathFromUtf8(out);
  const std::filesystem::path folder = outPath.has_parent_path() ? outPath.parent_path() : ".";
  if (!std::filesystem::is_directory(folder) || !CanWriteInFolder(Utf8FromPath(folder)) ||
      std::filesystem::is_directory(outPath))
    return Fail(err, "cannot write '" + out + "'");

  Canvas canvas;
  if (const auto problem = RenderEffect(request, canvas)) return Fail(err, *problem);
  if (const auto problem = write(canvas, out)) return Fail(err, "cannot write '" + out + "': " + *problem);
  return 0;
}

}  // namespace pyxora
