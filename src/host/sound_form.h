// The sound settings window as plain data: the window's own copy of the ten values,
// the selected list item and its edit box, and what OK writes.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pyxora {

inline constexpr const char* kSelectEffectTypeMessage = "Please select an Effect Type.";
inline constexpr const char* kAudioChooserTitle = "Select Pyxora Audio File";
inline constexpr const char* kAudioChooserFilter = "Waveforms (*.wav)|*.wav|All Files (*.*)|*.*|";
inline constexpr int kSoundHelpContext = 450;

// lblNotes: five lines joined by CR LF.
std::string SoundNotesText();

class SoundForm {
 public:
  // Loads the stored values (LoadFireSounds); nothing selected.
  void Load();

  bool SoundOn() const { return soundOn_; }
  void SetSoundOn(bool on) { soundOn_ = on; }
  int Selected() const { return selected_; }
  const std::string& File(int index) const { return files_.at(static_cast<size_t>(index)); }

  // Choosing item `index` while txtFile holds `editText`: the earlier item keeps the
  // trimmed edit; returns what txtFile shows now.
  std::string Select(int index, std::string_view editText);
  // OK: the selected item keeps the trimmed edit, then the ten keys in order.
  std::vector<std::pair<std::string, std::string>> Writes(std::string_view editText);
  void Save(std::string_view editText);

 private:
  void Keep(std::string_view editText);

  bool soundOn_ = false;
  std::array<std::string, 9> files_;
  int selected_ = -1;
};

}  // namespace pyxora
