// libFuzzer target: any file loads, and what it saves reloads to the same store and saves to the same bytes.
#include "settings/IniFileEx.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Sections as written: trailing empty lines and sections left empty are no part of the file.
std::vector<std::pair<QString, QByteArrayList>> Written(const tarvix::TIniFileEx& ini)
{
    std::vector<std::pair<QString, QByteArrayList>> sections;
    for (int i = 0; i < ini.SectionCount(); ++i) {
        QByteArrayList lines = ini.SectionRawLines(i);
        while (!lines.isEmpty() && lines.constLast().isEmpty())
            lines.removeLast();
        if (!lines.isEmpty())
            sections.emplace_back(ini.SectionName(i), lines);
    }
    return sections;
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString in = dir.filePath("in.ini"), out1 = dir.filePath("out1.ini"), out2 = dir.filePath("out2.ini");
    {
        QFile file(in);
        Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    tarvix::TIniFileEx first;
    first.SetSorted(false);
    first.SetFileName(in);
    first.Load();
    first.SetFileName(out1);
    Check(first.Save());

    tarvix::TIniFileEx second;
    second.SetSorted(false);
    second.SetFileName(out1);
    second.Load();
    Check(Written(first) == Written(second));
    second.SetFileName(out2);
    Check(second.Save());
    Check(Bytes(out1) == Bytes(out2));
    return 0;
}
