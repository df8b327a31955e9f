#include "effects/fireworks/fireworks_sounds.h"

#include "base/number_text.h"
#include "render/sound_output.h"
#include "settings/settings.h"

namespace pyxora {

FireSounds gFireSounds;

void LoadFireSounds(bool& soundOn, std::array<std::string, 9>& files) {
  soundOn = GetSettingStr(kSoundSection, "SoundFX_ON", "0") == "1";
  for (size_t i = 0; i < files.size(); ++i) files[i] = GetSettingStr(kSoundSection, kFireSoundKeys[i], "");
}

void PlayFireSound(int16_t index) {
  if (!gFireSounds.SoundOn || index < 0 || index >= static_cast<int16_t>(gFireSounds.Files.size())) return;
  const std::string& file = gFireSounds.Files[static_cast<size_t>(index)];
  if (TrimBlanks(file).empty()) return;
  PlaySoundFile(file);  // the name as stored, blanks and all
}

}  // namespace pyxora
