#pragma once
#include <string>
#include <string_view>

#include "core/Controls.h"
#include "win32/SystemHeaders.h"

namespace kelvora::win32 {

// A single-line edit control as the logic's text box. The logic counts
// characters; the control counts UTF-16 units, which differ for characters
// outside the Basic Multilingual Plane.
class EditBox final : public core::TextBox {
  public:
    void Attach(HWND edit) { edit_ = edit; }
    HWND Handle() const { return edit_; }

    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SetSelStart(int start) override;
    void SetSelLength(int length) override;
    void SetFocus() override;

  private:
    std::wstring WideText() const;

    HWND edit_ = nullptr;  // not ours: the form destroys its children
};

// The UTF-16 units that `characters` characters take in `text` from unit
// `from` on; stops at the end of the text.
int UnitsForCharacters(std::wstring_view text, int from, int characters);

}  // namespace kelvora::win32
