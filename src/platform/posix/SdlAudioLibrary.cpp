#include "platform/posix/SdlAudioLibrary.h"

#include <dlfcn.h>

namespace kelvora::platform {
namespace {

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

const SdlAudioLibrary* Load() {
    void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return nullptr;
    static SdlAudioLibrary sdl{};
    const bool complete = Resolve(library, "SDL_SetHint", sdl.SetHint) &&
                          Resolve(library, "SDL_InitSubSystem", sdl.InitSubSystem) &&
                          Resolve(library, "SDL_QuitSubSystem", sdl.QuitSubSystem) &&
                          Resolve(library, "SDL_RWFromConstMem", sdl.RWFromConstMem) &&
                          Resolve(library, "SDL_LoadWAV_RW", sdl.LoadWAV_RW) &&
                          Resolve(library, "SDL_FreeWAV", sdl.FreeWAV) &&
                          Resolve(library, "SDL_OpenAudioDevice", sdl.OpenAudioDevice) &&
                          Resolve(library, "SDL_CloseAudioDevice", sdl.CloseAudioDevice) &&
                          Resolve(library, "SDL_QueueAudio", sdl.QueueAudio) &&
                          Resolve(library, "SDL_GetQueuedAudioSize", sdl.GetQueuedAudioSize) &&
                          Resolve(library, "SDL_GetAudioDeviceStatus", sdl.GetAudioDeviceStatus) &&
                          Resolve(library, "SDL_PauseAudioDevice", sdl.PauseAudioDevice) &&
                          Resolve(library, "SDL_GetTicks64", sdl.GetTicks64) &&
                          Resolve(library, "SDL_Delay", sdl.Delay);
    // The library stays loaded for the rest of the run: SDL keeps state of its
    // own between calls.
    return complete ? &sdl : nullptr;
}

}  // namespace

const SdlAudioLibrary* LoadSdlAudio() {
    static const SdlAudioLibrary* const sdl = Load();
    return sdl;
}

}  // namespace kelvora::platform
