#include "settings/MappingRecord.h"

#include <QRandomGenerator>

#include <vector>

namespace tarvix {

QString ReadRecordName(const TIniFileEx& ini, const QString& section)
{
    return ini.ReadString(section, record::kName, QString());
}

int ReadRecordLocalPort(const TIniFileEx& ini, const QString& section)
{
    return ini.ReadInteger(section, record::kLocalPort, record::kDefaultLocalPort);
}

QString ReadRecordAddress(const TIniFileEx& ini, const QString& section)
{
    return ini.ReadString(section, record::kAddress, QString());
}

int ReadRecordPort(const TIniFileEx& ini, const QString& section)
{
    return ini.ReadInteger(section, record::kPort, record::kDefaultPort);
}

bool ReadRecordAutoStart(const TIniFileEx& ini, const QString& section)
{
    return ini.ReadBool(section, record::kAutoStart, record::kDefaultAutoStart);
}

QString ReadRecordListenAddress(const TIniFileEx& ini, const QString& section)
{
    return ini.ReadString(section, record::kListenAddress, QString()).trimmed();
}

QString ReadRecordAllowFrom(const TIniFileEx& ini, const QString& section)
{
    return ini.ReadString(section, record::kAllowFrom, QString()).trimmed();
}

MappingRecord ReadMappingRecord(const TIniFileEx& ini, const QString& section)
{
    MappingRecord r;
    r.name = ReadRecordName(ini, section);
    r.localPort = ReadRecordLocalPort(ini, section);
    r.address = ReadRecordAddress(ini, section);
    r.port = ReadRecordPort(ini, section);
    r.autoStart = ReadRecordAutoStart(ini, section);
    r.listenAddress = ReadRecordListenAddress(ini, section);
    r.allowFrom = ReadRecordAllowFrom(ini, section);
    return r;
}

void WriteMappingRecord(TIniFileEx& ini, const QString& section, const MappingRecord& r)
{
    ini.WriteString(section, record::kName, r.name);
    ini.WriteInteger(section, record::kLocalPort, r.localPort);
    ini.WriteString(section, record::kAddress, r.address);
    ini.WriteInteger(section, record::kPort, r.port);
    ini.WriteBool(section, record::kAutoStart, r.autoStart);
    ini.WriteString(section, record::kListenAddress, r.listenAddress.trimmed());
    ini.WriteString(section, record::kAllowFrom, r.allowFrom.trimmed());
}

namespace {

QString ListenKey(const QString& address)
{
    const QString a = address.trimmed().toLower();
    return a.isEmpty() ? QStringLiteral("0.0.0.0") : a;
}

} // namespace

bool ListenersOverlap(const MappingRecord& a, const MappingRecord& b)
{
    if (a.localPort != b.localPort)
        return false;
    const QString x = ListenKey(a.listenAddress), y = ListenKey(b.listenAddress);
    if (x == y || x == u"::" || y == u"::")
        return true;
    const bool v4x = !x.contains(u':'), v4y = !y.contains(u':');
    return v4x && v4y && (x == u"0.0.0.0" || y == u"0.0.0.0");
}

QString NewSectionId(const TIniFileEx& ini)
{
    auto* random = QRandomGenerator::global();
    constexpr int kDraws = 64;
    for (int i = 0; i < kDraws; ++i) {
        const QString id = QString::number(random->bounded(record::kMaxDrawnId + 1));
        if (!ini.SectionExists(id))
            return id;
    }
    // Nearly every id is taken: draw among the free ones, or go past the range when there is none.
    std::vector<bool> taken(record::kMaxDrawnId + 1);
    for (const QString& name : ini.Sections()) {
        bool ok = false;
        const int n = name.toInt(&ok);
        if (ok && n >= 0 && n <= record::kMaxDrawnId && name == QString::number(n))
            taken[std::size_t(n)] = true;
    }
    std::vector<int> free;
    for (int n = 0; n <= record::kMaxDrawnId; ++n)
        if (!taken[std::size_t(n)])
            free.push_back(n);
    if (!free.empty())
        return QString::number(free[random->bounded(quint32(free.size()))]);
    for (int n = record::kMaxDrawnId + 1;; ++n)
        if (!ini.SectionExists(QString::number(n)))
            return QString::number(n);
}

} // namespace tarvix
