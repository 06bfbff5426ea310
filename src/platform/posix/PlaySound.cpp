// winmm's PlaySoundA over SDL2's audio: SDL decodes the WAV file (PCM of 8,
// 16, 24 or 32 bits, IEEE float, A-law, mu-law and ADPCM, any channel count
// and rate). The device is opened in the file's own format and allows no
// changes, so SDL converts the samples to what the hardware takes as it plays.
//
// The only caller plays the alarm with the flag word SND_LOOP and no SND_ASYNC,
// then closes the window as soon as the call returns. A synchronous loop would
// never return, so every call plays the file once, waits until it has been
// heard, and returns. The sound name is always a file path: there are no
// aliases, no sounds in memory, and no system sound in place of a missing file.
// Audio is opened for the one call, only once the file has loaded, and closed
// again before the call returns. The file is read here, not by SDL, so that a
// FIFO or a device in its place is refused instead of waited on.

#include <cstdint>
#include <limits>
#include <utility>

#include "core/ModuleWin32API.h"
#include "platform/PrepareSound.h"
#include "platform/posix/RegularFile.h"
#include "platform/posix/SdlAudioLibrary.h"

namespace kelvora::win32api {

namespace {

using platform::SdlAudioLibrary;

// SDL's streams in memory count their size in an int.
constexpr std::size_t kMaxWavBytes = std::numeric_limits<int>::max();

class AudioSubsystem {
  public:
    explicit AudioSubsystem(const SdlAudioLibrary& sdl) : sdl_(sdl) {
        // The program has its own handling of SIGINT and SIGTERM.
        sdl_.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ready_ = sdl_.InitSubSystem(SDL_INIT_AUDIO) == 0;
    }
    AudioSubsystem(const AudioSubsystem&) = delete;
    AudioSubsystem& operator=(const AudioSubsystem&) = delete;
    ~AudioSubsystem() {
        if (ready_) sdl_.QuitSubSystem(SDL_INIT_AUDIO);
    }
    bool Ready() const { return ready_; }

  private:
    const SdlAudioLibrary& sdl_;
    bool ready_ = false;
};

class WavFile {
  public:
    // The bytes go once SDL has decoded them.
    WavFile(const SdlAudioLibrary& sdl, const std::string bytes) : sdl_(sdl) {
        SDL_RWops* file = sdl_.RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        if (file == nullptr || sdl_.LoadWAV_RW(file, 1, &format_, &samples_, &size_) == nullptr) {
            samples_ = nullptr;
        }
    }
    WavFile(const WavFile&) = delete;
    WavFile& operator=(const WavFile&) = delete;
    ~WavFile() { sdl_.FreeWAV(samples_); }
    bool Loaded() const { return samples_ != nullptr; }
    const SDL_AudioSpec& Format() const { return format_; }
    const Uint8* Samples() const { return samples_; }
    Uint32 Size() const { return size_; }

  private:
    const SdlAudioLibrary& sdl_;
    SDL_AudioSpec format_{};
    Uint8* samples_ = nullptr;
    Uint32 size_ = 0;
};

class AudioDevice {
  public:
    AudioDevice(const SdlAudioLibrary& sdl, const SDL_AudioSpec& wanted, SDL_AudioSpec& obtained)
        : sdl_(sdl), id_(sdl_.OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0)) {}
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;
    ~AudioDevice() {
        if (id_ != 0) sdl_.CloseAudioDevice(id_);
    }
    SDL_AudioDeviceID Id() const { return id_; }

  private:
    const SdlAudioLibrary& sdl_;
    SDL_AudioDeviceID id_;
};

Uint64 Milliseconds(Uint64 bytes, const SDL_AudioSpec& format) {
    const Uint64 bytesPerSecond = Uint64{SDL_AUDIO_BITSIZE(format.format) / 8u} * format.channels *
                                  static_cast<Uint64>(format.freq);
    return bytesPerSecond == 0 ? 0 : bytes * 1000 / bytesPerSecond;
}

void WaitUntilHeard(const SdlAudioLibrary& sdl, SDL_AudioDeviceID device,
                    const SDL_AudioSpec& format, Uint64 soundMs) {
    // A device that stops taking data (unplugged, say) must not keep the
    // program from closing: give up well after the sound should have ended.
    const Uint64 giveUpAt = sdl.GetTicks64() + 2 * soundMs + 5000;
    while (sdl.GetQueuedAudioSize(device) > 0 &&
           sdl.GetAudioDeviceStatus(device) == SDL_AUDIO_PLAYING && sdl.GetTicks64() < giveUpAt) {
        sdl.Delay(10);
    }
    // The queue is empty once SDL has handed the last buffer on; the device
    // still has that buffer and about one more of its own to play.
    const Uint64 bufferMs = format.freq > 0 ? Uint64{format.samples} * 1000 / format.freq : 0;
    sdl.Delay(static_cast<Uint32>(2 * bufferMs + 50));
}

}  // namespace

std::int32_t PlaySoundA(const char* pszSound, std::uintptr_t /*hmod*/, std::uint32_t /*fdwSound*/) {
    if (pszSound == nullptr) return 0;
    // The file first: starting audio costs tens of milliseconds, which a
    // missing or damaged sound would only add to the closing of the window.
    platform::FileBytes file = platform::ReadRegularFile(pszSound, kMaxWavBytes);
    if (file.state != platform::FileState::Read) return 0;

    const SdlAudioLibrary* sdl = platform::LoadSdlAudio();
    if (sdl == nullptr) return 0;
    const WavFile wav(*sdl, std::move(file.bytes));
    if (!wav.Loaded() || wav.Size() == 0) return 0;
    const AudioSubsystem audio(*sdl);
    if (!audio.Ready()) return 0;

    SDL_AudioSpec wanted = wav.Format();
    wanted.samples = 1024;  // short buffers: the window closes soon after the end
    wanted.callback = nullptr;
    wanted.userdata = nullptr;
    SDL_AudioSpec obtained{};
    const AudioDevice device(*sdl, wanted, obtained);
    if (device.Id() == 0) return 0;

    if (sdl->QueueAudio(device.Id(), wav.Samples(), wav.Size()) != 0) return 0;

    sdl->PauseAudioDevice(device.Id(), 0);
    WaitUntilHeard(*sdl, device.Id(), obtained, Milliseconds(wav.Size(), obtained));
    return 1;
}

}  // namespace kelvora::win32api

namespace kelvora::platform {

void PrepareSound() { LoadSdlAudio(); }

}  // namespace kelvora::platform
