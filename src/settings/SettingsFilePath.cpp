#include "settings/MappingRecord.h"

#include "base/ExecutablePath.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarvix {

QString SettingsFilePathFor(const QString& executablePath, bool makeFolder)
{
    const QString beside =
        PathWithExtension(executablePath.isEmpty() ? QStringLiteral("tarvix") : executablePath, QStringLiteral("ini"));
    const QFileInfo file(beside);
    if (!executablePath.isEmpty() && (file.exists() || QFileInfo(file.absolutePath()).isWritable()))
        return beside;
    // An installation the user cannot write: never try to save into it.
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/tarvix");
    if (makeFolder)
        QDir().mkpath(folder); // a failure shows as the file error of the first save
    return folder + u'/' + file.fileName();
}

QString SettingsFilePath()
{
    return SettingsFilePathFor(ExecutablePath());
}

} // namespace tarvix
