#include "render/sound_output.h"

#include <utility>

namespace pyxora {
namespace {

SoundOutput& Output() {
  static SoundOutput output;
  return output;
}

}  // namespace

void SetSoundOutput(SoundOutput output) { Output() = std::move(output); }

void PlaySoundFile(const std::string& path) {
  if (Output()) Output()(path);
}

}  // namespace pyxora
