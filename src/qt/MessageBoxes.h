#pragma once
#include <QPointer>
#include <QWidget>

#include "core/Controls.h"

namespace kelvora::qt {

// Modal message boxes over the window, with the OK button and the icon its
// style names.
class MessageBoxes final : public core::MessageBox {
  public:
    explicit MessageBoxes(QWidget* owner) : owner_(owner) {}
    void Show(const std::string& text, int style, const std::string& title) override;

  private:
    QPointer<QWidget> owner_;
};

// Handles the pending window events.
class EventPump final : public core::EventPump {
  public:
    void DoEvents() override;
};

}  // namespace kelvora::qt
