#include "AppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/App.h"

namespace kelvora::test {

AppFolder::AppFolder() {
    core::App().Path = folder_.path().toStdString();
    core::App().EXEName = "Kelvora";
}

QString AppFolder::Path(const QString& relative) const {
    return relative.isEmpty() ? folder_.path() : folder_.filePath(relative);
}

void AppFolder::CopyDataFiles() const {
    QDir(folder_.path()).mkpath(QStringLiteral("Data"));
    for (const QString& name : {QStringLiteral("notify.wav"), QStringLiteral("button_go.gif"),
                                QStringLiteral("button_stop.gif")}) {
        QFile::copy(ResourcesFolder() + QStringLiteral("/data/") + name,
                    Path(QStringLiteral("Data/") + name));
    }
}

void AppFolder::Write(const QString& relative, const QByteArray& bytes) const {
    QDir().mkpath(QFileInfo(Path(relative)).path());
    QFile file(Path(relative));
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

QByteArray AppFolder::Read(const QString& relative) const {
    QFile file(Path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString ResourcesFolder() { return QStringLiteral(KELVORA_RESOURCES_DIR); }

}  // namespace kelvora::test
