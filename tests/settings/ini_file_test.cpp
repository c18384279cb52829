// How the store reads and writes the file: lines kept as they are, sections merged and ordered, flags.
#include "settings/IniFileEx.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace tarvix;
using tarvix::test::ReadBytes;
using tarvix::test::TempFolder;
using tarvix::test::WriteBytes;

namespace {

// Bytes of a literal, embedded NULs included.
template <std::size_t N>
QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

// An unsorted store loaded from the given bytes, as the program opens its settings.
std::unique_ptr<TIniFileEx> LoadBytes(const TempFolder& dir, const QByteArray& bytes, bool sorted = false)
{
    const QString path = dir.File("settings.ini");
    WriteBytes(path, bytes);
    auto ini = std::make_unique<TIniFileEx>();
    ini->SetSorted(sorted);
    ini->SetFileName(path);
    ini->Load();
    return ini;
}

QByteArrayList Lines(const TIniFileEx& ini, const QString& section)
{
    const int i = int(ini.Sections().indexOf(section));
    return i < 0 ? QByteArrayList{"<missing section>"} : ini.SectionRawLines(i);
}

// Saves the store under another name and returns what was written.
QByteArray SaveAs(TIniFileEx& ini, const QString& path)
{
    ini.SetFileName(path);
    EXPECT_TRUE(ini.Save());
    return ReadBytes(path);
}

} // namespace

TEST(IniFileRead, LineEndsOfEveryKindAndTheSeparatorLine)
{
    TempFolder dir;
    auto ini = LoadBytes(dir, "before=dropped\r\n[A]\r\nk=1\nl=2\rskipped up to LF\nm=3\r\n\r\n[B]\nx=\n;last");
    EXPECT_EQ(ini->Sections(), QStringList({"A", "B"}));
    EXPECT_EQ(Lines(*ini, "A"), QByteArrayList({"k=1", "l=2", "m=3"}));
    EXPECT_EQ(Lines(*ini, "B"), QByteArrayList({"x=", ";last"}));
    EXPECT_EQ(ini->ReadString("A", "l", "-"), "2");
    EXPECT_TRUE(ini->ValueExists("B", "x"));
    EXPECT_EQ(ini->ReadString("B", "x", "-"), "");
    EXPECT_FALSE(ini->ValueExists("A", "before"));
    EXPECT_FALSE(ini->Modified());
}

TEST(IniFileRead, CtrlZEndsTheFileEvenMidLine)
{
    TempFolder dir;
    auto ini = LoadBytes(dir, "[A]\r\nk=1\r\nj=2\x1A tail\r\n[B]\r\nz=3\r\n");
    EXPECT_EQ(ini->Sections(), QStringList({"A"}));
    EXPECT_EQ(Lines(*ini, "A"), QByteArrayList({"k=1", "j=2"}));
}

TEST(IniFileRead, HeadersAreTakenByTheirFirstCharacter)
{
    TempFolder dir;
    auto ini = LoadBytes(dir, "[A] \r\na=1\r\n[\r\nb=1\r\n[]\r\nc=1\r\n[x\r\nd=1\r\n[[y]]\r\ne=1\r\n");
    // "[A] " names "A]"; "[", "[]" and "[x" all name the empty string; "[[y]]" names "[y]".
    EXPECT_EQ(ini->Sections(), QStringList({"A]", "", "[y]"}));
    EXPECT_EQ(Lines(*ini, ""), QByteArrayList({"b=1", "c=1", "d=1"}));
    EXPECT_EQ(ini->ReadString("[y]", "e", "-"), "1");
}

TEST(IniFileRead, HeadersDifferingInCaseMergeAtTheFirstPlace)
{
    TempFolder dir;
    auto ini = LoadBytes(dir, "[Web]\r\na=1\r\n\r\n\r\n[Mail]\r\nm=1\r\n\r\n[WEB]\r\nb=2\r\n;c\r\n\r\n");
    EXPECT_EQ(ini->Sections(), QStringList({"Web", "Mail"}));
    // The reopened section loses its trailing empty lines before the new ones follow.
    EXPECT_EQ(Lines(*ini, "Web"), QByteArrayList({"a=1", "b=2", ";c", ""}));
    EXPECT_EQ(ini->ReadString("wEb", "B", "-"), "2");
}

TEST(IniFileRead, NonEmptyLineBeforeAHeaderStays)
{
    TempFolder dir;
    auto ini = LoadBytes(dir, "[A]\r\na=1\r\n;note\r\n[B]\r\nb=1\r\n");
    EXPECT_EQ(Lines(*ini, "A"), QByteArrayList({"a=1", ";note"}));
}

