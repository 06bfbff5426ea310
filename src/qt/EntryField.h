#pragma once
#include <QLineEdit>
#include <string>

#include "core/Controls.h"

namespace kelvora::qt {

// A minutes or seconds field: a borderless single-line edit in the dark blue
// strip, which reports each time it receives the focus. A screen reader hears
// its name (分 or 秒), its tooltip as the description and its text as value.
class EntryField final : public QLineEdit, public core::TextBox {
    Q_OBJECT

  public:
    EntryField(const QString& initialText, Qt::Alignment alignment, const QString& name,
               const QString& toolTip, QWidget* parent);

    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SetSelStart(int start) override;
    void SetSelLength(int length) override;
    void SetFocus() override;

    // The input method asks this before it composes anything: never here.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  signals:
    // The field has received the focus: by mouse, by keyboard or from the
    // program. Not raised again when the window merely becomes active again.
    void gotFocus();

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    bool holdsFocus_ = false;  // got-focus raised and the focus not given away since
};

}  // namespace kelvora::qt
