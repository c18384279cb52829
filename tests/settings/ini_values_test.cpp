// Typed reads and writes: integer and flag texts, conversion errors, text the file cannot hold.
#include "settings/IniFileEx.h"
#include "settings/IniText.h"

#include <gtest/gtest.h>

using namespace tarvix;

namespace {

// A store holding one key line "k=<text>" in section "s".
std::unique_ptr<TIniFileEx> StoreWith(const QString& text)
{
    auto ini = std::make_unique<TIniFileEx>();
    ini->WriteString("s", "k", text);
    return ini;
}

std::string ConversionError(const std::function<void()>& call)
{
    try {
        call();
    } catch (const EConvertError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(IniValues, ReadIntegerAcceptsDecimalAndHexadecimalForms)
{
    const std::pair<const char*, int> cases[] = {
        {"80", 80},
        {"   80", 80},
        {"+80", 80},
        {"$50", 80},
        {"0x50", 80},
        {"x50", 80},
        {"X50", 80},
        {"0X50", 80},
        {"$aF", 175},
        {"-$10", -16},
        {"-0x10", -16},
        {"0000080", 80},
        {"-0", 0},
        {"  -12", -12},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"$7FFFFFFF", 2147483647},
        {"-$80000000", -2147483647 - 1},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(StoreWith(text)->ReadInteger("s", "k", -1), expected) << text;
}

TEST(IniValues, ReadIntegerRejectsAnythingElseWithTheConversionText)
{
    const char* cases[] = {"80 ",
                           "8 0",
                           "abc",
                           "\t80",
                           "+ 8",
                           "+-1",
                           "-",
                           "$",
                           "0x",
                           "x",
                           "0x-1",
                           "1e3",
                           "80h",
                           "2147483648",
                           "-2147483649",
                           "$80000000",
                           "0x100000000",
                           "99999999999999999999",
                           "\xD9\xA3" /* an Arabic-Indic digit */,
                           "\xEF\xBC\x91" /* a full-width one */};
    for (const char* text : cases) {
        const auto ini = StoreWith(QString::fromUtf8(text));
        const std::string expected = "'" + std::string(text) + "' n'est pas une valeur entière correcte";
        EXPECT_EQ(ConversionError([&] { ini->ReadInteger("s", "k", 0); }), expected) << text;
        EXPECT_EQ(ConversionError([&] { ini->ReadBool("s", "k", false); }), expected) << text;
    }
}

TEST(IniValues, AKeyLineEndingInItsEqualsSignIsAnEmptyText)
{
    TIniFileEx ini;
    ini.WriteString("s", "other", "1");
    ini.WriteString("s", "k", "x");
    // Only a loaded file can hold "k=": an empty write removes the line instead.
    ini.WriteString("s", "k", "");
    EXPECT_FALSE(ini.ValueExists("s", "k"));
    EXPECT_EQ(ini.ReadInteger("s", "k", 7), 7);
    EXPECT_FALSE(ParseIniInteger(u"").has_value());
    EXPECT_FALSE(ParseIniInteger(u"   ").has_value());
}

TEST(IniValues, ReadBoolLooksAtTheLowestByte)
{
    const std::pair<const char*, bool> cases[] = {{"1", true},    {"7", true},    {"0", false}, {"-1", true},
                                                  {"256", false}, {"$101", true}, {"$0", false}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(StoreWith(text)->ReadBool("s", "k", !expected), expected) << text;
    EXPECT_EQ(ConversionError([] { StoreWith("true")->ReadBool("s", "k", true); }),
              "'true' n'est pas une valeur entière correcte");
}

TEST(IniValues, MissingSectionOrKeyReadsTheDefaultAndCreatesNothing)
{
    TIniFileEx ini;
    EXPECT_EQ(ini.ReadString("s", "k", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("s", "k", -5), -5);
    EXPECT_EQ(ini.ReadInteger("s", "k", std::numeric_limits<int>::min()), std::numeric_limits<int>::min());
    EXPECT_TRUE(ini.ReadBool("s", "k", true));
    EXPECT_FALSE(ini.ReadBool("s", "k", false));
    EXPECT_FALSE(ini.ValueExists("s", "k"));
    EXPECT_TRUE(ini.Sections().isEmpty());
    EXPECT_FALSE(ini.Modified());
}

TEST(IniValues, WriteIntegerAndWriteBoolStoreTheirTexts)
{
    TIniFileEx ini;
    ini.WriteInteger("s", "i", -2147483647 - 1);
    ini.WriteInteger("s", "j", 65535);
    ini.WriteBool("s", "t", true);
    ini.WriteBool("s", "f", false);
    EXPECT_EQ(ini.SectionRawLines(0), QByteArrayList({"i=-2147483648", "j=65535", "t=1", "f=0"}));
}

TEST(IniValues, TextTheFileCannotHoldIsRefusedAndChangesNothing)
{
    TIniFileEx ini;
    const auto refused = [&ini](const QString& section, const QString& key, const QString& value) {
        try {
            ini.WriteString(section, key, value);
        } catch (const EIniFileExException& e) {
            return std::string(e.what());
        }
        return std::string("stored");
    };
    // The message names what was refused and says why, not a registry data type.
    const auto unstorable = [](const std::string& what) {
        return "Impossible d'enregistrer '" + what +
               "' : le fichier de paramètres n'admet ni saut de ligne ni Ctrl-Z, ni « = » dans un nom de clé, ni « [ » "
               "au début d'un nom de clé";
    };
    EXPECT_EQ(refused("s", "Name", "a\r\n[evil]\r\nx=1"), unstorable("Name"));
    EXPECT_EQ(refused("s", "Name", "a\nb"), unstorable("Name"));
    EXPECT_EQ(refused("s", "Name", QString("end") + QChar(0x1A)), unstorable("Name"));
    EXPECT_EQ(refused("s", "a=b", "1"), unstorable("a=b"));
    EXPECT_EQ(refused("s", "[k", "1"), unstorable("[k"));
    EXPECT_EQ(refused("s\r", "k", "1"), unstorable("s\r"));
    EXPECT_TRUE(ini.Sections().isEmpty());
    EXPECT_FALSE(ini.Modified());

    EXPECT_EQ(refused("s]", "k]", " v = w "), "stored");
    EXPECT_EQ(ini.ReadString("s]", "k]", "-"), " v = w ");
    EXPECT_THROW(ini.WriteInteger("s", "Local=Port", 1), EIniFileExException);
    try {
        ini.WriteInteger("s\n", "LocalPort", 1);
        FAIL();
    } catch (const EIniFileExException& e) {
        EXPECT_STREQ(e.what(), "LocalPort n'est pas un entier correct");
    }
    try {
        ini.WriteBool("s", "[AutoStart", true);
        FAIL();
    } catch (const EIniFileExException& e) {
        EXPECT_STREQ(e.what(), "[AutoStart n'est pas un booléen correct");
    }
}

TEST(IniText, BytesReadAsUtf8WhenValidElseWindows1252)
{
    EXPECT_EQ(DecodeIniText("plain"), "plain");
    EXPECT_EQ(DecodeIniText("caf\xC3\xA9"), QString::fromUtf8("café"));
    EXPECT_EQ(DecodeIniText("caf\xE9 \x80\x9F\x81"), QString::fromUtf8("café €Ÿ") + QChar(0x81));
    // Neither an encoded surrogate nor an overlong form is UTF-8.
    EXPECT_EQ(DecodeIniText("\xED\xA0\x80"), QString::fromUtf8("í") + QChar(0xA0) + QChar(0x20AC));
    EXPECT_EQ(DecodeIniText("\xC0\xAF"), QString::fromUtf8("À¯"));
}

TEST(IniText, FoldedNamesAgreeWithTheCaseInsensitiveComparison)
{
    // The section index relies on this: equal folded names exactly when the comparison says equal.
    // The whole basic plane, and two supplementary blocks with case (Deseret, Adlam).
    std::vector<char32_t> points;
    for (char32_t c = 1; c < 0x10000; ++c)
        if (!QChar::isSurrogate(c))
            points.push_back(c);
    for (char32_t c = 0x10400; c < 0x10450; ++c)
        points.push_back(c);
    for (char32_t c = 0x1E900; c < 0x1E944; ++c)
        points.push_back(c);
    for (const char32_t c : points) {
        const QString a = QString::fromUcs4(&c, 1);
        for (const QString& b : {a.toUpper(), a.toLower(), QString::fromUcs4(&c, 1).toCaseFolded()}) {
            const bool same = QString::compare(a, b, Qt::CaseInsensitive) == 0;
            ASSERT_EQ(FoldedName(a) == FoldedName(b), same) << "U+" << std::hex << unsigned(c);
            ASSERT_EQ(SameName(a.toUtf8(), b), same) << "U+" << std::hex << unsigned(c);
        }
    }
}
