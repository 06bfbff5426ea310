#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FakeFrontEnd.h"
#include "FakeWindowRoutines.h"
#include "TempFolder.h"

namespace kelvora::test {

// An executable folder of its own for each test, with the fake window reset.
class CoreFixture : public ::testing::Test {
protected:
    CoreFixture();

    std::filesystem::path AppFolder() const { return folder_.path() / "app"; }
    std::filesystem::path DataFolder() const { return AppFolder() / "Data"; }
    std::filesystem::path SettingFile() const { return DataFolder() / "TimerSet.txt"; }
    std::filesystem::path ProfileFile() const { return DataFolder() / "Kelvora.ini"; }
    void MakeDataFolder() const { std::filesystem::create_directories(DataFolder()); }
    void WriteSetting(const std::string& bytes) const;
    // Valid-looking pictures for the button, as the packaged data folder has.
    void WritePictures() const;

private:
    TempFolder folder_;
};

}  // namespace kelvora::test
