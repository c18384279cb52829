#include "i18n/HelpFile.h"

#include "base/FileSearch.h"
#include "i18n/Format.h"

#include <QDir>
#include <QFileInfo>

namespace tarvix {

QString HelpFileName(const QString& languageCode)
{
    return QString::fromStdString(Format("TARVIX_%s.pdf", {languageCode.toStdString()}));
}

QString FindHelpFile(const QString& languageCode, const QString& executablePath, const QString& currentFolder)
{
    const QString name = HelpFileName(languageCode);
    // The code comes from a file the user can edit: it names a document, never a folder.
    if (name.contains(u'/') || name.contains(u'\\'))
        return {};
    QStringList folders;
    if (!executablePath.isEmpty())
        folders << QFileInfo(executablePath).absolutePath();
    if (!currentFolder.isEmpty())
        folders << currentFolder;
    for (const QString& folder : folders)
        if (QString found = ExistingFileIgnoringCase(QDir(folder).filePath(name)); !found.isEmpty())
            return found;
    return {};
}

} // namespace tarvix
