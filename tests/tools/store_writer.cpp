// A second process for the concurrency tests: writes `count` values into one
// section of the per-user store named by PYXORA_CONFIG_HOME.
#include <cstdlib>
#include <iostream>
#include <string>

#include "settings/settings.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: store_writer SECTION PREFIX COUNT\n";
    return 2;
  }
  const std::string section = argv[1], prefix = argv[2];
  const int count = std::atoi(argv[3]);
  int failures = 0;
  for (int i = 0; i < count; ++i)
    if (!pyxora::SaveSettingStr(section, prefix + std::to_string(i), i)) ++failures;
  return failures == 0 ? 0 : 1;
}
