#pragma once
#include <string>

#include "core/Controls.h"
#include "win32/MessageLoop.h"

namespace kelvora::win32 {

// Modal message boxes owned by the form, so that they stay above it.
class SystemMessageBox final : public core::MessageBox {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }
    void Show(const std::string& text, int style, const std::string& title) override;

  private:
    HWND owner_ = nullptr;
};

// Processing the pending window events, with the form's own key handling.
class MessagePump final : public core::EventPump {
  public:
    explicit MessagePump(MessageFilter& filter) : filter_(filter) {}
    void DoEvents() override { DispatchPending(filter_); }

  private:
    MessageFilter& filter_;
};

}  // namespace kelvora::win32
