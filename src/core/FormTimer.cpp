#include "core/FormTimer.h"

#include <algorithm>

#include "core/App.h"
#include "core/FileNumbers.h"
#include "core/FileSystem.h"
#include "core/Messages.h"
#include "core/ModuleWindowPos.h"
#include "core/Numbers.h"
#include "core/RuntimeError.h"
#include "core/Text.h"

namespace kelvora::core {

FormTimer::FormTimer(FormControls controls)
    : controls_(controls),
      txtMM(controls.txtMM),
      txtSS(controls.txtSS),
      Command1(controls.Command1),
      Timer1(controls.Timer1) {}

void SelectWholeText(TextBox& field) {
    field.SetSelStart(0);
    field.SetSelLength(CharacterCount(field.Text()));
}

void SelectAndFocus(TextBox& field) {
    SelectWholeText(field);
    field.SetFocus();
}

void FormTimer::ShowMessage(const std::string& text, int style, const std::string& title) {
    controls_.messageBox.Show(text, style, title);
}

void FormTimer::Form_Load() {
    try {
        Timer1.SetEnabled(false);
        ElapsedSeconds = 0;
        SetFilePaths();
        win32api::SetWindowPos(controls_.form.hWnd(), win32api::HWND_TOPMOST, 0, 0, 0, 0,
                               win32api::SWP_NOSIZE | win32api::SWP_NOMOVE);
        LoadWindowPos(controls_.form.hWnd());
        LoadTimerSet();
        Running = 0;
        txtMM.SetFocus();
    } catch (const std::exception&) {
        const RuntimeError error = CurrentError();
        // The window still opens, so that the user can see what went wrong;
        // whatever the steps before the failure set stays as it is.
        controls_.form.SetCaption(messages::kLoadFailedCaption);
        ShowMessage(error.Description(), kOkOnly, App().Title);
    }
}

void FormTimer::Form_Unload(std::int16_t& /*Cancel*/) {
    unloaded_ = true;
    SaveWindowPos(controls_.form.hWnd());
}

void FormTimer::SetFilePaths() {
    AppPath = App().Path;
    DataPath = AppPath + kPathSeparator + "Data";
    // A plain file named Data counts as present too: nothing is created over it.
    if (Dir(DataPath, kAttributeDirectory).empty()) MkDir(DataPath);
    const std::string folder = DataPath + kPathSeparator;
    SoundFile = folder + "notify.wav";
    SettingFile = folder + "TimerSet.txt";
    GoImageFile = folder + "button_go.gif";
    StopImageFile = folder + "button_stop.gif";
}

namespace {

// The setting file is one short line as the program writes it ("999,59" and a
// line end at most). Of a longer first line only this many bytes are read, so
// a damaged or foreign file can neither fill the memory nor put megabytes of
// text into a field: every field then holds at most this many characters, the
// longest text an entry field takes from the user. Lines up to this length
// read exactly as they always have.
constexpr std::size_t kSettingLineLimit = 32767;

// A field's text ends at its first NUL, as an entry field on Windows shows it;
// cutting it here makes every front end show the same text.
std::string FieldText(std::string text) {
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

}  // namespace

void FormTimer::LoadTimerSet() {
    int fileNumber = 0;
    try {
        if (Dir(SettingFile).empty()) {
            txtMM.SetText("00");
            txtSS.SetText("00");
            return;
        }
        fileNumber = FreeFile();
        OpenForInput(fileNumber, SettingFile);
        const std::string line = LineInput(fileNumber, kSettingLineLimit);
        const std::vector<std::string> elements = Split(Replace(line, "\"", ""), ',');
        txtMM.SetText(FieldText(Format00(ElementAt(elements, 0))));
        txtSS.SetText(FieldText(Format00(ElementAt(elements, 1))));
        Close(fileNumber);
    } catch (const std::exception&) {
        const RuntimeError error = CurrentError();
        try {
            Close(fileNumber);
        } catch (const std::exception&) {
            // An input file has nothing to lose at its close.
        }
        ShowMessage(error.Description(), kExclamation, messages::kSettingFileTitle);
    }
}

void FormTimer::txtMM_GotFocus() { SelectWholeText(txtMM); }

void FormTimer::txtSS_GotFocus() { SelectWholeText(txtSS); }

}  // namespace kelvora::core
