// Settings store with 10,000 mappings: Load, Save and the reads the program makes at start-up.
// Prints each figure in milliseconds (median of several runs); the target is 200 ms each.
#include "settings/IniFileEx.h"
#include "settings/MappingRecord.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace tarvix;

namespace {

constexpr int kMappings = 10000;
constexpr int kRuns = 7;
constexpr double kTargetMs = 200.0;

double MedianMs(const std::function<void()>& prepare, const std::function<void()>& measured)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        measured();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Print(const char* what, double ms)
{
    std::printf("  %-50s %8.2f ms  (target < %.0f ms)%s\n", what, ms, kTargetMs, ms < kTargetMs ? "" : "  SLOW");
}

std::unique_ptr<TIniFileEx> OpenUnsorted(const QString& path)
{
    auto ini = std::make_unique<TIniFileEx>();
    ini->SetSorted(false);
    ini->SetFileName(path);
    ini->Load();
    return ini;
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tarvix.ini");
    {
        TIniFileEx ini;
        ini.SetSorted(false);
        ini.SetFileName(path);
        for (int i = 0; i < kMappings; ++i)
            WriteMappingRecord(ini, NewSectionId(ini),
                               {QStringLiteral("Mapping %1").arg(i), 1024 + i % 60000, QStringLiteral("host%1.example.org").arg(i),
                                80 + i % 1000, i % 3 == 0});
        ini.Save();
    }
    std::printf("settings store, %d mappings, %lld bytes\n", kMappings, static_cast<long long>(QFileInfo(path).size()));

    std::unique_ptr<TIniFileEx> ini;
    Print("Load", MedianMs([&] { ini.reset(); }, [&] { ini = OpenUnsorted(path); }));

    long long sink = 0;
    Print("start-up reads (LocalPort, Name; then AutoStart)", MedianMs([] {}, [&] {
              const QStringList sections = ini->Sections();
              for (const QString& section : sections) {
                  sink += ini->ReadInteger(section, record::kLocalPort, record::kDefaultLocalPort);
                  sink += ini->ReadString(section, record::kName, QString()).size();
              }
              for (const QString& section : ini->Sections())
                  sink += ini->ReadBool(section, record::kAutoStart, record::kDefaultAutoStart);
          }));

    int edit = 0;
    Print("Save after one edit", MedianMs([&] { ini->WriteInteger(ini->SectionName(0), record::kPort, ++edit); },
                                          [&] { ini->Save(); }));

    Print("Load sorted", MedianMs([&] { ini.reset(); }, [&] { ini = std::make_unique<TIniFileEx>(path); }));
    std::printf("  (checksum %lld)\n", sink);
    return 0;
}
