// The button's pictures: files decoded by the system's imaging component, the
// built-in pictures, the mask colour, and the picture each click shows.

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

TEST(PictureFile, DamagedFilesRaiseTheErrorOfWhatIsWrong) {
    const TempFolder folder;
    const auto file = folder.Path() / "button_go.gif";
    for (const auto& [bytes, error] : {std::pair<const char*, int>{nullptr, core::kFileNotFound},
                                       {"", core::kInvalidPicture},
                                       {"5,30\r\n", core::kInvalidPicture},
                                       {"GIF89a", core::kInvalidPicture}}) {
        if (bytes != nullptr) WriteBytes(file, bytes);  // nullptr: no file at all
        int raised = 0;
        try {
            LoadPictureFile(Utf8(file));
        } catch (const core::RuntimeError& e) {
            raised = e.Number();
        }
        EXPECT_EQ(raised, error) << (bytes != nullptr ? bytes : "(missing)");
    }
}

// A folder outside the ANSI code page; the data folder's go picture is the
// built-in one, so the button keeps one look before and after the first click.
TEST(PictureFile, FilesAreReadFromAnyFolderAndMatchTheBuiltInOnes) {
    ASSERT_FALSE(DataFiles().empty());
    const TempFolder folder(u8"Café ⏰ 😀");
    std::filesystem::copy_file(DataFiles() / "button_go.gif", folder.Path() / "b.gif");
    const Picture go = LoadPictureFile(Utf8(folder.Path() / "b.gif"));
    EXPECT_EQ(go.width, 23u);
    EXPECT_EQ(go.height, 24u);
    EXPECT_EQ(go.pixels, LoadPictureResource(::GetModuleHandleW(nullptr), IDR_BUILTIN_GO).pixels);
    EXPECT_NE(BuiltIn(IDR_BUILTIN_GO).pixels, BuiltIn(IDR_BUILTIN_STOP).pixels);
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
