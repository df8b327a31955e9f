// The figures of the System Diagnostics window, gathered without windows.
#pragma once

#include <cstdint>
#include <string>

namespace pyxora {

class Canvas;

// Writes "OK" as General/RegistryReadWriteTest and returns what reads back
// (empty when the store refused the write).
std::string StoreWriteTest();
// "kernel 6.1.0 (Debian GNU/Linux 12 (bookworm))": uname and /etc/os-release.
std::string OperatingSystemText(const std::string& osReleasePath = "/etc/os-release");
// 2 raised to the bits per pixel, at most 2^31.
int64_t DisplayColours(int bitsPerPixel);
// Plots a circle pixel by pixel in white, centred in the canvas, with a margin.
// Returns the number of pixels set.
int DrawTestCircle(Canvas& canvas);

}  // namespace pyxora
