#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "core/Controls.h"
#include "win32/SystemHeaders.h"

namespace kelvora::win32 {

// A single-line edit control as the logic's text box. The logic counts
// characters; the control counts UTF-16 units, which differ for characters
// outside the Basic Multilingual Plane.
//
// The fields are the system's classic edit control, which knows neither
// Ctrl+A nor Ctrl+Backspace: the one does nothing, the other types a box.
// Here they select the whole text and delete the word before the caret, as
// in the fields of Windows 10 and 11.
class EditBox final : public core::TextBox {
  public:
    EditBox() = default;
    EditBox(const EditBox&) = delete;
    EditBox& operator=(const EditBox&) = delete;
    ~EditBox() override { Detach(); }

    // Takes the control's messages before the control does.
    void Attach(HWND edit);
    HWND Handle() const { return edit_; }
    // Called whenever a client (a screen reader, say) asks the control itself
    // for its accessible object, before the control answers.
    void OnAccessibleObjectRequest(std::function<void()> handler) { asked_ = std::move(handler); }

    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SetSelStart(int start) override;
    void SetSelLength(int length) override;
    void SetFocus() override;

  private:
    static LRESULT CALLBACK Procedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    void Detach();
    void DeleteWordBeforeCaret();
    std::wstring WideText() const;

    HWND edit_ = nullptr;  // not ours: the form destroys its children
    WNDPROC control_ = nullptr;
    std::function<void()> asked_;
};

// The UTF-16 units that `characters` characters take in `text` from unit
// `from` on; stops at the end of the text.
int UnitsForCharacters(std::wstring_view text, int from, int characters);

}  // namespace kelvora::win32
