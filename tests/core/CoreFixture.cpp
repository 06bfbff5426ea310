#include "CoreFixture.h"

#include "core/App.h"

namespace kelvora::test {

CoreFixture::CoreFixture() {
    std::filesystem::create_directories(AppFolder());
    const std::u8string path = AppFolder().u8string();
    core::App().Path = std::string(path.begin(), path.end());
    core::App().EXEName = "Kelvora";
    ResetFakeWindow();
}

void CoreFixture::WriteSetting(const std::string& bytes) const {
    MakeDataFolder();
    WriteBytes(SettingFile(), bytes);
}

void CoreFixture::WritePictures() const {
    MakeDataFolder();
    WriteBytes(DataFolder() / "button_go.gif", "GIF89a go");
    WriteBytes(DataFolder() / "button_stop.gif", "GIF89a stop");
}

}  // namespace kelvora::test
