#include "FakeFrontEnd.h"

#include "TempFolder.h"
#include "core/FileSystem.h"
#include "core/RuntimeError.h"

namespace kelvora::test {

void FakeTextBox::SetFocus() {
    const std::string name = this == &owner_.txtMM ? "txtMM" : "txtSS";
    if (owner_.focus == name) return;
    owner_.focus = name;
    if (gotFocus) gotFocus();
}

void FakePictureButton::SetPictureFromFile(const std::string& path) {
    if (core::Dir(path).empty()) core::RaiseError(core::kFileNotFound);
    if (ReadBytes(core::ToPath(path)).rfind("GIF8", 0) != 0) core::RaiseError(core::kInvalidPicture);
    picture = path;
}

void FakePictureButton::SetBuiltInPicture(core::ButtonFace face) {
    picture = face == core::ButtonFace::Go ? "builtin:go" : "builtin:stop";
}

void FakePictureButton::SetFocus() { owner_.focus = "Command1"; }

void FakeForm::Unload() {
    std::int16_t cancel = 0;
    owner_.timer.Form_Unload(cancel);
    unloaded = true;
}

FakeFrontEnd::FakeFrontEnd()
    : timer(core::FormControls{form, txtMM, txtSS, Command1, Timer1, messageBox, events}) {
    txtMM.gotFocus = [this] { timer.txtMM_GotFocus(); };
    txtSS.gotFocus = [this] { timer.txtSS_GotFocus(); };
}

}  // namespace kelvora::test
