#pragma once
// Real files in a fresh temporary folder for each test.
#include <QByteArray>
#include <QString>
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

QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);

// While alive, the calling thread is held to file permissions even when it runs as root (the
// capabilities that bypass them are dropped from its effective set). Enforced() tells whether that worked
// or permissions bite anyway.
class PermissionsEnforced {
public:
    PermissionsEnforced();
    ~PermissionsEnforced();
    PermissionsEnforced(const PermissionsEnforced&) = delete;
    PermissionsEnforced& operator=(const PermissionsEnforced&) = delete;
    // Whether a folder without write permission refuses a new file for this thread.
    bool Enforced() const;

private:
    bool dropped_ = false;
    unsigned saved_[2] = {0, 0};
};

} // namespace tarvix::test
