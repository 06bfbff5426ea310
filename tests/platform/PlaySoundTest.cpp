// The alarm sound through SDL's real WAV loader and its disk audio driver,
// which writes what it plays to a file at the pace a sound card would.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <string>

#include "TempFolder.h"
#include "core/ModuleWin32API.h"

namespace kelvora::platform::test {
namespace {

using win32api::PlaySoundA;
using win32api::SND_LOOP;

enum class Encoding { Pcm8, Pcm16, Pcm24, Pcm32, Float32 };

struct WavFormat {
    const char* name;
    Encoding encoding;
    int channels;
    int rate;
};

void PrintTo(const WavFormat& c, std::ostream* out) { *out << c.name; }

int BytesPerSample(Encoding encoding) {
    switch (encoding) {
        case Encoding::Pcm8:
            return 1;
        case Encoding::Pcm16:
            return 2;
        case Encoding::Pcm24:
            return 3;
        default:
            return 4;
    }
}

void PutLittleEndian(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The samples of a 440 Hz tone at half scale, `frames` long. As stored in the
// file, or, with `asDecoded`, as SDL's loader hands them on: the same, except
// that 24-bit samples are widened to 32 bits.
std::string ToneSamples(const WavFormat& format, int frames, bool asDecoded = false) {
    std::string samples;
    for (int frame = 0; frame < frames; ++frame) {
        const double level = 0.5 * std::sin(2 * std::numbers::pi * 440.0 * frame / format.rate);
        for (int channel = 0; channel < format.channels; ++channel) {
            switch (format.encoding) {
                case Encoding::Pcm8:
                    PutLittleEndian(samples,
                                    static_cast<std::uint8_t>(128 + std::lround(level * 127)), 1);
                    break;
                case Encoding::Pcm16:
                    PutLittleEndian(samples, static_cast<std::uint16_t>(std::lround(level * 32767)),
                                    2);
                    break;
                case Encoding::Pcm24: {
                    const auto value = static_cast<std::uint32_t>(std::lround(level * 8388607));
                    if (asDecoded) {
                        PutLittleEndian(samples, value << 8, 4);
                    } else {
                        PutLittleEndian(samples, value, 3);
                    }
                    break;
                }
                case Encoding::Pcm32:
                    PutLittleEndian(
                        samples, static_cast<std::uint32_t>(std::lround(level * 2147483647.0)), 4);
                    break;
                case Encoding::Float32: {
                    const float value = static_cast<float>(level);
                    std::uint32_t bits;
                    std::memcpy(&bits, &value, 4);
                    PutLittleEndian(samples, bits, 4);
                    break;
                }
            }
        }
    }
    return samples;
}

std::string MakeWav(const WavFormat& format, int frames) {
    const std::string samples = ToneSamples(format, frames);
    const int sampleBytes = BytesPerSample(format.encoding);
    const int blockAlign = sampleBytes * format.channels;
    std::string wav = "RIFF";
    PutLittleEndian(wav, 4 + (8 + 16) + 8 + samples.size(), 4);
    wav += "WAVEfmt ";
    PutLittleEndian(wav, 16, 4);
    PutLittleEndian(wav, format.encoding == Encoding::Float32 ? 3 : 1, 2);
    PutLittleEndian(wav, format.channels, 2);
    PutLittleEndian(wav, format.rate, 4);
    PutLittleEndian(wav, static_cast<std::uint64_t>(format.rate) * blockAlign, 4);
    PutLittleEndian(wav, blockAlign, 2);
    PutLittleEndian(wav, sampleBytes * 8, 2);
    wav += "data";
    PutLittleEndian(wav, samples.size(), 4);
    return wav + samples;
}

class PlaySound : public testing::Test {
  protected:
    void SetUp() override {
        // SDL reads these when the audio subsystem starts, inside each call.
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("SDL_AUDIODRIVER");
        ::unsetenv("SDL_DISKAUDIOFILE");
    }

    TempFolder folder_;
    std::filesystem::path output_ = folder_ / "played.raw";
};

class PlaySoundFormats : public PlaySound, public testing::WithParamInterface<WavFormat> {};

TEST_P(PlaySoundFormats, PlaysTheWholeSoundOnceAndReturns) {
    const WavFormat& format = GetParam();
    const int frames = format.rate / 5;  // 0.2 s
    const auto wav = folder_ / "notify.wav";
    WriteBytes(wav, MakeWav(format, frames));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(PlaySoundA(wav.c_str(), 0, SND_LOOP), 1);
    const auto elapsed = std::chrono::steady_clock::now() - start;

    // A lower bound only: the call must wait for the sound to be played.
    EXPECT_GE(elapsed, std::chrono::milliseconds(180));
    // The disk driver takes whatever format it is offered, so the decoded tone
    // must reach its file whole and in order, between the silences around it.
    const std::string played = ReadBytes(output_);
    EXPECT_NE(played.find(ToneSamples(format, frames, true)), std::string::npos)
        << played.size() << " bytes played";
}

const WavFormat kFormats[] = {
    {"Pcm8Mono8000", Encoding::Pcm8, 1, 8000},
    {"Pcm8Stereo22050", Encoding::Pcm8, 2, 22050},
    {"Pcm16Mono22050", Encoding::Pcm16, 1, 22050},
    {"Pcm16Stereo48000", Encoding::Pcm16, 2, 48000},
    {"Pcm24Mono48000", Encoding::Pcm24, 1, 48000},
    {"Pcm24Stereo8000", Encoding::Pcm24, 2, 8000},
    {"Pcm32Mono22050", Encoding::Pcm32, 1, 22050},
    {"Pcm32Stereo48000", Encoding::Pcm32, 2, 48000},
    {"FloatMono8000", Encoding::Float32, 1, 8000},
    {"FloatStereo48000", Encoding::Float32, 2, 48000},
};

INSTANTIATE_TEST_SUITE_P(Formats, PlaySoundFormats, testing::ValuesIn(kFormats),
                         [](const testing::TestParamInfo<WavFormat>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(PlaySound, NothingToPlayReturnsZero) {
    const auto garbage = folder_ / "garbage.wav";
    WriteBytes(garbage, "RIFF\x10\x00\x00\x00WAVEjunkjunkjunkjunk");
    const auto text = folder_ / "text.wav";
    WriteBytes(text, "this is not a sound");
    const auto empty = folder_ / "empty.wav";
    WriteBytes(empty, "");

    EXPECT_EQ(PlaySoundA((folder_ / "missing.wav").c_str(), 0, SND_LOOP), 0);
    EXPECT_EQ(PlaySoundA(folder_.Path().c_str(), 0, SND_LOOP), 0);
    EXPECT_EQ(PlaySoundA(garbage.c_str(), 0, SND_LOOP), 0);
    EXPECT_EQ(PlaySoundA(text.c_str(), 0, SND_LOOP), 0);
    EXPECT_EQ(PlaySoundA(empty.c_str(), 0, SND_LOOP), 0);
    EXPECT_EQ(PlaySoundA("", 0, SND_LOOP), 0);
    EXPECT_EQ(PlaySoundA(nullptr, 0, SND_LOOP), 0);
}

TEST_F(PlaySound, CutShortFileReturns) {
    const WavFormat format{"", Encoding::Pcm16, 1, 8000};
    std::string wav = MakeWav(format, 1600);
    wav.resize(wav.size() / 2);
    const auto path = folder_ / "cut.wav";
    WriteBytes(path, wav);
    // SDL may play what there is or refuse the file; either way the call ends.
    const int result = PlaySoundA(path.c_str(), 0, SND_LOOP);
    EXPECT_TRUE(result == 0 || result == 1);
}

TEST_F(PlaySound, NoAudioDeviceReturnsZero) {
    ::setenv("SDL_AUDIODRIVER", "kelvora-no-such-driver", 1);
    const auto wav = folder_ / "notify.wav";
    WriteBytes(wav, MakeWav({"", Encoding::Pcm16, 1, 8000}, 1600));
    EXPECT_EQ(PlaySoundA(wav.c_str(), 0, SND_LOOP), 0);
}

TEST_F(PlaySound, PlaysOnTheDummyDriver) {
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    const auto wav = folder_ / "notify.wav";
    WriteBytes(wav, MakeWav({"", Encoding::Pcm16, 2, 22050}, 4410));
    EXPECT_EQ(PlaySoundA(wav.c_str(), 0, SND_LOOP), 1);
}

TEST_F(PlaySound, PlaysTheSameFileAgain) {
    const auto wav = folder_ / "notify.wav";
    WriteBytes(wav, MakeWav({"", Encoding::Pcm16, 1, 22050}, 2205));
    EXPECT_EQ(PlaySoundA(wav.c_str(), 0, SND_LOOP), 1);
    EXPECT_EQ(PlaySoundA(wav.c_str(), 0, SND_LOOP), 1);
}

}  // namespace
}  // namespace kelvora::platform::test
