#pragma once
// A mapping as one section of the settings file: its keys, their defaults and the order they are written in.
#include "settings/IniFileEx.h"

#include <QLatin1StringView>
#include <QString>

namespace tarvix {

namespace record {
inline constexpr QLatin1StringView kName{"Name"};
inline constexpr QLatin1StringView kLocalPort{"LocalPort"};
inline constexpr QLatin1StringView kAddress{"Address"};
inline constexpr QLatin1StringView kPort{"Port"};
inline constexpr QLatin1StringView kAutoStart{"AutoStart"};
// Optional: where the mapping listens (an IPv4 or IPv6 literal; empty: every IPv4 interface) and which
// clients it admits (comma-separated addresses and CIDR networks; empty: everyone).
inline constexpr QLatin1StringView kListenAddress{"ListenAddress"};
inline constexpr QLatin1StringView kAllowFrom{"AllowFrom"};

inline constexpr int kDefaultLocalPort = 1024;
inline constexpr int kDefaultPort = 80;
inline constexpr bool kDefaultAutoStart = false;

// Section ids drawn for new records: 0..kMaxDrawnId.
inline constexpr int kMaxDrawnId = 65534;
} // namespace record

struct MappingRecord {
    QString name;
    int localPort = record::kDefaultLocalPort;
    QString address;
    int port = record::kDefaultPort;
    bool autoStart = record::kDefaultAutoStart;
    QString listenAddress;
    QString allowFrom;

    bool operator==(const MappingRecord&) const = default;
};

// A missing section or key reads as its default; creates nothing. Raises EConvertError for a stored port
// or flag that is not an integer.
MappingRecord ReadMappingRecord(const TIniFileEx& ini, const QString& section);
// One key of a record with its default, for readers that need only that key (and must not fail on the others).
QString ReadRecordName(const TIniFileEx& ini, const QString& section);
int ReadRecordLocalPort(const TIniFileEx& ini, const QString& section);
QString ReadRecordAddress(const TIniFileEx& ini, const QString& section);
int ReadRecordPort(const TIniFileEx& ini, const QString& section);
bool ReadRecordAutoStart(const TIniFileEx& ini, const QString& section);
QString ReadRecordListenAddress(const TIniFileEx& ini, const QString& section);
QString ReadRecordAllowFrom(const TIniFileEx& ini, const QString& section);

// The keys, in the order Name, LocalPort, Address, Port, AutoStart, ListenAddress, AllowFrom. An empty
// name, address, listen address or allow-list leaves no line for it (a file without them stays as it was).
void WriteMappingRecord(TIniFileEx& ini, const QString& section, const MappingRecord& record);

// The decimal text of a random number 0..65534 that names no section of the store.
QString NewSectionId(const TIniFileEx& ini);

// Where the settings are kept: the executable's path with the extension ".ini" when a settings file
// already sits beside the executable or its folder can be written; otherwise that file name in the user's
// configuration folder (created when missing), "$XDG_CONFIG_HOME/tarvix/", by default "~/.config/tarvix/".
QString SettingsFilePath();
// The same rule for a given executable path; a reader that never saves passes makeFolder false, so that
// looking the path up creates nothing.
QString SettingsFilePathFor(const QString& executablePath, bool makeFolder = true);

} // namespace tarvix
