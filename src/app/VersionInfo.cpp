#include "app/VersionInfo.h"

#include <QFile>

namespace tarvix {
namespace {

// The record starts with this tag, then holds key NUL value NUL pairs and ends with an empty key.
// The tag is assembled at run time so that this file's own code does not carry it.
QByteArray RecordTag()
{
    QByteArray tag("\x7fTXVERSIONINF");
    tag.append('O').append('\x01');
    return tag;
}

} // namespace

QString GetVersionInfoValue(const QString& fileName, const QString& key)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Executables are small: read it whole rather than map it.
    const QByteArray data = file.readAll();
    const QByteArray tag = RecordTag();
    const qsizetype start = data.indexOf(tag);
    if (start < 0)
        return {};
    const QByteArray wanted = key.toUtf8();
    qsizetype pos = start + tag.size();
    while (pos < data.size()) {
        const qsizetype keyEnd = data.indexOf('\0', pos);
        if (keyEnd <= pos)
            break; // the empty key ends the record
        const qsizetype valueEnd = data.indexOf('\0', keyEnd + 1);
        if (valueEnd < 0)
            break;
        if (data.sliced(pos, keyEnd - pos) == wanted)
            return QString::fromUtf8(data.sliced(keyEnd + 1, valueEnd - keyEnd - 1));
        pos = valueEnd + 1;
    }
    return {};
}

} // namespace tarvix
