#include "cli/SettingsLocation.h"

#include "base/ExecutablePath.h"
#include "settings/MappingRecord.h"

#include <QFileInfo>

namespace tarvix::cli {

QString DefaultSettingsFile()
{
    // Our own name would give tarvix-relay.ini; the file to share is the desktop program's.
    const QString folder = QFileInfo(ExecutablePath()).absolutePath();
    return SettingsFilePathFor(folder + QStringLiteral("/tarvix"));
}

} // namespace tarvix::cli
