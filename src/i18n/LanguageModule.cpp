#include "i18n/LanguageModule.h"

#include "base/ExecutablePath.h"
#include "base/FileSearch.h"
#include "i18n/CatalogueModule.h"
#include "i18n/Languages.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>

#include <limits>

namespace tarvix {
namespace {

bool PlainCode(const QString& code)
{
    if (code.isEmpty())
        return false;
    for (const QChar c : code)
        if (!(c.isLetterOrNumber() && c.unicode() < 128))
            return false;
    return true;
}

} // namespace

QStringList ModuleCandidates(const QString& executablePath, const std::optional<QString>& storedCode,
                             const QString& abbreviation)
{
    if (!storedCode && abbreviation.isEmpty())
        return {};
    if (storedCode && storedCode->compare(QLatin1String(Languages()[0].code), Qt::CaseInsensitive) == 0)
        return {};
    QStringList codes;
    if (storedCode)
        codes << *storedCode;
    codes << abbreviation << abbreviation.left(2);
    // A regional locale (en_GB, de_AT) has no module of its own: its language's module serves. French has none.
    if (const TLanguage* language = LanguageOfAbbreviation(abbreviation); language && language->moduleExtension)
        codes << QLatin1String(language->moduleExtension);
    QStringList files;
    for (const QString& code : codes) {
        const QString file = PathWithExtension(executablePath, code);
        if (PlainCode(code) && !files.contains(file, Qt::CaseInsensitive))
            files << file;
    }
    return files;
}

TLanguageModule::~TLanguageModule()
{
    Unload();
}

QString TLanguageModule::Choose()
{
    return Choose(TLocaleRegistry(), ExecutablePath(), LocaleAbbreviation(QLocale::system()));
}

QString TLanguageModule::Choose(const TLocaleRegistry& registry, const QString& executablePath,
                                const QString& abbreviation)
{
    Unload();
    if (executablePath.isEmpty())
        return {};
    const QStringList candidates = ModuleCandidates(executablePath, registry.StoredCode(executablePath), abbreviation);
    for (const QString& candidate : candidates) {
        const QString file = ExistingFileIgnoringCase(candidate);
        if (!file.isEmpty() && Load(file))
            return fileName_;
    }
    return {};
}

bool TLanguageModule::Load(const QString& fileName)
{
    Unload();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    data_ = file.readAll();
    if (data_.size() > std::numeric_limits<int>::max() ||
        !translator_.load(reinterpret_cast<const uchar*>(data_.constData()), static_cast<int>(data_.size()))) {
        data_.clear();
        return false;
    }
    fileName_ = fileName;
    SetCatalogueModule(&translator_);
    if (QCoreApplication::instance())
        QCoreApplication::installTranslator(&translator_);
    return true;
}

void TLanguageModule::Unload()
{
    if (fileName_.isEmpty())
        return;
    if (CatalogueModule() == &translator_)
        SetCatalogueModule(nullptr);
    if (QCoreApplication::instance())
        QCoreApplication::removeTranslator(&translator_);
    static_cast<void>(translator_.load(nullptr, 0)); // drops the reference to data_
    data_.clear();
    fileName_.clear();
}

} // namespace tarvix
