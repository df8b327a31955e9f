// GetListItem against a plain split of the list, over fuzzed lists and the real theme
// presets: the item is the trimmed text between the commas, empty past the end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "effects/fireworks/fireworks_settings.h"
#include "effects/galaxy/galaxy_settings.h"
#include "effects/gravity/gravity_settings.h"
#include "fuzz_check.h"
#include "render/text_helpers.h"

using namespace pyxora;

namespace {

std::string Reference(std::string_view list, int index) {
  std::vector<std::string_view> items;
  size_t begin = 0;
  for (;;) {
    const size_t comma = list.find(',', begin);
    items.push_back(list.substr(begin, comma == std::string_view::npos ? std::string_view::npos : comma - begin));
    if (comma == std::string_view::npos) break;
    begin = comma + 1;
  }
  if (index >= static_cast<int>(items.size())) return {};
  std::string_view item = items[static_cast<size_t>(index < 0 ? 0 : index)];
  while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
  while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
  return std::string(item);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  // Byte 0 picks a theme preset (or the fuzzed text), bytes 1-2 the index.
  const int index = static_cast<int16_t>(data[1] | data[2] << 8);
  std::string list(reinterpret_cast<const char*>(data + 3), size - 3);
  const int theme = data[0] % 40;
  if (theme >= 1 && theme <= 13) list = FireThemePreset(static_cast<int16_t>(theme));
  else if (theme >= 14 && theme <= 18) list = GravityThemePreset(static_cast<int16_t>(theme - 13));
  else if (theme >= 19 && theme <= 34) list = GalaxyThemePreset(static_cast<int16_t>(theme - 18));
  // A negative index reads the first item, as the loop over commas never starts.
  FUZZ_CHECK(GetListItem(list, index) == Reference(list, index));
  return 0;
}
