#pragma once
// The version record that the build embeds in the executable.
#include <QString>

namespace tarvix {

// One string value of a file's version record ("FileVersion", "ProductName", ...); empty when the file
// has no record or the record has no such value.
QString GetVersionInfoValue(const QString& fileName, const QString& key);

} // namespace tarvix
