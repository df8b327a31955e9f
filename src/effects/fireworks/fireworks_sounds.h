// The fireworks' sounds: one wave file for a launch and one per burst kind, from the
// settings section "SoundFX", played one at a time through the sound output.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace pyxora {

inline constexpr const char* kSoundSection = "SoundFX";

// Indexes of the nine events, in the order of kFireSoundKeys.
enum FireSoundEvent : int16_t {
  kSoundLaunch = 0,
  kSoundStandard = 1,
  kSoundMultiBurst = 2,
  kSoundJetBurst = 3,
  kSoundScintillator = 4,
  kSoundSparkler = 5,
  kSoundRingDisk = 6,
  kSoundTwister = 7,
  kSoundDecayStar = 8,
};

inline constexpr std::array<const char*, 9> kFireSoundKeys = {
    "Fire_Launch", "Fire_Standard", "Fire_MultiBurst", "Fire_JetBurst", "Fire_Scintil",
    "Fire_Sparkle", "Fire_RingDisk", "Fire_Twister", "Fire_DecayStar",
};
// The list texts of the sound window, in the same order.
inline constexpr std::array<const char*, 9> kFireSoundNames = {
    "Launch",    "Standard Burst (Spherical or Geometric)", "Multi Burst", "Jet Burst", "Scintilator",
    "Sparkler",  "Rings and Disks",                         "Twisters",    "Decay Stars",
};

struct FireSounds {
  bool SoundOn = false;
  std::array<std::string, 9> Files;
};

// The runtime copy the effect plays from; loaded with the host's settings before each run.
extern FireSounds gFireSounds;

// SoundOn only when the stored "SoundFX_ON" text is exactly "1"; the nine file names
// as stored (default empty).
void LoadFireSounds(bool& soundOn, std::array<std::string, 9>& files);
// Plays the file of event `index` when sounds are on and its name is not blank.
void PlayFireSound(int16_t index);

}  // namespace pyxora
