// The alarm sound through SDL's real WAV loader and its disk audio driver,
// which writes what it plays to a file at the pace a sound card would.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <string>

#include "TempFolder.h"
#include "core/ModuleWin32API.h"

namespace kelvora::platform::test {
namespace {

using win32api::PlaySoundA;
using win32api::SND_LOOP;

struct WavFormat { int bits; bool isFloat; int channels; int rate; };

void PutLittleEndian(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A 440 Hz tone at half scale, `frames` long, as stored in the file and as
// SDL's loader hands it on. Integers are two's complement cut to their width;
// 8-bit ones are unsigned.
std::string ToneSamples(const WavFormat& format, int frames) {
    std::string samples;
    for (int i = 0; i < frames * format.channels; ++i) {
        const double level =
            0.5 * std::sin(2 * std::numbers::pi * 440.0 * (i / format.channels) / format.rate);
        auto value = format.isFloat ? std::bit_cast<std::uint32_t>(static_cast<float>(level))
                                    : static_cast<std::uint64_t>(std::llround(
                                          level * ((std::int64_t{1} << (format.bits - 1)) - 1)));
        PutLittleEndian(samples, format.bits == 8 ? value + 128 : value, format.bits / 8);
    }
    return samples;
}

std::string MakeWav(const WavFormat& format, int frames) {
    const std::string samples = ToneSamples(format, frames);
    const int blockAlign = format.bits / 8 * format.channels;
    std::string wav = "RIFF";
    PutLittleEndian(wav, 4 + (8 + 16) + 8 + samples.size(), 4);
    wav += "WAVEfmt ";
    // The format chunk: its size, PCM or float, channels, rate, bytes a second, block, bits
    // clang-format off
    for (const auto& [value, bytes] : {std::pair{16, 4}, {format.isFloat ? 3 : 1, 2},
             {format.channels, 2}, {format.rate, 4}, {format.rate * blockAlign, 4}, {blockAlign, 2},
             {format.bits, 2}}) {
        // clang-format on
        PutLittleEndian(wav, value, bytes);
    }
    wav += "data";
    PutLittleEndian(wav, samples.size(), 4);
    return wav + samples;
}

TEST(PlaySound, PlaysEachFormatWholeOnceAndReturns) {
    const TempFolder folder;
    const auto output = folder / "played.raw";
    // SDL reads these when the audio subsystem starts, inside each call.
    ::setenv("SDL_AUDIODRIVER", "disk", 1), ::setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    for (const WavFormat& format : {WavFormat{8, false, 1, 8000}, WavFormat{16, false, 2, 22050},
                                    WavFormat{32, false, 2, 48000}, WavFormat{32, true, 1, 22050}}) {
        SCOPED_TRACE(testing::Message() << format.bits << (format.isFloat ? " float " : " bits ")
                                        << format.channels << "x" << format.rate);
        const int frames = format.rate / 5;  // 0.2 s
        const auto wav = folder / "notify.wav";
        WriteBytes(wav, MakeWav(format, frames));

        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(PlaySoundA(wav.c_str(), 0, SND_LOOP), 1);
        // A lower bound only: the call must wait for the sound to be played.
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(180));
        // The disk driver takes whatever format it is offered, so the decoded
        // tone must reach its file whole and in order, between the silences.
        const std::string played = ReadBytes(output);
        EXPECT_NE(played.find(ToneSamples(format, frames)), std::string::npos) << played.size();
    }
}

// SDL's record of its last failure, read and cleared in the copy that the
// sound routine loaded.
std::string TakeSdlError() {
    void* sdl = ::dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
    if (sdl == nullptr) return "SDL not loaded";
    const std::string error = reinterpret_cast<const char* (*)()>(::dlsym(sdl, "SDL_GetError"))();
    reinterpret_cast<void (*)()>(::dlsym(sdl, "SDL_ClearError"))();
    ::dlclose(sdl);
    return error;
}

// With no audio driver to be had, starting audio leaves SDL's complaint
// about it: a file that cannot play must never get that far.
TEST(PlaySound, NothingToPlayReturnsZeroWithoutStartingAudio) {
    const TempFolder folder;
    ::setenv("SDL_AUDIODRIVER", "kelvora-no-such-driver", 1);
    const auto garbage = folder / "garbage.wav", fifo = folder / "fifo.wav";
    WriteBytes(garbage, "RIFF\x10\x00\x00\x00WAVEjunkjunkjunkjunk");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);  // never waited on
    for (const char* path : {garbage.c_str(), fifo.c_str(), "", static_cast<const char*>(nullptr)}) {
        EXPECT_EQ(PlaySoundA(path, 0, SND_LOOP), 0) << (path ? path : "null");
        EXPECT_EQ(TakeSdlError().find("kelvora-no-such-driver"), std::string::npos) << path;
    }
    const auto wav = folder / "notify.wav";
    WriteBytes(wav, MakeWav({16, false, 1, 8000}, 1600));
    EXPECT_EQ(PlaySoundA(wav.c_str(), 0, SND_LOOP), 0) << "no audio device";
    EXPECT_NE(TakeSdlError().find("kelvora-no-such-driver"), std::string::npos);
}

}  // namespace
}  // namespace kelvora::platform::test
