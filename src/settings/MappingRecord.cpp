#include "MappingRecord.h"

#include <QRandomGenerator>

namespace tarvix {

MappingRecord ReadMappingRecord(const TIniFileEx& ini, const QString& section)
{
    MappingRecord r;
    r.name = ini.ReadString(section, record::kName, QString());
    r.localPort = ini.ReadInteger(section, record::kLocalPort, record::kDefaultLocalPort);
    r.address = ini.ReadString(section, record::kAddress, QString());
    r.port = ini.ReadInteger(section, record::kPort, record::kDefaultPort);
    r.autoStart = ini.ReadBool(section, record::kAutoStart, record::kDefaultAutoStart);
    return r;
}

void WriteMappingRecord(TIniFileEx& ini, const QString& section, const MappingRecord& r)
{
    ini.WriteString(section, record::kName, r.name);
    ini.WriteInteger(section, record::kLocalPort, r.localPort);
    ini.WriteString(section, record::kAddress, r.address);
    ini.WriteInteger(section, record::kPort, r.port);
    ini.WriteBool(section, record::kAutoStart, r.autoStart);
}

QString NewSectionId(const TIniFileEx& ini)
{
    // Drawn again while taken. Should nearly every id be taken, a scan from the last draw finds a free one
    // (past the drawn range if need be), so this always ends.
    constexpr int kDraws = 64;
    auto* random = QRandomGenerator::global();
    int id = 0;
    for (int i = 0; i < kDraws; ++i) {
        id = int(random->bounded(record::kMaxDrawnId + 1));
        if (!ini.SectionExists(QString::number(id)))
            return QString::number(id);
    }
    for (int step = 1; step <= record::kMaxDrawnId; ++step) {
        const int next = (id + step) % (record::kMaxDrawnId + 1);
        if (!ini.SectionExists(QString::number(next)))
            return QString::number(next);
    }
    for (int next = record::kMaxDrawnId + 1;; ++next)
        if (!ini.SectionExists(QString::number(next)))
            return QString::number(next);
}

} // namespace tarvix
