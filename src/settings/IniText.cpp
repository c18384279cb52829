#include "settings/IniText.h"

#include <QStringDecoder>

#include <array>
#include <cstdint>
#include <limits>

namespace tarvix {
namespace {

bool IsAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool IsAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// 0x80..0x9F of Windows-1252; the five unassigned bytes keep their Latin-1 code points, as the system does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString DecodeCp1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

int DigitValue(QChar c, bool hex)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (hex && u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (hex && u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

QString DecodeIniText(QByteArrayView bytes)
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    // Stateless and keeping an initial byte-order mark: the text is exactly what the bytes say.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? DecodeCp1252(bytes) : text;
}

QString FoldedName(QStringView name)
{
    if (IsAscii(name)) {
        QString folded = name.toString();
        for (QChar& c : folded)
            if (c >= u'A' && c <= u'Z')
                c = QChar(c.unicode() + 32);
        return folded;
    }
    // Code point by code point, as the case-insensitive comparison folds.
    QString folded;
    folded.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            const char32_t ucs4 = QChar::surrogateToUcs4(c, name[i + 1]);
            const char32_t f = QChar::toCaseFolded(ucs4);
            if (QChar::requiresSurrogates(f)) {
                folded += QChar(QChar::highSurrogate(f));
                folded += QChar(QChar::lowSurrogate(f));
            } else {
                folded += QChar(char16_t(f));
            }
            ++i;
        } else {
            folded += QChar(char16_t(QChar::toCaseFolded(char32_t(c.unicode()))));
        }
    }
    return folded;
}

bool SameName(QByteArrayView stored, QStringView name)
{
    if (IsAscii(stored) && IsAscii(name)) {
        if (stored.size() != name.size())
            return false;
        for (qsizetype i = 0; i < stored.size(); ++i) {
            char a = stored[i];
            char b = char(name[i].unicode());
            if (a >= 'A' && a <= 'Z')
                a = char(a - 'A' + 'a');
            if (b >= 'A' && b <= 'Z')
                b = char(b - 'A' + 'a');
            if (a != b)
                return false;
        }
        return true;
    }
    return QString::compare(DecodeIniText(stored), name, Qt::CaseInsensitive) == 0;
}

std::optional<int> ParseIniInteger(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i == n)
        return std::nullopt;
    const std::int64_t limit =
        negative ? -std::int64_t(std::numeric_limits<int>::min()) : std::int64_t(std::numeric_limits<int>::max());
    std::int64_t value = 0;
    for (; i < n; ++i) {
        const int digit = DigitValue(text[i], hex);
        if (digit < 0)
            return std::nullopt;
        value = value * (hex ? 16 : 10) + digit;
        if (value > limit)
            return std::nullopt;
    }
    return int(negative ? -value : value);
}

} // namespace tarvix
