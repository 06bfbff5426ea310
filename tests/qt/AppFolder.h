#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace kelvora::test {

// A fresh folder that the program takes for its executable's folder, with the
// profile file named Kelvora.ini. Removed afterwards.
class AppFolder {
  public:
    AppFolder();
    AppFolder(const AppFolder&) = delete;
    AppFolder& operator=(const AppFolder&) = delete;

    QString Path(const QString& relative = {}) const;
    // Data/ with the three files the build puts beside the executable.
    void CopyDataFiles() const;
    void Write(const QString& relative, const QByteArray& bytes) const;
    QByteArray Read(const QString& relative) const;

  private:
    QTemporaryDir folder_;
};

// The folder of the project's committed resources.
QString ResourcesFolder();

}  // namespace kelvora::test
