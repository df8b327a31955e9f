// The seam through which the core plays a wave file: the Qt side installs an
// asynchronous one-shot player; with none installed (tests, headless renders) every
// sound is silent. Playing never blocks and never reports a failure.
#pragma once

#include <functional>
#include <string>

namespace pyxora {

using SoundOutput = std::function<void(const std::string& path)>;

// Installs the player; an empty one silences every sound.
void SetSoundOutput(SoundOutput output);
// Starts `path` playing and returns at once; a new sound cuts the one still playing.
void PlaySoundFile(const std::string& path);

}  // namespace pyxora
