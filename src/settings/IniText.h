#pragma once
// Text rules of the settings file: how its bytes read as text, how names compare, how integers read.
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace tarvix {

// UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise.
QString DecodeIniText(QByteArrayView bytes);

// A key under which names equal ignoring case (QString::compare with Qt::CaseInsensitive) are the same.
QString FoldedName(QStringView name);

// Names equal ignoring case; bytes as stored in the file against a name given by the program.
bool SameName(QByteArrayView stored, QStringView name);

// Leading spaces, an optional sign, then decimal digits or hexadecimal ones after "$", "x", "X", "0x" or "0X";
// nothing after the digits; within the 32-bit signed range. Nothing when the text is not such an integer.
std::optional<int> ParseIniInteger(QStringView text);

} // namespace tarvix
