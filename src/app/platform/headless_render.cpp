#include "app/platform/headless_render.h"

#include <unistd.h>

#include <QImage>
#include <QImageWriter>
#include <filesystem>

#include "base/number_text.h"
#include "base/numeric.h"
#include "host/render_run.h"

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

}  // namespace

int RunHeadlessRender(const std::vector<std::string>& args, std::ostream& err) {
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

  const std::filesystem::path outPath(out);
  const std::filesystem::path folder = outPath.has_parent_path() ? outPath.parent_path() : ".";
  if (!std::filesystem::is_directory(folder) || ::access(folder.c_str(), W_OK) != 0 ||
      std::filesystem::is_directory(outPath))
    return Fail(err, "cannot write '" + out + "'");

  Canvas canvas;
  if (const auto problem = RenderEffect(request, canvas)) return Fail(err, *problem);
  const QImage image(reinterpret_cast<const uchar*>(canvas.Data()), canvas.Width(), canvas.Height(),
                     canvas.Width() * 4, QImage::Format_RGB32);
  QImageWriter writer(QString::fromStdString(out), "png");
  if (!writer.write(image)) return Fail(err, "cannot write '" + out + "': " + writer.errorString().toStdString());
  return 0;
}

}  // namespace pyxora
