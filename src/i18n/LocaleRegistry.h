#pragma once
// Where the language choice of each copy of the program is kept: one text value per executable, named by the
// executable's full path, in a per-user file and (read-only for us) a machine-wide one.
#include "base/Exceptions.h"

#include <QString>

#include <optional>

namespace tarvix {

// A language value that cannot be read as a text, or cannot be written.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

class TLocaleRegistry {
public:
    // The user's file in $XDG_CONFIG_HOME (default ~/.config) and the machine-wide file under /etc/xdg.
    TLocaleRegistry();
    // Other files, for a test or a portable setup.
    TLocaleRegistry(QString userFile, QString machineFile);

    static QString DefaultUserFile();
    static QString DefaultMachineFile();

    const QString& UserFile() const { return userFile_; }
    const QString& MachineFile() const { return machineFile_; }

    // The start-up read: the first file that exists (the user's, else the machine's) and only that one; its
    // value for the executable, else its default value. Nothing when neither is there or the value is no text.
    std::optional<QString> StoredCode(const QString& executablePath) const;

    // The user's value for the executable, nothing when the file or the value is missing.
    // Throws ERegistryException (the "wrong data type" text) when the value is not a single text.
    std::optional<QString> UserValue(const QString& executablePath) const;

    // Writes the user's value, creating the file and its folder when missing.
    // Throws ERegistryException (the "could not set data" text) when it cannot be written.
    void WriteUserValue(const QString& executablePath, const QString& code) const;

private:
    QString userFile_;
    QString machineFile_;
};

} // namespace tarvix
