// The window's life: a load that fails, a close that saves the placement and
// ends the program, an error that nobody catches, message boxes, the timer,
// and a whole short countdown up to the alarm.

#include <QSignalSpy>
#include <limits>

#include "Fixture.h"
#include "core/RuntimeError.h"
#include "core/UncaughtError.h"
#include "qt/EntryField.h"
#include "qt/MessageBoxes.h"

using kelvora::qt::FormTimerWindow;
using namespace kelvora::test;
namespace core = kelvora::core;

class LifecycleTest : public QObject {
    Q_OBJECT

  private slots:
    void failedLoadShowsTheErrorAndMarksTheCaption() {
        AppFolder folder;
        folder.Write(QStringLiteral("Data/Kelvora.ini"), "[WinPos]\r\nLeft=abc\r\n");
        folder.Write(QStringLiteral("Data/TimerSet.txt"), "7,7\r\n");
        MessageBoxWatcher boxes;
        FormTimerWindow window;
        window.Load();
        QCOMPARE(window.windowTitle(), QStringLiteral("****フォームの初期処理エラー****"));
        QCOMPARE(boxes.Shown().size(), 1);
        const ShownMessage& box = boxes.Shown().first();
        QCOMPARE(box.text, QString::fromStdString(core::ErrorDescription(core::kTypeMismatch)));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.title, QStringLiteral("Kelvora"));
        // The setting was never read; the program goes on.
        QCOMPARE(window.txtMM().text(), QStringLiteral("000"));
        QCOMPARE(window.txtSS().text(), QStringLiteral("00"));
        QVERIFY(!window.Ended());
    }

    void closingSavesThePlacementAndEndsTheProgram() {
        AppFolder folder;
        FormTimerWindow window;
        QSignalSpy ended(&window, &FormTimerWindow::programEnded);
        QVERIFY(LoadAndActivate(window));
        window.move(120, 60);
        QTRY_COMPARE(window.frameGeometry().topLeft(), QPoint(120, 60));
        const qreal scale = window.devicePixelRatio();
        const int width = qRound(window.frameGeometry().width() * scale);
        const int height = qRound(window.frameGeometry().height() * scale);
        QVERIFY(window.close());
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.first().first().toInt(), 0);
        QVERIFY(window.Ended());
        const int left = qRound(120 * scale);
        const int top = qRound(60 * scale);
        QCOMPARE(folder.Read(QStringLiteral("Data/Kelvora.ini")),
                 Profile(left, left + width, top, top + height, 1));
        // Closed is closed: nothing reaches the form any more.
        window.Unload();
        QCOMPARE(ended.size(), 1);
    }

    void uncaughtErrorIsReportedAndEndsTheProgram() {
        AppFolder folder;
        FormTimerWindow window;
        QVERIFY(LoadAndActivate(window));
        MessageBoxWatcher boxes;
        QSignalSpy ended(&window, &FormTimerWindow::programEnded);
        // The next tick's count overflows, inside a handler with no handler.
        window.Logic().TotalSeconds = 5;
        window.Logic().ElapsedSeconds = std::numeric_limits<std::int32_t>::max();
        window.Timer1().Ticks().setInterval(1);
        window.Timer1().SetEnabled(true);
        QTRY_COMPARE(ended.size(), 1);
        QCOMPARE(ended.first().first().toInt(), 1);
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Shown().first().icon, QMessageBox::Critical);
        QCOMPARE(boxes.Shown().first().text,
                 QString::fromStdString(core::UncaughtErrorText(
                     core::kOverflow, core::ErrorDescription(core::kOverflow))));
        QVERIFY(!window.Timer1().Enabled());
        // An ended program does not save its placement.
        window.close();
        QVERIFY(folder.Read(QStringLiteral("Data/Kelvora.ini")).isEmpty());
    }

    void messageBoxStyleChoosesTheIcon_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("title");
        QTest::newRow("0 OK only") << 0 << int(QMessageBox::NoIcon) << QStringLiteral("Kelvora");
        QTest::newRow("16 critical")
            << 16 << int(QMessageBox::Critical) << QStringLiteral("Kelvora");
        QTest::newRow("48 exclamation")
            << 48 << int(QMessageBox::Warning) << QStringLiteral("設定ファイル読込み");
        QTest::newRow("64 information")
            << 64 << int(QMessageBox::Information) << QStringLiteral("Kelvora");
    }
    void messageBoxStyleChoosesTheIcon() {
        QFETCH(int, style);
        QFETCH(int, icon);
        QFETCH(QString, title);
        QWidget owner;
        kelvora::qt::MessageBoxes messages(&owner);
        MessageBoxWatcher boxes;
        // An empty title is the application's title.
        messages.Show("分・秒の設定は1～999です。", style,
                      title == QStringLiteral("Kelvora") ? std::string() : title.toStdString());
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Shown().first().text, QStringLiteral("分・秒の設定は1～999です。"));
        QCOMPARE(int(boxes.Shown().first().icon), icon);
        QCOMPARE(boxes.Shown().first().title, title);
    }

    void countdownRunsToTheAlarmAndCloses() {
        qputenv("SDL_AUDIODRIVER", "dummy");
        AppFolder folder;
        folder.CopyDataFiles();
        folder.Write(QStringLiteral("Data/TimerSet.txt"), "0,2\r\n");
        FormTimerWindow window;
        QSignalSpy ended(&window, &FormTimerWindow::programEnded);
        QVERIFY(LoadAndActivate(window));
        QTest::keyClick(&window.txtMM(), Qt::Key_Return);
        QTRY_COMPARE(window.txtSS().text(), QStringLiteral("01"));
        QCOMPARE(window.txtMM().text(), QStringLiteral("00"));
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 15000);
        QCOMPARE(ended.first().first().toInt(), 0);
        QCOMPARE(window.txtSS().text(), QStringLiteral("00"));
        QVERIFY(!window.isVisible());
        QVERIFY(folder.Read(QStringLiteral("Data/Kelvora.ini")).contains("showCmd=1"));
    }
};

QTEST_MAIN(LifecycleTest)
#include "LifecycleTest.moc"
