#pragma once
// Shared pieces of the language tests.
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <tuple>
#include <vector>

namespace tarvix::test {

// A desktop application object for the tests that need one (actions, translators, desktop services).
void EnsureGuiApp();

// Dispatches events until the condition holds or timeoutMs have passed; whether it holds.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);

// Writes a file, creating its folder; returns false when it cannot.
bool WriteFile(const QString& path, const QByteArray& contents);

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
