#include "cli/MappingSelection.h"

#include "cli/CliError.h"
#include "cli/Console.h"
#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "relay/NetAddress.h"
#include "relay/NetExceptions.h"
#include "settings/IniFileEx.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace tarvix::cli {

std::unique_ptr<TIniFileEx> LoadSettings(const QString& path)
{
    const std::string name = path.toStdString();
    // The store takes a missing file for an empty one; here it is a mistake worth saying.
    if (!QFileInfo::exists(path))
        throw ECliError(ExitSettingsFile, FormatRes(msg::CliFileError, {name, LoadResString(msg::FileNotFound)}));
    auto ini = std::make_unique<TIniFileEx>();
    ini->SetSorted(false);
    ini->SetFileName(path);
    try {
        ini->Load();
    } catch (const EInOutError& e) {
        throw ECliError(ExitSettingsFile, FormatRes(msg::CliFileError, {name, e.Message()}));
    }
    return ini;
}

namespace {

// Where it listens and whom it admits: refused before anything starts, naming the key and its value.
void CheckListenKeys(const std::string& file, const QString& section, const MappingRecord& r)
{
    if (!r.listenAddress.isEmpty() && AddressFamilyOf(r.listenAddress.toStdString()) == 0)
        throw ECliError(ExitBadValue,
                        FormatRes(msg::CliBadListenAddress, {file, Shown(section), Shown(r.listenAddress)}));
    try {
        TNetAllowList::Parse(r.allowFrom.toStdString());
    } catch (const ENetBadAddress& e) {
        throw ECliError(ExitBadValue,
                        FormatRes(msg::CliBadAllowFrom, {file, Shown(section), Shown(r.allowFrom), e.Message()}));
    }
}

} // namespace

std::vector<PlannedMapping> SelectMappings(const TIniFileEx& ini, const RelayOptions& options)
{
    const std::string file = ini.FileName().toStdString();
    std::vector<PlannedMapping> records;
    for (const QString& section : ini.Sections()) {
        try {
            records.push_back({section, ReadMappingRecord(ini, section)});
        } catch (const EConvertError& e) {
            // The message quotes the stored text, which may be anything: only its first 200 characters.
            throw ECliError(ExitBadValue, FormatRes(msg::CliBadValue, {file, Shown(section),
                                                                       Shown(QString::fromStdString(e.Message()))}));
        }
        // Checked before anything starts, so the message names the file, section and key; a local port 0
        // would listen on whatever port the system picks, which no client could know.
        const MappingRecord& r = records.back().record;
        for (const auto& [key, value] :
             {std::pair{record::kLocalPort, r.localPort}, std::pair{record::kPort, r.port}}) {
            if (value < 1 || value > 65535)
                throw ECliError(ExitBadValue,
                                FormatRes(msg::CliBadPort, {file, Shown(section), QString(key).toStdString(), value}));
        }
        CheckListenKeys(file, section, r);
    }

    for (const QString& name : options.mappings) {
        const bool known =
            std::any_of(records.begin(), records.end(), [&](const PlannedMapping& m) { return m.record.name == name; });
        if (!known)
            throw ECliError(ExitUnknownMapping, FormatRes(msg::CliUnknownMapping, {Shown(name), file}));
    }

    std::vector<PlannedMapping> selected;
    for (PlannedMapping& m : records) {
        const bool wanted = !options.mappings.isEmpty() ? options.mappings.contains(m.record.name)
                            : options.all               ? true
                                                        : m.record.autoStart;
        if (wanted)
            selected.push_back(std::move(m));
    }
    return selected;
}

std::vector<PlannedMapping> CommandLineMappings(const RelayOptions& options)
{
    std::vector<PlannedMapping> planned;
    for (const MappingRecord& r : options.commandLine)
        planned.push_back({QString(), r});
    return planned;
}

} // namespace tarvix::cli
