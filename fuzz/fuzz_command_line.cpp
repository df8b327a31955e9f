// The command line: the input is split at NUL bytes into arguments and goes through
// every reader a start meets (our options against an in-memory store, the hack's
// options, the screen-saver dispatch). Paths are kept inside a scratch folder.
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_scratch.h"
#include "host/command_line.h"
#include "host/hack_options.h"
#include "host/startup.h"
#include "settings/store.h"
#include "settings/template_file.h"

using namespace pyxora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool inScratch = [] {
    std::filesystem::current_path(FuzzScratchFolder());
    return true;
  }();
  (void)inScratch;
  if (size < 1) return 0;
  const bool fileExists = data[0] & 1;
  std::vector<std::string> args;
  std::string current;
  for (size_t i = 1; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\0') {
      args.push_back(current);
      current.clear();
    } else {
      current += c == '/' ? '_' : c;  // no file outside the scratch folder
    }
  }
  if (size > 1) args.push_back(current);

  gTemplate = TemplateState{};
  SetCurrentStore(std::make_unique<MemoryStore>());
  std::ostringstream out, err;
  const auto status = RunCommandLineTool(args, out, err);
  if (status) FUZZ_CHECK(*status >= 0 && *status <= 2);
  // A usage error always says what was wrong.
  if (status && *status == 2) FUZZ_CHECK(err.str().rfind("pyxora: ", 0) == 0);
  for (const auto& entry : std::filesystem::directory_iterator(FuzzScratchFolder()))
    std::filesystem::remove_all(entry.path());

  if (IsHackCommandLine(args)) {
    const auto parsed = ParseHackOptions(args);
    if (const auto* options = std::get_if<HackOptions>(&parsed)) {
      const char* environment = args.size() > 1 ? args.back().c_str() : nullptr;
      const auto window = ChooseHackWindow(*options, environment);
      if (const auto* chosen = std::get_if<HackWindow>(&window); chosen && chosen->kind == HackWindow::Foreign)
        FUZZ_CHECK(chosen->id != 0);
      (void)HackOverrides(*options);
      if (options->delayMicroseconds) FUZZ_CHECK(DelayMilliseconds(*options->delayMicroseconds) >= 0);
    } else {
      FUZZ_CHECK(!std::get<std::string>(parsed).empty());
    }
  }
  for (const std::string& arg : args) {
    if (const auto id = ParseWindowId(arg)) FUZZ_CHECK(*id != 0);
  }

  const std::string line = JoinArguments(args);
  const StartupDecision decision =
      DispatchCommandLine(line, args.empty() ? "pyxora" : args[0], [&](const std::string&) { return fileExists; });
  if (decision.action == StartAction::ImportThenSaver) FUZZ_CHECK(!decision.templatePath.empty());
  (void)NumberAfterModeLetter(line);
  return 0;
}
