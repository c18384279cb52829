#pragma once
// Finding a file whatever the case of its name (language codes are matched case-blind).
#include <QString>

namespace tarvix {

// The file at the path, or else the one in the same folder whose name differs only in case (the language
// codes are matched as Windows matches file names); empty when there is none.
QString ExistingFileIgnoringCase(const QString& path);

} // namespace tarvix
