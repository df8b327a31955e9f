// Real file-system faults for tests that run as root, where permissions stop nothing:
// a small tmpfs of our own in a private mount namespace, filled up or made read-only.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace pyxora::testing {

struct MountRun {
  bool skipped = false;  // the fault cannot be made on this machine
  std::string message;   // the skip reason, or what the body found wrong ("" = all held)
};

// Runs `body` in a child process with a fresh tmpfs (mount options such as "size=16k")
// on `folder`, visible to that child only. The body returns "" when everything it checked
// held, "skip: why" when it could not make its fault, else what went wrong.
MountRun RunOnTmpfs(const std::filesystem::path& folder, const std::string& options,
                    const std::function<std::string(const std::filesystem::path& mount)>& body);

// Inside a body: the tmpfs becomes read-only (false when the kernel refuses).
bool RemountReadOnly(const std::filesystem::path& mount);

// Inside a body: fills the tmpfs with a file of its own until no byte more fits.
bool FillUp(const std::filesystem::path& mount);

}  // namespace pyxora::testing

// Skips the test when the fault cannot be made, fails it with the body's message.
#define EXPECT_MOUNT_RUN(run)                                   \
  do {                                                          \
    const ::pyxora::testing::MountRun result_ = (run);          \
    if (result_.skipped) GTEST_SKIP() << result_.message;       \
    EXPECT_EQ(result_.message, "");                             \
  } while (0)
