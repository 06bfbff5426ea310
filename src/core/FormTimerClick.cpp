#include "core/FileNumbers.h"
#include "core/FormTimer.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "core/RuntimeError.h"

namespace kelvora::core {

void FormTimer::Command1_Click() {
    if (unloaded_) return;
    try {
        bool inputError = false;
        ReadField(txtMM, Minutes, messages::kMinutesOutOfRange, inputError);
        ReadField(txtSS, Seconds, messages::kSecondsOutOfRange, inputError);
        if (inputError) return;

        // The total becomes the countdown's only once accepted, so a rejected
        // setting never changes a countdown that is running.
        const std::int32_t total = CheckedAdd(CheckedMultiply(Minutes, 60), Seconds);
        if (total < 1) {
            ShowMessage(messages::kNoSetting, kInformation, messages::kTitle);
            SelectAndFocus(txtMM);
            return;
        }
        if (total > kMaxTotalSeconds) {
            Minutes = 0;
            Seconds = 0;
            txtMM.SetText("00");
            txtSS.SetText("00");
            ShowMessage(messages::kTotalOutOfRange, kInformation, messages::kTitle);
            SelectAndFocus(txtMM);
            return;
        }

        TotalSeconds = total;
        SaveTimerSet();
        RestartCount();
        Timer1.SetEnabled(true);
        if (Running != 0) {
            ShowButtonPicture(GoImageFile, ButtonFace::Go);
            Running = 0;
            Timer1.SetEnabled(false);
            txtMM.SetFocus();
        } else {
            ShowButtonPicture(StopImageFile, ButtonFace::Stop);
            Command1.SetFocus();
            Running = 1;
        }
    } catch (const std::exception&) {
        // Nothing the user could act on: the click just ends, and what it did
        // so far stands.
    }
}

void FormTimer::ReadField(TextBox& field, std::int32_t& member, const char* rejection,
                          bool& inputError) {
    const std::string text = field.Text();
    if (text.empty() || !IsNumeric(text)) {
        member = 0;
        return;
    }
    bool outOfRange = false;
    try {
        member = CLng(text);
        outOfRange = member > kMaxFieldValue;
    } catch (const RuntimeError& error) {
        if (error.Number() != kOverflow) throw;
        outOfRange = true;  // beyond 32 bits is just as much "above 999"
    }
    if (!outOfRange) return;
    Minutes = 0;
    Seconds = 0;
    txtMM.SetText("00");
    txtSS.SetText("00");
    ShowMessage(rejection, kInformation, messages::kTitle);
    inputError = true;
    SelectAndFocus(field);
}

void FormTimer::SaveTimerSet() {
    // A setting that cannot be saved is only not remembered: the countdown
    // must still start or stop.
    const int fileNumber = FreeFile();
    try {
        OpenForOutput(fileNumber, SettingFile);
        WriteRecord(fileNumber, {Minutes, Seconds});
        Close(fileNumber);
    } catch (const std::exception&) {
        try {
            Close(fileNumber);
        } catch (const std::exception&) {
        }
    }
}

void FormTimer::ShowButtonPicture(const std::string& file, ButtonFace face) {
    // A missing or damaged picture file must not leave the button showing the
    // wrong state, nor stop the toggle.
    try {
        Command1.SetPictureFromFile(file, face);
    } catch (const std::exception&) {
        Command1.SetBuiltInPicture(face);
    }
}

}  // namespace kelvora::core
