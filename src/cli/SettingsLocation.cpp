#include "cli/SettingsLocation.h"

#include "base/ExecutablePath.h"
#include "settings/MappingRecord.h"

#include <QFileInfo>

#include <unistd.h>

namespace tarvix::cli {

QString DefaultSettingsFile()
{
    const QString folder = QFileInfo(ExecutablePath()).absolutePath();
    // Root can write the program folder, but a file there would sit inside the package.
    const QString installed = QFileInfo(QStringLiteral(TARVIX_INSTALLED_PROGRAM_DIR)).canonicalFilePath();
    if (::geteuid() == 0 && !installed.isEmpty() && QFileInfo(folder).canonicalFilePath() == installed)
        return QStringLiteral(TARVIX_SYSTEM_SETTINGS_FILE);
    // Our own name would give tarvix-relay.ini; the file to share is the desktop program's.
    return SettingsFilePathFor(folder + QStringLiteral("/tarvix"), false);
}

} // namespace tarvix::cli
