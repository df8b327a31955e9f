#include "support/test_support.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "render/colour.h"
#include "render/random.h"
#include "render/random_vectors.h"
#include "render/viewport.h"

namespace pyxora::testing {

void CoreTest::SetUp() {
  auto store = std::make_unique<MemoryStore>();
  store_ = store.get();
  SetCurrentStore(std::move(store));
  gState = SaverState{};
  gState.Host = &host_;
  gViewport = Viewport{};
  SetFixedSeed(7u);
  ReseedRandom();
  FillTrigTables();
}

void CoreTest::TearDown() {
  gState = SaverState{};
  SetCurrentStore(std::make_unique<MemoryStore>());
}

void SurfaceTest::SetUp() {
  CoreTest::SetUp();
  canvas_.Resize(kWidth, kHeight);
  canvas_.Prepare();
  SetUpViewport(gViewport, kWidth, kHeight, 1.0f);
  gViewport.DrawDC = &canvas_;
  gState.Canvas = &canvas_;
  gState.FrameDelay = 0;
  gColorSettings = ColorSettings{};
  BuildHueWheel();
}

std::set<std::pair<int32_t, int32_t>> SurfaceTest::LitPixels() const {
  std::set<std::pair<int32_t, int32_t>> lit;
  for (int y = 0; y < canvas_.Height(); ++y)
    for (int x = 0; x < canvas_.Width(); ++x)
      if (canvas_.GetPixel(x, y) != 0) lit.insert({x, y});
  return lit;
}

std::vector<float> UpcomingRnd(size_t count) {
  const auto saved = random_detail::generator;
  std::vector<float> values(count);
  for (float& value : values) value = Rnd();
  random_detail::generator = saved;
  return values;
}

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void CoreTest::Put(const std::string& section, const std::string& key, const std::string& value) {
  ASSERT_TRUE(store_->Write(kUserRoot, SettingsKeyPath(section), key, value));  // raw, untrimmed
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pyxora-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) std::abort();
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

}  // namespace pyxora::testing
