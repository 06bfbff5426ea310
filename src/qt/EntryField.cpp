#include "qt/EntryField.h"

#include <QFocusEvent>
#include <QPalette>
#include <QTimer>
#include <algorithm>

#include "qt/Colours.h"
#include "qt/Fonts.h"
#include "qt/Layout.h"

namespace kelvora::qt {
namespace {

// The form counts characters; QString counts UTF-16 units. They differ only
// for characters outside the Basic Multilingual Plane.
int UnitIndex(const QString& text, int characters) {
    int units = 0;
    for (int counted = 0; counted < characters && units < text.size(); ++counted) {
        units += (text.at(units).isHighSurrogate() && units + 1 < text.size()) ? 2 : 1;
    }
    return units;
}

bool IsWindowActivation(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

}  // namespace

EntryField::EntryField(const QString& initialText, Qt::Alignment alignment, const QString& name,
                       const QString& toolTip, QWidget* parent)
    : QLineEdit(initialText, parent) {
    setAccessibleName(name);
    // Without a border the 19-pixel digits fit the 21-pixel height.
    setFrame(false);
    setFont(JapaneseGothic(layout::kFieldFontPixels));
    setAlignment(alignment | Qt::AlignVCenter);
    setToolTip(toolTip);

    QPalette colours = palette();
    colours.setColor(QPalette::Base, colours::kStrip);
    colours.setColor(QPalette::Text, colours::kDigits);
    setPalette(colours);

    // Digits only: keys go in as typed, with no composition window, and the
    // input method cannot be switched on while the field has the focus. The
    // attribute keeps Qt from asking the input method; the query below
    // answers an input method that asks anyway.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
}

std::string EntryField::Text() const { return text().toStdString(); }

void EntryField::SetText(const std::string& text) { setText(QString::fromStdString(text)); }

void EntryField::SetSelStart(int start) {
    // Like an edit control: the caret moves there and nothing stays selected.
    setCursorPosition(UnitIndex(text(), std::max(start, 0)));
}

void EntryField::SetSelLength(int length) {
    const QString current = text();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int startCharacters = static_cast<int>(current.left(start).toUcs4().size());
    const int end = UnitIndex(current, startCharacters + std::max(length, 0));
    setSelection(start, end - start);
}

void EntryField::SetFocus() { setFocus(Qt::OtherFocusReason); }

QVariant EntryField::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImEnabled) return false;
    return QLineEdit::inputMethodQuery(query);
}

void EntryField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (IsWindowActivation(event->reason()) && holdsFocus_) return;
    holdsFocus_ = true;
    if (event->reason() == Qt::MouseFocusReason) {
        // The press that gave the focus moves the caret once this event is
        // done; selecting after it keeps the whole text selected.
        QTimer::singleShot(0, this, [this] {
            if (hasFocus()) emit gotFocus();
        });
        return;
    }
    emit gotFocus();
}

void EntryField::focusOutEvent(QFocusEvent* event) {
    if (!IsWindowActivation(event->reason())) holdsFocus_ = false;
    QLineEdit::focusOutEvent(event);
}

}  // namespace kelvora::qt
