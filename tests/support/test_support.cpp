#include "support/test_support.h"

#include <unistd.h>

#include <cstdlib>

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
