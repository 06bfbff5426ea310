// The button's pictures: files decoded by the system's imaging component, the
// built-in pictures, the mask colour, and the picture each click shows.

#include <string>

#include "FormWindowFixture.h"
#include "core/RuntimeError.h"
#include "win32/Picture.h"
#include "win32/ResourceIds.h"

namespace kelvora::win32::test {
namespace {

std::filesystem::path DataFiles() { return FolderFromEnvironment("KELVORA_DATA_FILES"); }

Picture BuiltIn(int id) {
    Picture picture = LoadPictureResource(::GetModuleHandleW(nullptr), id);
    ApplyMaskColour(picture, RGB(0, 0, 0), RGB(0, 0, 0));
    return picture;
}

int ErrorNumberLoading(const std::filesystem::path& file) {
    try {
        LoadPictureFile(Utf8(file));
    } catch (const core::RuntimeError& error) {
        return error.Number();
    }
    return 0;
}

struct FileCase {
    const char* name;
    const char* bytes;  // nullptr: no file at all
    int error;
};

class PictureFile : public testing::TestWithParam<FileCase> {};

TEST_P(PictureFile, RaisesTheErrorOfWhatIsWrong) {
    const TempFolder folder;
    const auto file = folder.Path() / "button_go.gif";
    if (GetParam().bytes != nullptr) WriteBytes(file, GetParam().bytes);
    EXPECT_EQ(ErrorNumberLoading(file), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Damaged, PictureFile,
                         testing::Values(FileCase{"Missing", nullptr, core::kFileNotFound},
                                         FileCase{"Empty", "", core::kInvalidPicture},
                                         FileCase{"Text", "5,30\r\n", core::kInvalidPicture},
                                         FileCase{"HeaderOnly", "GIF89a", core::kInvalidPicture}),
                         [](const testing::TestParamInfo<FileCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(PictureFile, FolderWithAnyCharactersIsRead) {
    ASSERT_FALSE(DataFiles().empty());
    for (const std::u8string name : {u8"タイマー", u8"Café ⏰ 😀"}) {
        const TempFolder folder(name);
        std::filesystem::copy_file(DataFiles() / "button_stop.gif", folder.Path() / "b.gif");
        const Picture picture = LoadPictureFile(Utf8(folder.Path() / "b.gif"));
        EXPECT_EQ(picture.width, 23u);
        EXPECT_EQ(picture.height, 24u);
    }
}

TEST(PictureFile, BuiltInPicturesAreTwoDifferent23By24Pictures) {
    const Picture go = BuiltIn(IDR_BUILTIN_GO);
    const Picture stop = BuiltIn(IDR_BUILTIN_STOP);
    EXPECT_EQ(go.width, 23u);
    EXPECT_EQ(go.height, 24u);
    EXPECT_EQ(stop.width, 23u);
    EXPECT_EQ(stop.height, 24u);
    EXPECT_NE(go.pixels, stop.pixels);
    // The data folder's pictures are the same pictures, so the button keeps
    // one look before and after the first click.
    EXPECT_EQ(LoadPictureFile(Utf8(DataFiles() / "button_go.gif")).pixels,
              LoadPictureResource(::GetModuleHandleW(nullptr), IDR_BUILTIN_GO).pixels);
}

TEST(PictureFile, MaskColourPixelsAndTransparentOnesTakeTheFace) {
    Picture picture{4, 1, {0xFF000000u, 0xFF010000u, 0x00FF0000u, 0xFFFFFFFFu}};
    ApplyMaskColour(picture, RGB(0, 0, 0), RGB(10, 20, 30));
    const std::uint32_t face = 0xFF0A141Eu;
    EXPECT_EQ(picture.pixels, (std::vector<std::uint32_t>{face, 0xFF010000u, face, 0xFFFFFFFFu}))
        << "exactly black is masked; nearly black is drawn";
}

TEST_F(FormWindowTest, ButtonShowsTheStartPictureThenTheFileOrBuiltInForEachState) {
    Start();
    EXPECT_EQ(window_->Command1().Shown().pixels, BuiltIn(IDR_BUILTIN_GO).pixels);

    // The data folder the first start made has no pictures: the built-in stop
    // picture stands in.
    SetTextOf(Control(FormControl::txtMM), L"1");
    PressKey(VK_RETURN);
    ASSERT_NE(window_->Logic().Running, 0);
    EXPECT_EQ(window_->Command1().Shown().pixels, BuiltIn(IDR_BUILTIN_STOP).pixels);

    // A file that is there is shown, whatever it shows.
    std::filesystem::copy_file(DataFiles() / "button_stop.gif", DataFolder() / "button_go.gif");
    PressKey(VK_ESCAPE);
    ASSERT_EQ(window_->Logic().Running, 0);
    EXPECT_EQ(window_->Command1().Shown().pixels, BuiltIn(IDR_BUILTIN_STOP).pixels);
}

}  // namespace
}  // namespace kelvora::win32::test
