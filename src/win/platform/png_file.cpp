#include "win/platform/png_file.h"

#include <zlib.h>

#include <fstream>

#include "base/system.h"

namespace pyxora {
namespace {

void PutWord(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutWord(out, static_cast<uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  PutWord(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

}  // namespace

std::string EncodePng(const Canvas& canvas) {
  const int width = canvas.Width(), height = canvas.Height();
  std::string header;
  PutWord(header, static_cast<uint32_t>(width));
  PutWord(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits per channel, RGB, no interlace

  // Each row: filter type 0, then red, green, blue.
  std::string raw;
  raw.reserve(static_cast<size_t>(height) * (static_cast<size_t>(width) * 3 + 1));
  const uint32_t* pixels = canvas.Data();
  for (int y = 0; y < height; ++y) {
    raw += '\0';
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
      raw += static_cast<char>((p >> 16) & 0xFF);
      raw += static_cast<char>((p >> 8) & 0xFF);
      raw += static_cast<char>(p & 0xFF);
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
            static_cast<uLong>(raw.size()), 6);
  packed.resize(packedSize);

  std::string png("\x89PNG\r\n\x1a\n", 8);
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", "");
  return png;
}

std::optional<std::string> WritePngFile(const Canvas& canvas, const std::string& path) {
  std::ofstream file(PathFromUtf8(path), std::ios::binary);
  if (!file) return std::string("cannot create the file");
  const std::string png = EncodePng(canvas);
  if (!file.write(png.data(), static_cast<std::streamsize>(png.size())) || !file.flush())
    return std::string("cannot write the file");
  return std::nullopt;
}

}  // namespace pyxora
