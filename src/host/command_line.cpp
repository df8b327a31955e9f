#include "host/command_line.h"

#include <cctype>

#include "base/number_text.h"
#include "host/hack_options.h"
#include "host/templates.h"
#include "settings/settings.h"
#include "settings/template_file.h"

namespace pyxora {

// The options both systems' programs take from a console.
#define PYXORA_TOOL_OPTIONS \
  "  --render EFFECT --out FILE.png [--frames N] [--size WxH] [--preset N] [--seed N]\n" \
  "                       draw an effect without a display and save the last frame\n" \
  "                       (EFFECT: fireworks, warp, sparklers, gravity, galaxy)\n" \
  "  --settings get SECTION KEY         print one stored value (exit 1 when absent)\n" \
  "  --settings set SECTION KEY VALUE   store a value\n" \
  "  --settings list [SECTION]          print the stored values\n" \
  "  --settings export FILE.pxt         write the stored settings as a template\n" \
  "  --settings import FILE.pxt         store the settings of a template\n"

// Windows starts the program by its modes and keeps the settings in the registry; the
// display-hack options are X11's.
#ifdef _WIN32
const char* const kUsageText =
    "Usage: Pyxora.scr [MODE | OPTION]\n"
    "Pyxora " PYXORA_VERSION ", a screen saver of 3D pixel animations.\n"
    "\n"
    "Modes (as Windows passes them, letters in either case):\n"
    "  (nothing), /c        open the Properties window\n"
    "  /s                   run the saver full screen\n"
    "  /p HWND              run the preview inside the window HWND (decimal)\n"
    "  /a HWND              change the saver password (nothing on Windows NT and later)\n"
    "  FILE.pxt             import a template file, then run the saver\n"
    "Started as Pyxora.exe, the program is the windowed application.\n"
    "\n"
    "Options (printed to the console the program was started from):\n"
    PYXORA_TOOL_OPTIONS
    "  --help               this text; --version: the version\n"
    "\n"
    "Settings live in the registry: HKEY_CURRENT_USER\\SOFTWARE\\Pyxora\\PXRA_SS.\n"
    "PYXORA_SEED=N makes every random sequence repeatable.\n";
#else
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
    "As a display hack (XScreenSaver), when the first argument is one of these:\n"
    "  -root                draw into $XSCREENSAVER_WINDOW, else the root window\n"
    "  -window-id ID        draw into the X11 window ID (decimal or 0x hex)\n"
    "  -window              draw in a window of its own (Escape or Q closes it)\n"
    "  -delay MICROSECONDS  the minimum frame period\n"
    "  -fps                 show the frame rate\n"
    "  -effect EFFECT       run only this effect; -preset N: with its preset N\n"
    "  -KEY VALUE           any setting of an effect for this run (-Grav_Pixels 5000)\n"
    "The hack ends quietly on SIGTERM or SIGINT and when its window is destroyed.\n"
    "\n"
    "Options:\n"
    PYXORA_TOOL_OPTIONS
    "  --fps MODE           show frames per second and ms per frame in a corner\n"
    "                       (alone, or before hack options, it is the hack's -fps)\n"
    "  -h, -help, --help    this text; -version, --version: the version\n"
    "\n"
    "Settings live in $PYXORA_CONFIG_HOME, else $XDG_CONFIG_HOME/pyxora, else ~/.config/pyxora.\n"
    "PYXORA_SEED=N makes every random sequence repeatable.\n";
#endif
#undef PYXORA_TOOL_OPTIONS

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

int ExportTemplate(const std::string& path, std::ostream& err) {
  PropertiesModel props;
  LoadPropertiesFromStore(props);
  if (!SaveTemplate(props, path)) {
    err << "pyxora: cannot write the template " << path << ": " << gTemplate.LastWriteError << "\n";
    return 1;
  }
  return 0;
}

int ImportTemplateFile(const std::string& path, std::ostream& err) {
  const TemplateReadResult result = ImportTemplate(path);
  if (!result.ok) {
    err << "pyxora: cannot import the template " << path << ": " << result.error << "\n";
    return 1;
  }
  return 0;
}

int Settings(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 2) return UsageError(err, "--settings needs get, set, list, export or import");
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
      if (const std::string where = store.Location(kUserRoot); !where.empty()) err << " " << where;
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
  if (verb == "export" || verb == "import") {
    if (args.size() != 3) return UsageError(err, "--settings " + verb + " needs one FILE");
    return verb == "export" ? ExportTemplate(args[2], err) : ImportTemplateFile(args[2], err);
  }
  return UsageError(err, "unknown --settings action '" + verb + "'");
}

}  // namespace

std::optional<int> RunCommandLineTool(const std::vector<std::string>& args, std::ostream& out,
                                      std::ostream& err) {
  if (args.empty() || IsHackCommandLine(args)) return std::nullopt;
  const std::string& option = args[0];
  // Display hacks answer -help and -version with one dash; a dash and a letter is an
  // option, never the saver's "anything else" (a bare word or "/x" still is).
  const bool singleDash = option.size() >= 2 && option[0] == '-' && std::isalpha(static_cast<unsigned char>(option[1]));
  if (option.rfind("--", 0) != 0 && !singleDash) return std::nullopt;
  if (option == "--help" || option == "-help" || option == "-h") {
    out << kUsageText;
    return 0;
  }
  if (option == "--version" || option == "-version") {
    out << "pyxora " << PYXORA_VERSION << '\n';
    return 0;
  }
  if (option == "--settings") return Settings(args, out, err);
  if (option == "--render") return std::nullopt;
  return UsageError(err, "unknown option '" + option + "'");
}

}  // namespace pyxora
