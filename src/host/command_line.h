// Options of our own, recognised when the first argument starts with "--":
// --settings get|set|list|export|import, --help, --version (--render needs the image
// writer and is handled by the program itself); and, as display hacks answer them,
// -h, -help and -version. Any other option of one dash and a letter that is not a
// hack option is refused.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace pyxora {

// The exit status, or nothing when the arguments are not one of these options.
std::optional<int> RunCommandLineTool(const std::vector<std::string>& args, std::ostream& out,
                                      std::ostream& err);

// The raw command line of the screen-saver modes: the arguments joined by single spaces.
std::string JoinArguments(const std::vector<std::string>& args);

extern const char* const kUsageText;

}  // namespace pyxora
