#pragma once
#include <cstdint>
#include <string>

#include "core/Controls.h"

namespace kelvora::core {

// The countdown window's behaviour. The front end creates the controls,
// forwards the six events below (through RaiseEvent) and does nothing else.
class FormTimer {
public:
    explicit FormTimer(FormControls controls);

    // Events.
    void Form_Load();
    void Form_Unload(std::int16_t& Cancel);
    void Command1_Click();
    void Timer1_Timer();
    void txtMM_GotFocus();
    void txtSS_GotFocus();

    // Steps of the events, open so that tests can run one at a time.
    void SetFilePaths();
    void LoadTimerSet();
    void ShowRemainTime();

    // State. Paths are UTF-8.
    std::string AppPath;
    std::string DataPath;
    std::string SoundFile;
    std::string GoImageFile;
    std::string StopImageFile;
    std::string SettingFile;
    std::int32_t Minutes = 0;
    std::int32_t Seconds = 0;
    std::int32_t TotalSeconds = 0;
    std::int32_t ElapsedSeconds = 0;
    std::int16_t Running = 0;
    // The clock's reading when ElapsedSeconds last became 0: the count's start.
    std::int64_t CountStart = 0;

    // The longest countdown: 999 minutes.
    static constexpr std::int32_t kMaxTotalSeconds = 59940;
    static constexpr std::int32_t kMaxFieldValue = 999;

private:
    void RestartCount();
    std::int64_t NanosecondsCounted() const;
    void ArmNextTick(std::int64_t counted);
    void ReadField(TextBox& field, std::int32_t& member, const char* rejection, bool& inputError);
    void RejectSetting(const char* message, TextBox& fieldToCorrect);
    void SaveTimerSet();
    void ShowButtonPicture(const std::string& file, ButtonFace face);
    void ShowMessage(const std::string& text, int style, const std::string& title);

    FormControls controls_;
    // Once the form has unloaded, no handler acts: a front end may still
    // deliver an event that was on its way, and a handler that was waiting on
    // a message box or on events the unload ended comes back to a closed form.
    bool unloaded_ = false;
    TextBox& txtMM;
    TextBox& txtSS;
    PictureButton& Command1;
    Timer& Timer1;
};

// Selects the whole text of a field, so that what the user types replaces it.
void SelectWholeText(TextBox& field);

// Selects the whole text of a field and gives it the focus.
void SelectAndFocus(TextBox& field);

}  // namespace kelvora::core