TEST(IniFileRead, NamesIgnoreCaseBeyondAscii)
{
    TempFolder dir;
    // The same name once in Windows-1252 and once in UTF-8, in other cases.
    auto ini = LoadBytes(dir, "[\xC9t\xE9]\r\nprix=\x80 5\r\n[\xC3\x89T\xC3\x89]\r\nCL\xC3\x89=1\r\n");
    EXPECT_EQ(ini->Sections(), QStringList({QString::fromUtf8("Été")}));
    EXPECT_EQ(ini->ReadString(QString::fromUtf8("éTé"), "PRIX", "-"), QString::fromUtf8("€ 5"));
    EXPECT_EQ(ini->ReadString(QString::fromUtf8("été"), QString::fromUtf8("clé"), "-"), "1");
}

TEST(IniFileRead, KeysAreNeverTrimmedAndTheFirstOfDuplicatesCounts)
{
    TempFolder dir;
    auto ini = LoadBytes(dir, "[M]\r\nPort = 81\r\nAutostart=1\r\nx=first=1\r\nX=second\r\n");
    EXPECT_EQ(ini->ReadInteger("M", "Port", 80), 80);
    EXPECT_FALSE(ini->ValueExists("M", "Port"));
    EXPECT_EQ(ini->ReadString("M", "Port ", "-"), " 81");
    EXPECT_EQ(ini->ReadInteger("M", "Port ", 0), 81);
    EXPECT_TRUE(ini->ReadBool("M", "AutoStart", false));
    EXPECT_TRUE(ini->ReadBool("M", "Autostart", false));
    EXPECT_EQ(ini->ReadString("M", "x", "-"), "first=1");

    ini->WriteBool("M", "AutoStart", false);
    ini->WriteString("M", "x", "new");
    EXPECT_EQ(Lines(*ini, "M"), QByteArrayList({"Port = 81", "AutoStart=0", "x=new", "X=second"}));
}

TEST(IniFileRead, FileWithoutHeaderIsEmptyAndSaveKeepsOnlyWhatWasWritten)
{
    TempFolder dir;
    auto ini = LoadBytes(dir, "Name=x\r\n; no header\r\n");
    EXPECT_TRUE(ini->Sections().isEmpty());
    ini->WriteString("1", "Name", "y");
    ASSERT_TRUE(ini->Save());
    EXPECT_EQ(ReadBytes(ini->FileName()), "[1]\r\nName=y\r\n\r\n");
}

TEST(IniFileRead, MissingFileLeavesStoreEmptyAndFlagsAlone)
{
    TempFolder dir;
    TIniFileEx ini;
    ini.SetSorted(false);
    ini.SetFileName(dir.File("none.ini"));
    ini.Load();
    EXPECT_TRUE(ini.Sections().isEmpty());
    EXPECT_TRUE(ini.Modified()); // set by the sort mode and the name: the first Save creates the file
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadBytes(dir.File("none.ini")), "");
}

TEST(IniFileRead, BareNameIsFoundAlongThePath)
{
    TempFolder dir;
    WriteBytes(dir.File("tarvix-locate-test.ini"), "[A]\r\na=1\r\n");
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir.File("absent")) + ":" + QFile::encodeName(dir.Path()));
    TIniFileEx ini("tarvix-locate-test.ini");
    EXPECT_EQ(ini.FileName(), dir.File("tarvix-locate-test.ini"));
    EXPECT_EQ(ini.ReadString("A", "a", "-"), "1");

    // A path too long to search, or a name with a folder part, is not looked for.
    QString name = "tarvix-locate-test.ini";
    qputenv("PATH", QByteArray(990, '/') + ":" + QFile::encodeName(dir.Path()));
    EXPECT_FALSE(ini.LocateFile(name));
    name = "sub/tarvix-locate-test.ini";
    qputenv("PATH", QFile::encodeName(dir.Path()));
    EXPECT_FALSE(ini.LocateFile(name));
    qputenv("PATH", oldPath);
}

TEST(IniFileWrite, SaveWritesHeadersLinesAndOneEmptyLineEach)
{
    TempFolder dir;
    TIniFileEx ini;
    ini.SetSorted(false);
    ini.WriteString("2", "Name", "b");
    ini.WriteString("1", "Name", "a");
    ini.WriteInteger("1", "LocalPort", -8080);
    ini.WriteString("empty", "Name", ""); // a section without lines is not written
    ini.WriteBool("2", "AutoStart", true);
    EXPECT_EQ(SaveAs(ini, dir.File("s.ini")),
              "[2]\r\nName=b\r\nAutoStart=1\r\n\r\n[1]\r\nName=a\r\nLocalPort=-8080\r\n\r\n");
    EXPECT_TRUE(ini.SectionExists("empty"));
    EXPECT_FALSE(ini.Modified());

    TIniFileEx reloaded(dir.File("s.ini"));
    EXPECT_EQ(reloaded.Sections(), QStringList({"1", "2"})); // sorted by default
}

