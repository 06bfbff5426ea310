// Keys and focus as a user meets them: Enter and Escape click the button
// from anywhere, Space clicks it when it has the focus, Tab walks the fields
// and the button, and a field selects its whole text whenever it gets the
// focus.

#include <QInputMethodQueryEvent>

#include "Fixture.h"
#include "qt/EntryField.h"
#include "qt/PictureButton.h"

using kelvora::qt::EntryField;
using kelvora::qt::FormTimerWindow;
using namespace kelvora::test;

namespace {

EntryField& Field(FormTimerWindow& window, const QByteArray& name) {
    return name == "txtMM" ? window.txtMM() : window.txtSS();
}

QWidget* Focused() { return QApplication::focusWidget(); }

}  // namespace

class KeyboardFocusTest : public QObject {
    Q_OBJECT

  private slots:
    void keyClicksTheButtonFromAField_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        for (const QByteArray& field : {QByteArray("txtMM"), QByteArray("txtSS")}) {
            QTest::newRow(field + " Return") << field << int(Qt::Key_Return) << 0;
            QTest::newRow(field + " keypad Enter")
                << field << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
            QTest::newRow(field + " Escape") << field << int(Qt::Key_Escape) << 0;
        }
    }
    void keyClicksTheButtonFromAField() {
        QFETCH(QByteArray, field);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        AppFolder folder;
        folder.CopyDataFiles();
        folder.Write(QStringLiteral("Data/TimerSet.txt"), "0,5\r\n");
        FormTimerWindow window;
        QVERIFY(LoadAndActivate(window));
        Field(window, field).setFocus(Qt::TabFocusReason);

        QTest::keyClick(&Field(window, field), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(window.Logic().Running, 1);
        QVERIFY(window.Timer1().Enabled());
        QCOMPARE(Focused(), &window.Command1());
        QCOMPARE(window.Command1().Picture(),
                 QImage(folder.Path(QStringLiteral("Data/button_stop.gif"))));

        // The same key from the button stops it again.
        QTest::keyClick(&window.Command1(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(window.Logic().Running, 0);
        QVERIFY(!window.Timer1().Enabled());
        QCOMPARE(Focused(), &window.txtMM());
    }

    void spaceClicksTheFocusedButton() {
        AppFolder folder;
        folder.CopyDataFiles();
        folder.Write(QStringLiteral("Data/TimerSet.txt"), "1,0\r\n");
        FormTimerWindow window;
        QVERIFY(LoadAndActivate(window));
        window.Command1().setFocus(Qt::TabFocusReason);
        QTest::keyClick(&window.Command1(), Qt::Key_Space);
        QCOMPARE(window.Logic().Running, 1);
        QCOMPARE(folder.Read(QStringLiteral("Data/TimerSet.txt")), QByteArray("1,0\r\n"));
    }

    void spaceInAFieldIsJustTyped() {
        AppFolder folder;
        FormTimerWindow window;
        QVERIFY(LoadAndActivate(window));
        QTest::keyClick(&window.txtMM(), Qt::Key_Space);
        QCOMPARE(window.Logic().Running, 0);
        QCOMPARE(window.txtMM().text(), QStringLiteral(" "));
    }

    void rejectedSettingPointsAtTheFieldWithItsTextSelected() {
        AppFolder folder;
        FormTimerWindow window;
        QVERIFY(LoadAndActivate(window));
        MessageBoxWatcher boxes;
        window.txtSS().setFocus(Qt::TabFocusReason);
        QTest::keyClicks(&window.txtSS(), QStringLiteral("1000"));
        QTest::keyClick(&window.txtSS(), Qt::Key_Return);
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Shown().first().text, QStringLiteral("秒の設定は1～999です。"));
        QCOMPARE(boxes.Shown().first().icon, QMessageBox::Information);
        QTRY_COMPARE(Focused(), &window.txtSS());
        QCOMPARE(window.txtSS().selectedText(), QStringLiteral("00"));
    }

    void tabWalksTheControlsAndSelectsEachFieldsText() {
        AppFolder folder;
        folder.Write(QStringLiteral("Data/TimerSet.txt"), "12,34\r\n");
        FormTimerWindow window;
        QVERIFY(LoadAndActivate(window));
        QTRY_COMPARE(Focused(), &window.txtMM());
        QCOMPARE(window.txtMM().selectedText(), QStringLiteral("12"));
        const QList<QWidget*> walk = {&window.txtSS(),    &window.Command1(), &window.txtMM(),
                                      &window.Command1(), &window.txtSS(),    &window.txtMM()};
        for (int step = 0; step < walk.size(); ++step) {
            // Each time with the caret placed inside the field being left.
            if (auto* field = qobject_cast<EntryField*>(Focused())) field->setCursorPosition(1);
            const bool back = step >= 3;
            QTest::keyClick(Focused(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                            back ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(Focused(), walk[step]);
            if (auto* field = qobject_cast<EntryField*>(walk[step])) {
                QCOMPARE(field->selectedText(), field->text());
            }
        }
    }

    void fieldSelectsItsWholeTextWhenClicked() {
        AppFolder folder;
        folder.Write(QStringLiteral("Data/TimerSet.txt"), "12,34\r\n");
        FormTimerWindow window;
        QVERIFY(LoadAndActivate(window));
        for (EntryField* target : {&window.txtMM(), &window.txtSS()}) {
            window.Command1().setFocus(Qt::OtherFocusReason);
            // A click in the middle of the text, where the caret would go.
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(target->width() / 2, 10));
            QCOMPARE(Focused(), target);
            QTRY_COMPARE(target->selectedText(), target->text());
            QCOMPARE(target->text().size(), 2);
            // A second click in a field that has the focus places the caret.
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(target->width() / 2, 10));
            QTest::qWait(20);
            QVERIFY(!target->hasSelectedText());
        }
    }

    void fieldKeepsItsCaretWhenTheWindowComesBack() {
        AppFolder folder;
        folder.Write(QStringLiteral("Data/TimerSet.txt"), "12,34\r\n");
        FormTimerWindow window;
        QVERIFY(LoadAndActivate(window));
        QTRY_COMPARE(Focused(), &window.txtMM());
        window.txtMM().setCursorPosition(1);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(!window.txtMM().hasSelectedText());
        QCOMPARE(window.txtMM().cursorPosition(), 1);
    }

    void inputMethodIsOffInBothFields() {
        AppFolder folder;
        FormTimerWindow window;
        QVERIFY(LoadAndActivate(window));
        for (EntryField* target : {&window.txtMM(), &window.txtSS()}) {
            target->setFocus(Qt::TabFocusReason);
            QVERIFY(!target->testAttribute(Qt::WA_InputMethodEnabled));
            QVERIFY(target->inputMethodHints().testFlag(Qt::ImhLatinOnly));
            QVERIFY(target->inputMethodHints().testFlag(Qt::ImhPreferNumbers));
            // What an input method asks the focused field: is input enabled?
            QInputMethodQueryEvent query(Qt::ImEnabled);
            QApplication::sendEvent(target, &query);
            QVERIFY(!query.value(Qt::ImEnabled).toBool());
            // Keys still go in as typed.
            target->clear();
            QTest::keyClicks(target, QStringLiteral("42"));
            QCOMPARE(target->text(), QStringLiteral("42"));
        }
    }
};

QTEST_MAIN(KeyboardFocusTest)
#include "KeyboardFocusTest.moc"
