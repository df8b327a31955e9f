// Shared set-up for core tests: a fresh in-memory store, host state and camera.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <set>
#include <utility>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "render/canvas.h"
#include "render/frame_host.h"
#include "render/saver_state.h"
#include "settings/setting_table.h"
#include "settings/settings.h"

namespace pyxora::testing {

// A virtual clock whose event pump can run a test's handler, as input would.
class ScriptedHost : public VirtualFrameHost {
 public:
  std::function<void()> onEvents;
  int presented = 0;
  void ProcessEvents() override {
    VirtualFrameHost::ProcessEvents();
    if (onEvents) onEvents();
  }
  void PresentFrame() override { ++presented; }
  bool WindowExists(int64_t id) override { return !windowGone && id != 0; }
  bool windowGone = false;
};

// Every test starts with an empty in-memory store and default host state.
class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  MemoryStore& Store() { return *store_; }
  void Put(const std::string& section, const std::string& key, const std::string& value);

  ScriptedHost host_;

 private:
  MemoryStore* store_ = nullptr;
};

// A 320 x 240 framebuffer as the surface and the camera, the default colour settings
// and hue wheel, and no frame delay: what every effect's tests start from.
class SurfaceTest : public CoreTest {
 protected:
  void SetUp() override;
  // The pixels that are not black.
  std::set<std::pair<int32_t, int32_t>> LitPixels() const;

  static constexpr int kWidth = 320, kHeight = 240;
  Canvas canvas_;
};

// The next `count` values Rnd() will return, left undrawn: a test replays the documented
// draws to know exactly where things must start.
std::vector<float> UpcomingRnd(size_t count);

// The field of `record` that an effect's settings table keeps under `key`, as a number.
template <class Record, size_t N>
double FieldValue(const std::array<SettingField<Record>, N>& fields, const Record& record, std::string_view key) {
  for (const SettingField<Record>& field : fields)
    if (key == field.key) return std::visit([&](auto member) { return static_cast<double>(record.*member); }, field.member);
  ADD_FAILURE() << "no setting " << key;
  return 0;
}

// The whole content of a file as it lies on disk; empty when it cannot be read.
std::string FileBytes(const std::filesystem::path& path);

// A temporary folder removed at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace pyxora::testing
