#pragma once
// Real files in a fresh temporary folder, removed with everything in it when the folder object goes.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace tarvix::test {

class TempFolder {
public:
    QString Path() const { return dir_.path(); }
    QString File(const QString& name) const { return dir_.filePath(name); }
    // Names of the folder's entries, sorted; to see that no temporary file was left behind.
    QStringList Entries() const;

private:
    QTemporaryDir dir_;
};

// The whole file; a test failure when it cannot be read.
QByteArray ReadBytes(const QString& path);
// Replaces the file, making its folder first; a test failure (and false) when it cannot.
bool WriteBytes(const QString& path, const QByteArray& bytes);

} // namespace tarvix::test
