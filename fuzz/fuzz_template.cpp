// Template files against an in-memory store: any template imports (any other file
// imports nothing), loads into the Properties model with a valid selection, and saving what was loaded settles (from the
// second save on, loading and saving again writes the same file; checked for inputs
// whose first byte is odd).
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "effects/effect_table.h"
#include "fuzz_check.h"
#include "fuzz_scratch.h"
#include "host/templates.h"
#include "settings/store.h"
#include "settings/template_file.h"

using namespace pyxora;

namespace {

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool SameModel(const PropertiesModel& a, const PropertiesModel& b) {
  return a.SelectedEffect == b.SelectedEffect && a.Boxes == b.Boxes && a.Checks == b.Checks && a.Lists == b.Lists;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto folder = FuzzScratchFolder();
  const std::string input = (folder / "input.pxt").string();
  const std::string first = (folder / "first.pxt").string(), second = (folder / "second.pxt").string();
  {
    std::ofstream out(input, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  gTemplate = TemplateState{};
  SetCurrentStore(std::make_unique<MemoryStore>());

  const TemplateReadResult imported = ImportTemplate(input);
  PropertiesModel loaded;
  if (!imported.ok) {
    FUZZ_CHECK(imported.error == "not a Pyxora template");
    FUZZ_CHECK(CurrentStore().Snapshot(kUserRoot).Sections().empty());
    FUZZ_CHECK(!LoadTemplate(loaded, input).ok && loaded.Boxes.empty());
    return 0;
  }
  ClearTemplateCache();

  FUZZ_CHECK(LoadTemplate(loaded, input).ok);
  FUZZ_CHECK(loaded.SelectedEffect >= 0 && loaded.SelectedEffect < kEffectCount);

  // The round trip costs six more passes over every key: only for half the inputs.
  if (size == 0 || (data[0] & 1) == 0) return 0;
  // A box may hold a number out of its range, which a save clamps: the first save after
  // a foreign file may differ, the ones after it not.
  FUZZ_CHECK(SaveTemplate(loaded, first));
  PropertiesModel reloaded;
  FUZZ_CHECK(LoadTemplate(reloaded, first).ok);
  FUZZ_CHECK(SaveTemplate(reloaded, second));
  PropertiesModel again;
  FUZZ_CHECK(LoadTemplate(again, second).ok);
  FUZZ_CHECK(SaveTemplate(again, first));
  FUZZ_CHECK(Slurp(first) == Slurp(second));
  PropertiesModel third;
  FUZZ_CHECK(LoadTemplate(third, first).ok);
  FUZZ_CHECK(SameModel(again, third));
  return 0;
}
