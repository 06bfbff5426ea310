// The button's picture files as the system's imaging component decodes them,
// and what the built Kelvora.exe carries, read back as Windows reads it.

#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <set>
#include <string>

#include "core/RuntimeError.h"
#include "win32/Picture.h"

namespace kelvora::win32 {
namespace {

// A missing file, one that is not a picture, and one whose header claims
// 65535 x 65535 pixels (17 GB for 40 bytes); then the bound itself.
TEST(PictureFile, MissingDamagedOrOversizedFilesRaiseTheirErrors) {
    const std::string huge("GIF89a\xFF\xFF\xFF\xFF\x80\0\0\0\0\0\xFF\xFF\xFF,\0\0\0\0\xFF\xFF\xFF\xFF\0"
                           "\x02\x02\x4C\x01\0;", 36);
    for (const auto& [bytes, error] : {std::pair<std::string, int>{"-", core::kFileNotFound},
                                       {"GIF89a", core::kInvalidPicture},
                                       {huge, core::kInvalidPicture}}) {
        if (std::FILE* file = bytes != "-" ? std::fopen("picture.gif", "wb") : nullptr) {
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
        int raised = 0;
        try {
            LoadPictureFile("picture.gif");
        } catch (const core::RuntimeError& e) {
            raised = e.Number();
        }
        EXPECT_EQ(raised, error) << bytes.size();
    }
    std::remove("picture.gif");
    EXPECT_TRUE(PictureSizeAllowed(8192, 8192) && PictureSizeAllowed(23, 24));
    EXPECT_FALSE(PictureSizeAllowed(8192, 8193) || PictureSizeAllowed(0, 24) ||
                 PictureSizeAllowed(65535, 65535));
}

// The version block in Japanese, the icon in six images, and a manifest for
// per-monitor density and version 6 of the common controls.
TEST(KelvoraExe, CarriesItsVersionIconAndManifest) {
    const std::wstring exe = std::wstring(_wgetenv(L"KELVORA_PORTABLE_FOLDER")) + L"\\Kelvora.exe";
    const HMODULE module = ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const auto resource = [&](int id, LPCWSTR type) {
        const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
        if (found == nullptr) return std::string();
        return std::string(static_cast<const char*>(::LockResource(::LoadResource(module, found))),
                           ::SizeofResource(module, found));
    };
    for (const wchar_t* text : {L"041104b0", L"FileVersion", L"1.00", L"Kelvora.exe"}) {
        const std::string utf16(reinterpret_cast<const char*>(text), std::wcslen(text) * 2);
        EXPECT_NE(resource(1, RT_VERSION).find(utf16), std::string::npos);
    }
    std::set<int> images;  // width * 100 + bits: a 6-byte header, then 14 bytes an entry
    const std::string group = resource(1, RT_GROUP_ICON);
    for (std::size_t entry = 6; entry + 14 <= group.size(); entry += 14) {
        images.insert(static_cast<unsigned char>(group[entry]) * 100 + group[entry + 6]);
        EXPECT_FALSE(resource(group[entry + 12], RT_ICON).empty());
    }
    EXPECT_EQ(images, (std::set<int>{1608, 1632, 3208, 3232, 4808, 4832}));
    for (const char* part : {"PerMonitorV2", "Microsoft.Windows.Common-Controls"}) {
        EXPECT_NE(resource(1, RT_MANIFEST).find(part), std::string::npos);
    }
    ::FreeLibrary(module);
}

}  // namespace
}  // namespace kelvora::win32
