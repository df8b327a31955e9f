// A private scratch folder for the targets that need real files, in memory when it can be.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

inline std::filesystem::path FuzzScratchFolder() {
  // Kept in a plain buffer: the clean-up at exit runs after static objects are gone.
  static char folder[64] = "";
  if (!folder[0]) {
    std::snprintf(folder, sizeof folder, "%s/pyxora-fuzz-XXXXXX",
                  std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp");
    if (!::mkdtemp(folder)) std::abort();
    std::atexit([] {
      std::error_code e;
      std::filesystem::remove_all(folder, e);
    });
  }
  return folder;
}
