// What the built Kelvora.exe carries, read back as Windows reads it: the
// version block, the icon and the manifest.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "TestFolders.h"
#include "win32/SystemHeaders.h"

namespace kelvora::win32::test {
namespace {

std::filesystem::path KelvoraExe() {
    return FolderFromEnvironment("KELVORA_PORTABLE_FOLDER") / "Kelvora.exe";
}

TEST(KelvoraExe, CarriesItsVersionBlock) {
    DWORD ignored = 0;
    std::vector<unsigned char> data(::GetFileVersionInfoSizeW(KelvoraExe().c_str(), &ignored));
    ASSERT_FALSE(data.empty()) << KelvoraExe().string();
    ASSERT_TRUE(::GetFileVersionInfoW(KelvoraExe().c_str(), 0, static_cast<DWORD>(data.size()),
                                      data.data()));
    const auto query = [&](const std::wstring& path, UINT* length = nullptr) -> const void* {
        void* value = nullptr;
        UINT size = 0;
        if (!::VerQueryValueW(data.data(), path.c_str(), &value, &size)) return nullptr;
        if (length != nullptr) *length = size;
        return value;
    };
    for (const auto& [name, value] : {std::pair{L"FileVersion", L"1.00"},
                                      {L"ProductVersion", L"1.00"},
                                      {L"ProductName", L"Kelvora"},
                                      {L"InternalName", L"Kelvora"},
                                      {L"OriginalFilename", L"Kelvora.exe"}}) {
        const auto* text = static_cast<const wchar_t*>(
            query(std::wstring(L"\\StringFileInfo\\041104b0\\") + name));
        EXPECT_STREQ(text != nullptr ? text : L"(missing)", value);
    }
    UINT length = 0;
    const auto* translation =
        static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation", &length));
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(std::vector<WORD>(translation, translation + length / sizeof(WORD)),
              (std::vector<WORD>{0x0411, 0x04B0}))
        << "Japanese, Unicode, alone";

    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\", &length));
    ASSERT_TRUE(fixed != nullptr && length >= sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1)) << "1.0";
    EXPECT_EQ(fixed->dwFileVersionLS, 0u) << ".0.0";
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

// Kelvora.exe's resources, as Explorer reads them without running it.
const void* Resource(LPCWSTR name, LPCWSTR type, DWORD* size = nullptr) {
    static const HMODULE exe = ::LoadLibraryExW(
        KelvoraExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    const HRSRC found = exe != nullptr ? ::FindResourceW(exe, name, type) : nullptr;
    if (found == nullptr) return nullptr;
    if (size != nullptr) *size = ::SizeofResource(exe, found);
    return ::LockResource(::LoadResource(exe, found));
}

// An icon group: a 6-byte header whose last word counts the entries, then
// 14 bytes an entry: width, height, colours, reserved, planes, bits, size, id.
TEST(KelvoraExe, CarriesTheIconInSixImages) {
    const auto* group = static_cast<const BYTE*>(Resource(MAKEINTRESOURCEW(1), RT_GROUP_ICON));
    ASSERT_NE(group, nullptr);
    const auto word = [](const BYTE* at) { return static_cast<WORD>(at[0] | at[1] << 8); };
    ASSERT_EQ(word(group + 4), 6);
    std::vector<std::pair<int, int>> images;  // size, bits per pixel
    for (const BYTE* entry = group + 6; entry < group + 6 + 6 * 14; entry += 14) {
        images.emplace_back(entry[0], word(entry + 6));
        DWORD size = 0;
        EXPECT_NE(Resource(MAKEINTRESOURCEW(word(entry + 12)), RT_ICON, &size), nullptr);
        EXPECT_EQ(size, word(entry + 8) | static_cast<DWORD>(word(entry + 10)) << 16);
    }
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{
                          {16, 8}, {16, 32}, {32, 8}, {32, 32}, {48, 8}, {48, 32}}));
}

TEST(KelvoraExe, DeclaresPerMonitorDensityAndCommonControls6) {
    DWORD size = 0;
    const auto* bytes = static_cast<const char*>(Resource(MAKEINTRESOURCEW(1), RT_MANIFEST, &size));
    ASSERT_NE(bytes, nullptr);
    const std::string manifest(bytes, size);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos) << "the ANSI code page stays";
}

}  // namespace
}  // namespace kelvora::win32::test