TEST(IniFileWrite, TrailingEmptyLinesAndEmptiedSectionsAreLeftOut)
{
    TempFolder dir;
    auto ini = LoadBytes(dir, "[A]\r\na=1\r\n\r\n\r\n[B]\r\nb=1\r\n[C]\r\nc=1\r\n\r\n\r\n");
    EXPECT_EQ(Lines(*ini, "C"), QByteArrayList({"c=1", "", ""}));
    ini->WriteString("B", "b", "");
    EXPECT_EQ(SaveAs(*ini, dir.File("out.ini")), "[A]\r\na=1\r\n\r\n[C]\r\nc=1\r\n\r\n");
    TIniFileEx reloaded(dir.File("out.ini"));
    EXPECT_EQ(reloaded.Sections(), QStringList({"A", "C"}));
    EXPECT_EQ(Lines(reloaded, "A"), QByteArrayList({"a=1"}));
}

TEST(IniFileWrite, WrittenFileLoadsAndSavesBackByteForByte)
{
    TempFolder dir;
    const QByteArray hand =
        Bytes("; head comment, dropped\r\n"
              "[Web]\r\n; comment\r\nName=Serveur \xE9t\xE9\r\nweird line\r\n\r\n  \r\nk==v=\r\n\r\n"
              "[ spaced ]\r\n=\r\nNUL\0byte=\0\r\n\r\n"
              "[\xC3\xA9]]\r\nx=\xC3\xA9\r\n");
    auto ini = LoadBytes(dir, hand);
    const QByteArray first = SaveAs(*ini, dir.File("first.ini"));
    EXPECT_FALSE(first.contains("head comment"));
    EXPECT_TRUE(first.contains(Bytes("NUL\0byte=\0\r\n")));
    TIniFileEx again;
    again.SetSorted(false);
    again.SetFileName(dir.File("first.ini"));
    again.Load();
    EXPECT_EQ(SaveAs(again, dir.File("second.ini")), first);
}

TEST(IniFileWrite, CommentsAndUnknownKeysSurviveAnEditInPlace)
{
    TempFolder dir;
    auto ini = LoadBytes(dir, ";top\r\n[1]\r\n; mine\r\nName=Web\r\nColour=blue\r\nLocalPort=80\r\n\r\n"
                              "[2]\r\nName=Mail\r\n\r\n");
    ini->WriteInteger("1", "LocalPort", 8080);
    ini->WriteString("1", "Address", "example.org");
    ini->WriteString("2", "Name", "Courrier");
    ASSERT_TRUE(ini->Save());
    EXPECT_EQ(ReadBytes(ini->FileName()),
              "[1]\r\n; mine\r\nName=Web\r\nColour=blue\r\nLocalPort=8080\r\nAddress=example.org\r\n\r\n"
              "[2]\r\nName=Courrier\r\n\r\n");
}

TEST(IniFileWrite, SaveWithNothingModifiedLeavesAHandEditedFileAlone)
{
    TempFolder dir;
    auto ini = LoadBytes(dir, "[A]\r\na=1\r\n");
    WriteBytes(ini->FileName(), "edited by hand");
    EXPECT_TRUE(ini->Save());
    EXPECT_EQ(ReadBytes(ini->FileName()), "edited by hand");

    ini->WriteString("A", "a", "2");
    ASSERT_TRUE(ini->Save());
    WriteBytes(ini->FileName(), "edited again");
    EXPECT_TRUE(ini->Save());
    EXPECT_EQ(ReadBytes(ini->FileName()), "edited again");
}

TEST(IniFileWrite, ValuesAreWrittenAsUtf8)
{
    TempFolder dir;
    TIniFileEx ini;
    ini.WriteString(QString::fromUtf8("Été"), "Name", QString::fromUtf8("Café €"));
    EXPECT_EQ(SaveAs(ini, dir.File("u.ini")), "[\xC3\x89t\xC3\xA9]\r\nName=Caf\xC3\xA9 \xE2\x82\xAC\r\n\r\n");
    TIniFileEx reloaded(dir.File("u.ini"));
    EXPECT_EQ(reloaded.ReadString(QString::fromUtf8("été"), "name", "-"), QString::fromUtf8("Café €"));
}

