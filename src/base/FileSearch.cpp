#include "base/FileSearch.h"

#include <QDir>
#include <QFileInfo>

namespace tarvix {

QString ExistingFileIgnoringCase(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (info.isFile())
        return info.absoluteFilePath();
    const QDir folder = info.absoluteDir();
    const QString name = info.fileName();
    const QStringList candidates = folder.entryList(QDir::Files | QDir::Hidden);
    for (const QString& candidate : candidates)
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return folder.absoluteFilePath(candidate);
    return {};
}

} // namespace tarvix
