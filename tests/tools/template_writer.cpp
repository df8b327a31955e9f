// A second process for the template tests: saves the factory template to PATH and,
// when STOP_AFTER is above 0, kills itself after that many lines, as a crash or a
// power cut would stop a save half-way.
#include <csignal>
#include <cstdlib>
#include <iostream>

#include "host/first_run.h"
#include "host/templates.h"
#include "settings/template_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: template_writer PATH STOP_AFTER\n";
    return 2;
  }
  const int stopAfter = std::atoi(argv[2]);
  pyxora::gTemplate.LineWritten = [stopAfter](int lines) {
    if (stopAfter > 0 && lines >= stopAfter) std::raise(SIGKILL);
  };
  pyxora::PropertiesModel props;
  pyxora::ApplyFactoryDefaults(props);
  return pyxora::SaveTemplate(props, argv[1]) ? 0 : 1;
}
