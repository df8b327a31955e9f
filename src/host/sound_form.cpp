#include "host/sound_form.h"

#include "base/number_text.h"
#include "effects/fireworks/fireworks_sounds.h"
#include "settings/settings.h"

namespace pyxora {

std::string SoundNotesText() {
  return "1.  The sound files are located in your /usr/share/sounds directory\r\n"
         "      or the equivalent on other distributions.\r\n"
         "2.  A slight delay may occur when playing each sound file.\r\n"
         "3.  Sounds are played on a single track with no mixing.\r\n"
         "4.  You can create and/or use your own sound files.";
}

void SoundForm::Load() {
  LoadFireSounds(soundOn_, files_);
  selected_ = -1;
}

void SoundForm::Keep(std::string_view editText) {
  if (selected_ >= 0 && selected_ < static_cast<int>(files_.size()))
    files_[static_cast<size_t>(selected_)] = TrimBlanks(editText);
}

std::string SoundForm::Select(int index, std::string_view editText) {
  Keep(editText);
  if (index < 0 || index >= static_cast<int>(files_.size())) {
    selected_ = -1;
    return "";
  }
  selected_ = index;
  return files_[static_cast<size_t>(index)];
}

std::vector<std::pair<std::string, std::string>> SoundForm::Writes(std::string_view editText) {
  Keep(editText);
  std::vector<std::pair<std::string, std::string>> writes{{"SoundFX_ON", soundOn_ ? "1" : "0"}};
  for (size_t i = 0; i < files_.size(); ++i) writes.emplace_back(kFireSoundKeys[i], files_[i]);
  return writes;
}

void SoundForm::Save(std::string_view editText) {
  for (const auto& [key, value] : Writes(editText)) SaveSettingStr(kSoundSection, key, value);
}

}  // namespace pyxora
