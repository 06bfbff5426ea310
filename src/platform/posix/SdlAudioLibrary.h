#pragma once
// SDL2's audio functions, looked up in the shared library the first time the
// alarm sounds rather than linked at start-up: SDL pulls some two dozen audio
// libraries into the process, which would cost every start time and memory
// for a sound that most runs never play. Without SDL the alarm is silent.

#include <SDL.h>

namespace kelvora::platform {

struct SdlAudioLibrary {
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_RWFromConstMem) RWFromConstMem;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_QueueAudio) QueueAudio;
    decltype(&SDL_GetQueuedAudioSize) GetQueuedAudioSize;
    decltype(&SDL_GetAudioDeviceStatus) GetAudioDeviceStatus;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_GetTicks64) GetTicks64;
    decltype(&SDL_Delay) Delay;
};

// The library, loaded once and kept; null when it cannot be loaded or lacks
// one of the functions.
const SdlAudioLibrary* LoadSdlAudio();

}  // namespace kelvora::platform
