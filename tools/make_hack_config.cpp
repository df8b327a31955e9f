// Build step: writes the XScreenSaver settings file of the hack from the effect table.
// Usage: make_hack_config OUTPUT.xml
#include <fstream>
#include <iostream>

#include "host/hack_config.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_hack_config OUTPUT.xml\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << pyxora::HackConfigXml();
  out.close();
  if (!out) {
    std::cerr << "make_hack_config: cannot write " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
