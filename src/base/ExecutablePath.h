#pragma once
// Files that sit beside the executable and are named like it (settings, language modules).
#include <QString>

namespace tarvix {

// The path with the extension of its file name replaced, or added when the file name has none:
// "/opt/x/tarvix" + "ini" -> "/opt/x/tarvix.ini". A dot in a folder name, or a leading dot of the file name,
// is not an extension. The extension may be given with or without its dot; an empty one removes it.
QString PathWithExtension(const QString& path, const QString& ext);

// The running executable's full path; empty when it cannot be told.
QString ExecutablePath();

QString ExecutablePathWithExtension(const QString& ext);

} // namespace tarvix
