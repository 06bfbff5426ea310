#include "qt/FormTimerWindow.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QPainter>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>

#include "core/Messages.h"
#include "core/UncaughtError.h"
#include "qt/AppIcon.h"
#include "qt/Colours.h"
#include "qt/EntryField.h"
#include "qt/Layout.h"
#include "qt/MapRequest.h"
#include "qt/PictureButton.h"
#include "qt/TaskbarState.h"
#include "qt/WindowHandles.h"

namespace kelvora::qt {
namespace {

// A tool window with a caption and a close box only. Qt::Tool keeps it off
// most taskbars (TaskbarState.h keeps it off the rest); the fixed size leaves
// nothing to resize or maximize.
constexpr Qt::WindowFlags kFrame =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

}  // namespace

FormTimerWindow::FormTimerWindow() : QWidget(nullptr, kFrame) {
    setWindowTitle(QString::fromUtf8(core::messages::kCaption));
    setWindowIcon(AppIcon());
    setFixedSize(layout::kClientArea);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours::kWindowBackground);
    setPalette(colours);
    setAutoFillBackground(true);

    CreateControls();
    logic_ = std::make_unique<core::FormTimer>(core::FormControls{
        *this, *txtMM_, *txtSS_, *command1_, timer1_, messageBoxes_, events_, clock_});
    ConnectEvents();
    handle_ = RegisterWindow(this);
}

FormTimerWindow::~FormTimerWindow() { UnregisterWindow(handle_); }

void FormTimerWindow::CreateControls() {
    command1_ = new PictureButton(this);
    command1_->setGeometry(layout::kCommand1);

    txtSS_ = new EntryField(QStringLiteral("00"), Qt::AlignLeft, QStringLiteral("秒"),
                            QString::fromUtf8(core::messages::kSecondsTip), this);
    txtSS_->setGeometry(layout::kTxtSS);

    txtMM_ = new EntryField(QStringLiteral("000"), Qt::AlignRight, QStringLiteral("分"),
                            QString::fromUtf8(core::messages::kMinutesTip), this);
    txtMM_->setGeometry(layout::kTxtMM);

    // Timer1 is a member: it exists, enabled, from the start. Label1 too:
    // the window paints it, under the fields, which overlap it by one pixel
    // on each side.

    setTabOrder(txtMM_, txtSS_);
    setTabOrder(txtSS_, command1_);
}

void FormTimerWindow::ConnectEvents() {
    connect(command1_, &QAbstractButton::clicked, this,
            [this] { Raise(&core::FormTimer::Command1_Click); });
    timer1_.OnTick([this] { Raise(&core::FormTimer::Timer1_Timer); });
    connect(txtMM_, &EntryField::gotFocus, this,
            [this] { Raise(&core::FormTimer::txtMM_GotFocus); });
    connect(txtSS_, &EntryField::gotFocus, this,
            [this] { Raise(&core::FormTimer::txtSS_GotFocus); });

    // The button is both the default and the cancel button: Enter (either
    // key) and Escape click it wherever the focus is in the window. A
    // shortcut sees the key before the field does.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                                    QKeySequence(Qt::Key_Escape)}) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(true);
        connect(shortcut, &QShortcut::activated, command1_, &QAbstractButton::click);
    }
}

void FormTimerWindow::Raise(void (core::FormTimer::*handler)()) {
    if (ended_) return;
    core::RaiseEvent([this, handler] { (logic_.get()->*handler)(); }, messageBoxes_,
                     [this] { EndProgram(1); });
}

void FormTimerWindow::Load() { Raise(&core::FormTimer::Form_Load); }

void FormTimerWindow::SetCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void FormTimerWindow::Unload() {
    if (!unloaded_) close();
}

void FormTimerWindow::closeEvent(QCloseEvent* event) {
    if (unloaded_ || ended_) {
        event->accept();
        return;
    }
    std::int16_t cancel = 0;
    core::RaiseEvent([this, &cancel] { logic_->Form_Unload(cancel); }, messageBoxes_,
                     [this] { EndProgram(1); });
    if (ended_) {
        event->accept();
        return;
    }
    if (cancel != 0) {
        event->ignore();
        return;
    }
    unloaded_ = true;
    event->accept();
    EndProgram(0);
}

void FormTimerWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    label1_.Paint(painter, palette());
}

void FormTimerWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    // Before the window is mapped, the state is the window's own property;
    // once it is mapped, only a request to the window manager changes it.
    KeepOffTaskbar(*this, WindowMapped::No);
    QTimer::singleShot(0, this, [this] { KeepOffTaskbar(*this, WindowMapped::Yes); });
    KeepRequestingMap(*this);
}

void FormTimerWindow::EndProgram(int exitCode) {
    if (ended_) return;
    ended_ = true;
    exitCode_ = exitCode;
    timer1_.SetEnabled(false);
    emit programEnded(exitCode);
}

}  // namespace kelvora::qt
