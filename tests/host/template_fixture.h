// Shared set-up for the template tests: no current template, and a folder for files.
#pragma once

#include <filesystem>
#include <string>

#include "host/templates.h"
#include "support/test_support.h"

namespace pyxora::testing {

class TemplateTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    gTemplate = TemplateState{};
  }
  void TearDown() override {
    gTemplate = TemplateState{};
    CoreTest::TearDown();
  }
  std::filesystem::path File(const std::string& name) const { return folder_.Path() / name; }
  TempFolder folder_;
};

}  // namespace pyxora::testing