TEST(IniFileFlags, EveryChangeSetsModifiedAndLoadOrSaveClearIt)
{
    TempFolder dir;
    TIniFileEx ini;
    EXPECT_TRUE(ini.Sorted());
    EXPECT_FALSE(ini.Modified());
    ini.SetSorted(true);
    ini.SetFileName("");
    EXPECT_FALSE(ini.Modified());
    ini.SetFileName(dir.File("a.ini"));
    EXPECT_TRUE(ini.Modified());
    ini.Save();
    ini.SetFileName(dir.File("A.ini")); // names compare exactly
    EXPECT_TRUE(ini.Modified());
    ini.Save();
    ini.SetSorted(false);
    EXPECT_TRUE(ini.Modified());

    ini.SetFileName(dir.File("a.ini"));
    ini.Load();
    EXPECT_FALSE(ini.Modified());
    ini.WriteString("S", "k", ""); // creates the section, stores nothing, still a change
    EXPECT_TRUE(ini.SectionExists("S"));
    EXPECT_TRUE(ini.Modified());
}

TEST(IniFileFlags, EraseSectionSetsModifiedOnlyWhenItErases)
{
    TempFolder dir;
    auto ini = LoadBytes(dir, "[A]\r\na=1\r\n[B]\r\nb=1\r\n");
    ini->EraseSection("missing");
    EXPECT_FALSE(ini->Modified());
    ini->EraseSection("a");
    EXPECT_TRUE(ini->Modified());
    EXPECT_EQ(ini->Sections(), QStringList({"B"}));
    EXPECT_EQ(ini->ReadString("A", "a", "gone"), "gone");
    ini->Clear();
    EXPECT_TRUE(ini->Sections().isEmpty());
}

TEST(IniFileSorted, SortedKeepsNamesInOrderUnsortedKeepsFileOrder)
{
    TempFolder dir;
    const QByteArray file = "[b]\r\nk=1\r\n[C]\r\nk=1\r\n[a]\r\nk=1\r\n[B]\r\nk=2\r\n";
    auto unsorted = LoadBytes(dir, file, false);
    EXPECT_EQ(unsorted->Sections(), QStringList({"b", "C", "a"}));
    unsorted->WriteString("A0", "k", "1");
    EXPECT_EQ(unsorted->Sections().last(), "A0");
    unsorted->SetSorted(true);
    EXPECT_EQ(unsorted->Sections(), QStringList({"a", "A0", "b", "C"}));
    unsorted->SetSorted(false); // keeps the order it has
    EXPECT_EQ(unsorted->Sections(), QStringList({"a", "A0", "b", "C"}));

    auto sorted = LoadBytes(dir, file, true);
    EXPECT_EQ(sorted->Sections(), QStringList({"a", "b", "C"}));
    EXPECT_EQ(Lines(*sorted, "b"), QByteArrayList({"k=1", "k=2"}));
    sorted->WriteString("Ba", "k", "1");
    EXPECT_EQ(sorted->Sections(), QStringList({"a", "b", "Ba", "C"}));
}

TEST(IniFileSnapshot, RestorePutsBackLinesOrderAndFlagExactly)
{
    TempFolder dir;
    auto ini = LoadBytes(dir, Bytes("[b]\r\n; note\r\nName=\r\nPort=80\r\n\r\n[a]\r\nName=x\r\n\r\n"));
    const auto snapshot = ini->TakeSnapshot();
    const QByteArray before = SaveAs(*ini, dir.File("before.ini"));
    ini->SetFileName(dir.File("settings.ini"));
    ASSERT_TRUE(ini->Save());
    const auto clean = ini->TakeSnapshot();

    ini->WriteString("b", "Port", "");   // removes the line
    ini->WriteString("B", "Port", "81"); // appended at the end now
    ini->EraseSection("a");
    ini->WriteString("c", "Name", "new");
    ini->RestoreSnapshot(clean);
    EXPECT_FALSE(ini->Modified());
    EXPECT_EQ(ini->Sections(), (QStringList{"b", "a"}));
    EXPECT_EQ(Lines(*ini, "b"), (QByteArrayList{"; note", "Name=", "Port=80"}));
    EXPECT_EQ(ini->ReadString("A", "name", "?"), "x") << "the index follows the restored sections";
    EXPECT_FALSE(ini->SectionExists("c"));

    ini->RestoreSnapshot(snapshot);
    EXPECT_EQ(SaveAs(*ini, dir.File("after.ini")), before);
}
