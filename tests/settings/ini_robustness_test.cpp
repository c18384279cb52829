// Hostile and random files load without harm and survive a save and a reload unchanged.
#include "settings/IniFileEx.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>

using namespace tarvix;
using tarvix::test::ReadBytes;
using tarvix::test::TempFolder;
using tarvix::test::WriteBytes;

namespace {

// What a store holds as it would be written: sections with their lines, trailing empty lines and empty
// sections left out.
using Snapshot = std::vector<std::pair<QByteArray, QByteArrayList>>;

Snapshot TakeSnapshot(const TIniFileEx& ini)
{
    Snapshot snapshot;
    for (int i = 0; i < ini.SectionCount(); ++i) {
        QByteArrayList lines = ini.SectionRawLines(i);
        while (!lines.isEmpty() && lines.constLast().isEmpty())
            lines.removeLast();
        if (!lines.isEmpty())
            snapshot.emplace_back(ini.SectionName(i).toUtf8(), lines);
    }
    return snapshot;
}

std::unique_ptr<TIniFileEx> Open(const QString& path)
{
    auto ini = std::make_unique<TIniFileEx>();
    ini->SetSorted(false);
    ini->SetFileName(path);
    ini->Load();
    return ini;
}

// Loads the bytes, saves them elsewhere, reloads that; the two stores must hold the same, and a second
// save must write the same bytes again.
void ExpectStableRoundTrip(const TempFolder& dir, const QByteArray& bytes)
{
    WriteBytes(dir.File("in.ini"), bytes);
    auto first = Open(dir.File("in.ini"));
    first->SetFileName(dir.File("out1.ini"));
    ASSERT_TRUE(first->Save());
    auto second = Open(dir.File("out1.ini"));
    EXPECT_TRUE(TakeSnapshot(*first) == TakeSnapshot(*second));
    second->SetFileName(dir.File("out2.ini"));
    ASSERT_TRUE(second->Save());
    EXPECT_EQ(ReadBytes(dir.File("out1.ini")), ReadBytes(dir.File("out2.ini")));
}

} // namespace

TEST(IniFileRobustness, HostileFiles)
{
    TempFolder dir;
    const QByteArray cases[] = {
        QByteArray("[A]\0\r\nk\0=\0v\r\n\0[B]\r\n", 20),
        "\xEF\xBB\xBF[A]\r\nk=v\r\n",
        "\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0v\0", // UTF-16: outside the format
        "[A]\r\n[B]\r\n[C]\r\n[a]\r\n[]\r\n[\r\n",
        "=\r\n[=]\r\n=\r\n==\r\n=\r\n",
        "[A]\r\r\r\n\n\n\r[B]\r\nx=1",
        "\x1A[A]\r\nk=v\r\n",
        "[A]\r\n \r\n\t\r\n  \r\n",
        "",
    };
    for (const QByteArray& bytes : cases) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        ExpectStableRoundTrip(dir, bytes);
    }
}

TEST(IniFileRobustness, ByteOrderMarkDoesNotHideTheFirstSection)
{
    TempFolder dir;
    WriteBytes(dir.File("bom.ini"), "\xEF\xBB\xBF[1]\r\nName=Web\r\n");
    TIniFileEx ini(dir.File("bom.ini"));
    EXPECT_EQ(ini.ReadString("1", "Name", "-"), "Web");
}

TEST(IniFileRobustness, LargeFileAndLongLine)
{
    TempFolder dir;
    QByteArray large;
    large.reserve(11 << 20);
    const QByteArray line = "Comment=" + QByteArray(90, 'c') + "\r\n";
    for (int i = 0; large.size() < (10 << 20); ++i)
        large += "[" + QByteArray::number(i) + "]\r\n" + line.repeated(10) + "\r\n";
    ExpectStableRoundTrip(dir, large);

    const QByteArray longValue(1 << 20, 'v');
    WriteBytes(dir.File("long.ini"), "[L]\r\nk=" + longValue + "\r\n");
    TIniFileEx ini(dir.File("long.ini"));
    EXPECT_EQ(ini.ReadString("L", "K", {}).size(), longValue.size());
    ExpectStableRoundTrip(dir, "[L]\r\n" + longValue + "\r\n" + longValue + "=\r\n");
}

TEST(IniFileRobustness, RandomFiles)
{
    TempFolder dir;
    // Bytes that matter to the reader, with plain text between them.
    const char alphabet[] = {'[', ']', '=', '\r', '\n', '\x1A', '\0', ' ', 'a', 'B', '\xC3', '\xA9', '\xFF', ';'};
    std::mt19937 random(20240611);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes;
        const int size = int(random() % 400);
        for (int i = 0; i < size; ++i)
            bytes += alphabet[random() % sizeof(alphabet)];
        SCOPED_TRACE(bytes.toHex().toStdString());
        ExpectStableRoundTrip(dir, bytes);
        if (HasFailure())
            break;
    }
}
