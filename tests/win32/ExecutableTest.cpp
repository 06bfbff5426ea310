// The button's picture files as the system's imaging component decodes them,
// and what the built Kelvora.exe carries, read back as Windows reads it.

#include <algorithm>
#include <vector>

#include "FormWindowFixture.h"
#include "core/RuntimeError.h"
#include "win32/Picture.h"

namespace kelvora::win32::test {
namespace {

using namespace std::string_literals;

// The last file's header claims 65535 x 65535 pixels: 17 GB for 40 bytes.
TEST(PictureFile, DamagedOrOversizedFilesRaiseTheErrorOfWhatIsWrong) {
    const TempFolder folder;
    const auto file = folder.Path() / "button_go.gif";
    const std::string huge = "GIF89a\xFF\xFF\xFF\xFF\x80\0\0\0\0\0\xFF\xFF\xFF,\0\0\0\0"s +
                             "\xFF\xFF\xFF\xFF\0\x02\x02\x4C\x01\0;"s;
    for (const auto& [bytes, error] : {std::pair{"-"s, core::kFileNotFound},
                                       {""s, core::kInvalidPicture},
                                       {"GIF89a"s, core::kInvalidPicture},
                                       {huge, core::kInvalidPicture}}) {
        if (bytes != "-") WriteBytes(file, bytes);  // "-": no file at all
        int raised = 0;
        try {
            LoadPictureFile(Utf8(file));
        } catch (const core::RuntimeError& e) {
            raised = e.Number();
        }
        EXPECT_EQ(raised, error) << bytes.size();
    }
    for (const auto& [width, height, allowed] : {std::tuple{23u, 24u, true},
                                                 {8192u, 8192u, true},
                                                 {8192u, 8193u, false},
                                                 {65535u, 65535u, false},
                                                 {0u, 24u, false}}) {
        EXPECT_EQ(PictureSizeAllowed(width, height), allowed) << width << "x" << height;
    }
}

const void* Resource(LPCWSTR name, LPCWSTR type, DWORD* size = nullptr) {
    static const HMODULE exe = ::LoadLibraryExW(
        (std::filesystem::path(std::getenv("KELVORA_PORTABLE_FOLDER")) / "Kelvora.exe").c_str(),
        nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    const HRSRC found = exe != nullptr ? ::FindResourceW(exe, name, type) : nullptr;
    if (found == nullptr) return nullptr;
    if (size != nullptr) *size = ::SizeofResource(exe, found);
    return ::LockResource(::LoadResource(exe, found));
}

// The version block in Japanese, the icon in 16, 32 and 48 pixels at 8 and 32
// bits, and a manifest for per-monitor density and common controls 6.
TEST(KelvoraExe, CarriesItsVersionIconAndManifest) {
    DWORD size = 0;
    const auto* block = static_cast<const char*>(Resource(MAKEINTRESOURCEW(1), RT_VERSION, &size));
    ASSERT_NE(block, nullptr);
    const std::string version(block, size);
    for (const std::wstring text : {L"041104b0", L"1.00", L"Kelvora.exe"}) {
        const std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
        EXPECT_NE(version.find(bytes), std::string::npos);
    }
    const auto* group = static_cast<const BYTE*>(Resource(MAKEINTRESOURCEW(1), RT_GROUP_ICON));
    ASSERT_NE(group, nullptr);
    std::vector<std::pair<int, int>> images;  // 14 bytes an image after a 6-byte header
    for (const BYTE* entry = group + 6; entry < group + 6 + group[4] * 14; entry += 14) {
        images.emplace_back(entry[0], entry[6]);
        EXPECT_NE(Resource(MAKEINTRESOURCEW(entry[12]), RT_ICON), nullptr);
    }
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{
                          {16, 8}, {16, 32}, {32, 8}, {32, 32}, {48, 8}, {48, 32}}));
    const auto* manifest = static_cast<const char*>(Resource(MAKEINTRESOURCEW(1), RT_MANIFEST, &size));
    ASSERT_NE(manifest, nullptr);
    for (const char* part : {"PerMonitorV2", "Microsoft.Windows.Common-Controls"}) {
        EXPECT_NE(std::string(manifest, size).find(part), std::string::npos);
    }
}

}  // namespace
}  // namespace kelvora::win32::test
