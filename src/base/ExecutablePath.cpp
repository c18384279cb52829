#include "base/ExecutablePath.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace tarvix {

QString PathWithExtension(const QString& path, const QString& ext)
{
#ifdef Q_OS_WIN
    const qsizetype nameStart = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1;
#else
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
#endif
    const qsizetype dot = path.lastIndexOf(u'.');
    QString result = dot > nameStart ? path.left(dot) : path;
    if (!ext.isEmpty()) {
        if (!ext.startsWith(u'.'))
            result += u'.';
        result += ext;
    }
    return result;
}

QString ExecutablePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
#ifdef Q_OS_LINUX
    // Before the application object exists (or in a program without one).
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
#else
    return {};
#endif
}

QString ExecutablePathWithExtension(const QString& ext)
{
    const QString exe = ExecutablePath();
    return exe.isEmpty() ? QString() : PathWithExtension(exe, ext);
}

} // namespace tarvix
