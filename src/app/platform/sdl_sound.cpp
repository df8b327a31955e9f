#include "app/platform/sdl_sound.h"

#include <sys/stat.h>

#include "render/sound_output.h"

#if PYXORA_HAVE_SDL2
#include <SDL.h>
#endif

namespace pyxora {

SdlSoundPlayer::~SdlSoundPlayer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
#if PYXORA_HAVE_SDL2
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  if (audioStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
#endif
}

void SdlSoundPlayer::Play(const std::string& path) {
  {
    std::lock_guard lock(mutex_);
    pending_ = path;
    // The worker starts with the first sound, so a silent run never touches the audio system.
    if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
  }
  wake_.notify_one();
}

void SdlSoundPlayer::Work() {
  for (;;) {
    std::string path;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || pending_.has_value(); });
      if (stopping_) return;
      path = std::move(*pending_);
      pending_.reset();
    }
    PlayNow(path);
  }
}

void SdlSoundPlayer::PlayNow([[maybe_unused]] const std::string& path) {
#if PYXORA_HAVE_SDL2
  if (audioFailed_) return;
  if (!audioStarted_) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      audioFailed_ = true;  // no audio system: every sound is silent
      return;
    }
    audioStarted_ = true;
  }
  // Only a regular file: opening a FIFO blocks this thread for good, and the player's
  // destructor, waiting for it, would keep the program from ending.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
  SDL_AudioSpec wave{};
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV(path.c_str(), &wave, &samples, &length)) return;  // missing, unreadable, not a WAV
  if (device_ != 0 && (wave.freq != frequency_ || wave.format != format_ || wave.channels != channels_)) {
    SDL_CloseAudioDevice(device_);
    device_ = 0;
  }
  if (device_ == 0) {
    wave.callback = nullptr;  // queued samples, converted by SDL to what the device takes
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wave, nullptr, 0);
    frequency_ = wave.freq, format_ = wave.format, channels_ = wave.channels;
  }
  if (device_ != 0) {
    SDL_ClearQueuedAudio(device_);  // a new sound cuts the one playing
    SDL_QueueAudio(device_, samples, length);
    SDL_PauseAudioDevice(device_, 0);
  }
  SDL_FreeWAV(samples);
#endif
}

ScopedSoundOutput::ScopedSoundOutput() {
  SetSoundOutput([this](const std::string& path) { player_.Play(path); });
}

ScopedSoundOutput::~ScopedSoundOutput() { SetSoundOutput({}); }

}  // namespace pyxora
