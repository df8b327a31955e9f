#include "host/command_line.h"

#include "base/number_text.h"
#include "settings/settings.h"

namespace pyxora {

const char* const kUsageText =
    "Usage: pyxora [MODE | OPTION]\n"
    "Pyxora " PYXORA_VERSION ", a screen saver of 3D pixel animations.\n"
    "\n"
    "Modes (as a screen-saver host passes them, letters in either case):\n"
    "  (nothing), /c        open the Properties window\n"
    "  /s                   run the saver full screen\n"
    "  /p ID                run the preview inside the X11 window ID (decimal)\n"
    "  /a ID                change the saver password (the system's locker owns it here)\n"
    "  FILE.pxt             import a template file, then run the saver\n"
    "Started as pyxora-window, the program is the windowed application.\n"
    "\n"
    "Options:\n"
    "  --render EFFECT --out FILE.png [--frames N] [--size WxH] [--preset N] [--seed N]\n"
    "                       draw an effect without a display and save the last frame\n"
    "                       (EFFECT: fireworks, warp, sparklers, gravity, galaxy)\n"
    "  --settings get SECTION KEY         print one stored value (exit 1 when absent)\n"
    "  --settings set SECTION KEY VALUE   store a value\n"
    "  --settings list [SECTION]          print the stored values\n"
    "  --fps MODE           show frames per second and ms per frame in a corner\n"
    "  --help, --version\n"
    "\n"
    "Settings live in $PYXORA_CONFIG_HOME, else $XDG_CONFIG_HOME/pyxora, else ~/.config/pyxora.\n"
    "PYXORA_SEED=N makes every random sequence repeatable.\n";

std::string JoinArguments(const std::vector<std::string>& args) {
  std::string line;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i) line += ' ';
    line += args[i];
  }
  return line;
}

namespace {

constexpr const char* kSectionPrefix = "SOFTWARE\\Pyxora\\PXRA_SS\\";

int UsageError(std::ostream& err, const std::string& problem) {
  err << "pyxora: " << problem << " (see pyxora --help)\n";
  return 2;
}

int Settings(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 2) return UsageError(err, "--settings needs get, set or list");
  const std::string& verb = args[1];
  SettingsStore& store = CurrentStore();
  if (verb == "get") {
    if (args.size() != 4) return UsageError(err, "--settings get needs SECTION and KEY");
    const auto value = store.Read(kUserRoot, SettingsKeyPath(args[2]), args[3]);
    if (!value) return 1;
    out << *value << '\n';
    return 0;
  }
  if (verb == "set") {
    if (args.size() < 5) return UsageError(err, "--settings set needs SECTION, KEY and VALUE");
    const std::vector<std::string> rest(args.begin() + 4, args.end());
    if (!SaveSettingStr(args[2], args[3], JoinArguments(rest))) {
      err << "pyxora: cannot write the settings store";
      if (auto* files = dynamic_cast<FileStore*>(&store)) err << " " << files->FileFor(kUserRoot).string();
      err << '\n';
      return 1;
    }
    return 0;
  }
  if (verb == "list") {
    if (args.size() > 3) return UsageError(err, "--settings list takes at most one SECTION");
    const SettingsDocument doc = store.Snapshot(kUserRoot);
    const std::string prefix = kSectionPrefix;
    bool first = true;
    for (const SettingsSection& section : doc.Sections()) {
      std::string name = section.path;
      if (name.size() >= prefix.size() && EqualsIgnoreCase(name.substr(0, prefix.size()), prefix))
        name = name.substr(prefix.size());
      if (args.size() == 3) {
        if (!EqualsIgnoreCase(name, args[2])) continue;
      } else {
        out << (first ? "" : "\n") << '[' << name << "]\n";
      }
      first = false;
      for (const auto& [key, value] : section.values) out << key << '=' << value << '\n';
    }
    return 0;
  }
  return UsageError(err, "unknown --settings action '" + verb + "'");
}

}  // namespace

std::optional<int> RunCommandLineTool(const std::vector<std::string>& args, std::ostream& out,
                                      std::ostream& err) {
  if (args.empty() || args[0].rfind("--", 0) != 0) return std::nullopt;
  const std::string& option = args[0];
  if (option == "--help") {
    out << kUsageText;
    return 0;
  }
  if (option == "--version") {
    out << "pyxora " << PYXORA_VERSION << '\n';
    return 0;
  }
  if (option == "--settings") return Settings(args, out, err);
  if (option == "--render") return std::nullopt;
  return UsageError(err, "unknown option '" + option + "'");
}

}  // namespace pyxora
