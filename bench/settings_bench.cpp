// Settings store with 10,000 mappings: Load, Save and the reads the program makes at start-up.
// Prints each figure in milliseconds (median of several runs); the target is 200 ms each.
#include "settings/IniFileEx.h"
#include "settings/MappingRecord.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace tarvix;

namespace {

constexpr int kMappings = 10000;
constexpr int kRuns = 7;
constexpr double kTargetMs = 200.0;

double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Medians of the elapsed and of the processor time, in ms; the processor time tells a busy machine apart.
struct Figures {
    double wall;
    double cpu;
};

Figures Median(const std::function<void()>& prepare, const std::function<void()>& measured)
{
    std::vector<double> walls, cpus;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        QElapsedTimer timer;
        const double cpu = ThreadCpuMs();
        timer.start();
        measured();
        walls.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpus.push_back(ThreadCpuMs() - cpu);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

void Print(const char* what, Figures f)
{
    std::printf("  %-50s %8.2f ms  (cpu %6.2f ms; target < %.0f ms)%s\n", what, f.wall, f.cpu, kTargetMs,
                f.wall < kTargetMs ? "" : "  SLOW");
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
                               {QStringLiteral("Mapping %1").arg(i), 1024 + i % 60000,
                                QStringLiteral("host%1.example.org").arg(i), 80 + i % 1000, i % 3 == 0});
        ini.Save();
    }
    std::printf("settings store, %d mappings, %lld bytes\n", kMappings, static_cast<long long>(QFileInfo(path).size()));

    std::unique_ptr<TIniFileEx> ini;
    Print("Load", Median([&] { ini.reset(); }, [&] { ini = OpenUnsorted(path); }));

    long long sink = 0;
    Print("start-up reads (LocalPort, Name; then AutoStart)",
          Median([] {},
                 [&] {
                     const QStringList sections = ini->Sections();
                     for (const QString& section : sections) {
                         sink += ini->ReadInteger(section, record::kLocalPort, record::kDefaultLocalPort);
                         sink += ini->ReadString(section, record::kName, QString()).size();
                     }
                     for (const QString& section : ini->Sections())
                         sink += ini->ReadBool(section, record::kAutoStart, record::kDefaultAutoStart);
                 }));

    int edit = 0;
    Print("Save after one edit",
          Median([&] { ini->WriteInteger(ini->SectionName(0), record::kPort, ++edit); }, [&] { ini->Save(); }));

    Print("Load sorted", Median([&] { ini.reset(); }, [&] { ini = std::make_unique<TIniFileEx>(path); }));
    std::printf("  (checksum %lld)\n", sink);
    return 0;
}
