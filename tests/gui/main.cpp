// Widget tests: a QApplication on the offscreen platform, which has real fonts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt wants a private runtime folder and warns without one.
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    std::string folder = "/tmp/pyxora-gui-XXXXXX";
    if (::mkdtemp(folder.data())) qputenv("XDG_RUNTIME_DIR", folder.c_str());
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
