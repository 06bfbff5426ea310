#pragma once
// What the widget tests share: a program folder of their own, the window
// loaded and active as a user finds it, its pixels, and message boxes read
// and dismissed.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "core/App.h"
#include "qt/FormTimerWindow.h"

namespace kelvora::test {

// The folder of the project's committed resources.
inline QString ResourcesFolder() { return QStringLiteral(KELVORA_RESOURCES_DIR); }

// A fresh folder that the program takes for its executable's folder, with the
// profile file named Kelvora.ini. Removed afterwards.
class AppFolder {
  public:
    AppFolder() {
        core::App().Path = folder_.path().toStdString();
        core::App().EXEName = "Kelvora";
    }
    QString Path(const QString& relative = {}) const {
        return relative.isEmpty() ? folder_.path() : folder_.filePath(relative);
    }
    // Data/ with the three files the build puts beside the executable.
    void CopyDataFiles() const {
        QDir(folder_.path()).mkpath(QStringLiteral("Data"));
        for (const char* name : {"notify.wav", "button_go.gif", "button_stop.gif"}) {
            QFile::copy(ResourcesFolder() + QStringLiteral("/data/") + QLatin1String(name),
                        Path(QStringLiteral("Data/") + QLatin1String(name)));
        }
    }
    void Write(const QString& relative, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        QFile file(Path(relative));
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    }
    QByteArray Read(const QString& relative) const {
        QFile file(Path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

  private:
    QTemporaryDir folder_;
};

struct ShownMessage {
    QString text;
    QString title;
    QMessageBox::Icon icon;
};

// Reads and dismisses every modal message box that opens while it lives, as
// a user pressing OK would.
class MessageBoxWatcher {
  public:
    MessageBoxWatcher() {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            shown_.append({box->text(), box->windowTitle(), box->icon()});
            box->button(QMessageBox::Ok)->click();
        });
        poll_.start(5);
    }
    const QList<ShownMessage>& Shown() const { return shown_; }

  private:
    QTimer poll_;
    QList<ShownMessage> shown_;
};

// Raises the load event, shows the window as the program does, and waits
// until it is the active window, so that keys and focus behave as for a user.
inline bool LoadAndActivate(qt::FormTimerWindow& window) {
    window.Load();
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// The window as it is on screen, one image pixel per logical pixel.
inline QImage Snapshot(qt::FormTimerWindow& window) {
    QImage image = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image.scaled(window.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// The pixels of the area that have exactly this colour.
inline int CountColour(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++count;
        }
    }
    return count;
}

// A profile file's placement section as the program writes it.
inline QByteArray Profile(int left, int right, int top, int bottom, int showCmd) {
    return "[WinPos]\r\nLeft=" + QByteArray::number(left) +
           "\r\nRight=" + QByteArray::number(right) + "\r\nTop=" + QByteArray::number(top) +
           "\r\nBottom=" + QByteArray::number(bottom) +
           "\r\nshowCmd=" + QByteArray::number(showCmd) + "\r\n";
}

}  // namespace kelvora::test
