// The caret rests after a while without input and blinks again with the next.

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "qt/CaretBlink.h"

using kelvora::qt::CaretBlink;
using namespace std::chrono_literals;

class CaretBlinkTest : public QObject {
    Q_OBJECT

  private slots:
    void caretRestsWhenIdleAndBlinksAgainOnInput_data() {
        QTest::addColumn<int>("input");
        QTest::newRow("key") << 0;
        QTest::newRow("mouse") << 1;
    }
    void caretRestsWhenIdleAndBlinksAgainOnInput() {
        QFETCH(int, input);
        const int flashTime = QApplication::cursorFlashTime();
        QVERIFY(flashTime > 0);
        QLineEdit field;
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        {
            CaretBlink caret(50ms);
            QVERIFY(caret.Blinking());
            QTRY_VERIFY(!caret.Blinking());
            QCOMPARE(QApplication::cursorFlashTime(), 0);

            if (input == 0) {
                QTest::keyClick(&field, Qt::Key_5);
            } else {
                QTest::mouseClick(&field, Qt::LeftButton);
            }
            QVERIFY(caret.Blinking());
            QCOMPARE(QApplication::cursorFlashTime(), flashTime);
            QTRY_VERIFY(!caret.Blinking());
        }
        // Gone, it leaves the desktop's flash time as it found it.
        QCOMPARE(QApplication::cursorFlashTime(), flashTime);
    }
};

QTEST_MAIN(CaretBlinkTest)
#include "CaretBlinkTest.moc"
