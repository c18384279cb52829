#pragma once
// Readers for the language modules' sources and the window descriptions, to check the translations against them.
#include <QString>
#include <QStringList>

#include <map>
#include <tuple>
#include <vector>

namespace tarvix::test {

struct TsMessage {
    QString translation;
    bool finished = false; // has a translation that is neither empty nor marked unfinished
};
using TsKey = std::tuple<QString, QString, QString>; // context, source, disambiguation
using TsFile = std::map<TsKey, TsMessage>;

// Reads a Linguist source; adds a parse error to errors.
TsFile ReadTs(const QString& path, QStringList& errors);

struct UiCaption {
    QString context; // the form's class, as uic gives it
    QString source;
    QString disambiguation;
};
// The translatable texts of a window description, as uic passes them to translate().
std::vector<UiCaption> ReadUiCaptions(const QString& path, QStringList& errors);

// The language modules' sources and the window descriptions of the source tree.
QString TsDir();
QStringList UiFiles();
inline const char* const kModuleCodes[] = {"enu", "deu", "ita"};

} // namespace tarvix::test
