// What the built Kelvora.exe carries, read back as Windows reads it: the
// version block, the icon and the manifest.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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

class VersionBlock {
  public:
    explicit VersionBlock(const std::filesystem::path& file) {
        DWORD ignored = 0;
        data_.resize(::GetFileVersionInfoSizeW(file.c_str(), &ignored));
        loaded_ =
            !data_.empty() &&
            ::GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(data_.size()), data_.data());
    }
    bool Loaded() const { return loaded_; }

    std::wstring String(const std::wstring& name) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = L"\\StringFileInfo\\041104b0\\" + name;
        if (!::VerQueryValueW(data_.data(), path.c_str(), &value, &length)) return L"(missing)";
        return std::wstring(static_cast<const wchar_t*>(value));
    }

    std::vector<DWORD> Translations() {
        void* value = nullptr;
        UINT length = 0;
        std::vector<DWORD> translations;
        if (!::VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &length)) {
            return translations;
        }
        const auto* pairs = static_cast<const WORD*>(value);
        for (UINT i = 0; i + 1 < length / sizeof(WORD); i += 2) {
            translations.push_back(MAKELONG(pairs[i + 1], pairs[i]));  // language, code page
        }
        return translations;
    }

    VS_FIXEDFILEINFO Fixed() {
        void* value = nullptr;
        UINT length = 0;
        VS_FIXEDFILEINFO info{};
        if (::VerQueryValueW(data_.data(), L"\\", &value, &length) && length >= sizeof(info)) {
            info = *static_cast<const VS_FIXEDFILEINFO*>(value);
        }
        return info;
    }

  private:
    std::vector<unsigned char> data_;
    bool loaded_ = false;
};

TEST(KelvoraExe, CarriesItsVersionBlock) {
    VersionBlock block(KelvoraExe());
    ASSERT_TRUE(block.Loaded()) << KelvoraExe().string();
    EXPECT_EQ(block.String(L"FileVersion"), L"1.00");
    EXPECT_EQ(block.String(L"ProductVersion"), L"1.00");
    EXPECT_EQ(block.String(L"ProductName"), L"Kelvora");
    EXPECT_EQ(block.String(L"InternalName"), L"Kelvora");
    EXPECT_EQ(block.String(L"OriginalFilename"), L"Kelvora.exe");
    EXPECT_EQ(block.Translations(), std::vector<DWORD>{0x041104B0u}) << "Japanese, Unicode";

    const VS_FIXEDFILEINFO fixed = block.Fixed();
    EXPECT_EQ(fixed.dwFileVersionMS, MAKELONG(0, 1)) << "1.0";
    EXPECT_EQ(fixed.dwFileVersionLS, 0u) << ".0.0";
    EXPECT_EQ(fixed.dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
struct IconGroup {
    WORD reserved;
    WORD type;
    WORD count;
    IconGroupEntry entries[1];
};
#pragma pack(pop)

class LoadedAsData {
  public:
    explicit LoadedAsData(const std::filesystem::path& file)
        : module_(::LoadLibraryExW(file.c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    LoadedAsData(const LoadedAsData&) = delete;
    LoadedAsData& operator=(const LoadedAsData&) = delete;
    ~LoadedAsData() {
        if (module_ != nullptr) ::FreeLibrary(module_);
    }
    HMODULE get() const { return module_; }

    const void* Resource(LPCWSTR name, LPCWSTR type, DWORD* size = nullptr) const {
        const HRSRC found = ::FindResourceW(module_, name, type);
        if (found == nullptr) return nullptr;
        if (size != nullptr) *size = ::SizeofResource(module_, found);
        return ::LockResource(::LoadResource(module_, found));
    }

  private:
    HMODULE module_;
};

TEST(KelvoraExe, CarriesTheIconInSixImages) {
    const LoadedAsData exe(KelvoraExe());
    ASSERT_NE(exe.get(), nullptr);
    const auto* group =
        static_cast<const IconGroup*>(exe.Resource(MAKEINTRESOURCEW(1), RT_GROUP_ICON));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->count, 6);
    std::vector<std::pair<int, int>> images;  // size, bits per pixel
    for (WORD i = 0; i < group->count; ++i) {
        const IconGroupEntry& entry = group->entries[i];
        images.emplace_back(entry.width, entry.bitCount);
        DWORD size = 0;
        EXPECT_NE(exe.Resource(MAKEINTRESOURCEW(entry.id), RT_ICON, &size), nullptr);
        EXPECT_EQ(size, entry.bytes);
    }
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{
                          {16, 8}, {16, 32}, {32, 8}, {32, 32}, {48, 8}, {48, 32}}));
}

TEST(KelvoraExe, DeclaresPerMonitorDensityAndCommonControls6) {
    const LoadedAsData exe(KelvoraExe());
    DWORD size = 0;
    const auto* bytes =
        static_cast<const char*>(exe.Resource(MAKEINTRESOURCEW(1), RT_MANIFEST, &size));
    ASSERT_NE(bytes, nullptr);
    const std::string manifest(bytes, size);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos) << "the ANSI code page stays";
}

}  // namespace
}  // namespace kelvora::win32::test
