#pragma once
// The help document of a language: "TARVIX_<code>.pdf".
#include <QString>

namespace tarvix {

QString HelpFileName(const QString& languageCode);

// Where the document is: beside the executable first, so that help opens whatever folder the program was
// started from, then in the current folder; names match ignoring case. Empty when it is in neither.
QString FindHelpFile(const QString& languageCode, const QString& executablePath, const QString& currentFolder);

} // namespace tarvix
