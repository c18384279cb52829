#pragma once
// The language module of the process: chosen once at start-up, before any window is built, from the stored
// choice of this executable and from the user's locale; French (no module) when none applies or loads.
#include "i18n/LocaleRegistry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <optional>

namespace tarvix {

// The module files to try, in order: the stored code, the locale abbreviation, its first two letters, then the
// module of the abbreviation's language (ENG, DEA: English, German), each as the executable's extension. Empty when
// French is stored, or when there is neither a code nor an abbreviation. Codes that are not plain letters or digits are
// skipped, so a stored value can never point elsewhere.
QStringList ModuleCandidates(const QString& executablePath, const std::optional<QString>& storedCode,
                             const QString& abbreviation);

class TLanguageModule {
public:
    TLanguageModule() = default;
    ~TLanguageModule(); // uninstalls the module it installed
    TLanguageModule(const TLanguageModule&) = delete;
    TLanguageModule& operator=(const TLanguageModule&) = delete;

    // The start-up choice for the running executable, the user's registry and the system locale.
    QString Choose();
    // Tries the candidates in order and installs the first that loads, for the catalogue and for the windows'
    // translations. Returns its file name; empty when French serves.
    QString Choose(const TLocaleRegistry& registry, const QString& executablePath, const QString& abbreviation);

    // Loads one module file and installs it; false (and French stays) when it is no module.
    bool Load(const QString& fileName);
    void Unload();

    const QString& FileName() const { return fileName_; }
    bool Loaded() const { return !fileName_.isEmpty(); }

private:
    QTranslator translator_;
    QByteArray data_; // the translator reads from it in place
    QString fileName_;
};

} // namespace tarvix
