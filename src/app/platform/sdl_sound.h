// The sound output of the displays: a one-shot asynchronous wave player on SDL2's audio
// queue. Play returns at once; a worker thread loads the file and queues its samples,
// cutting whatever still plays. No device or a bad file plays nothing and says nothing.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace pyxora {

class SdlSoundPlayer {
 public:
  SdlSoundPlayer() = default;
  ~SdlSoundPlayer();
  SdlSoundPlayer(const SdlSoundPlayer&) = delete;
  SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

  // Starts `path` playing; a sound asked for while an earlier one waits replaces it.
  void Play(const std::string& path);

 private:
  void Work();
  void PlayNow(const std::string& path);

  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<std::string> pending_;
  bool stopping_ = false;
  std::thread worker_;

  // The worker's own.
  bool audioStarted_ = false, audioFailed_ = false;
  uint32_t device_ = 0;
  int frequency_ = 0, channels_ = 0;
  uint16_t format_ = 0;
};

// Installs an SdlSoundPlayer as the core's sound output for its lifetime.
class ScopedSoundOutput {
 public:
  ScopedSoundOutput();
  ~ScopedSoundOutput();
  ScopedSoundOutput(const ScopedSoundOutput&) = delete;
  ScopedSoundOutput& operator=(const ScopedSoundOutput&) = delete;

 private:
  SdlSoundPlayer player_;
};

}  // namespace pyxora
