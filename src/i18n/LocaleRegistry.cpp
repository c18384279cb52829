#include "i18n/LocaleRegistry.h"

#include "i18n/Format.h"
#include "i18n/MessageIds.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QVariant>

namespace tarvix {
namespace {

constexpr const char* kGroup = "Locales";
// The value read when the executable has none of its own. A full path never normalises to this name.
constexpr const char* kDefaultValue = "Default";
constexpr int kMaxCodeLength = 4;

// QSettings escapes every character an INI key cannot hold; "/" separates groups, so a path becomes a key
// below the group and reads back the same way.
QString KeyFor(const QString& executablePath)
{
    return QString::fromLatin1(kGroup) + u'/' + executablePath;
}

QString DefaultKey()
{
    return QString::fromLatin1(kGroup) + u'/' + QLatin1String(kDefaultValue);
}

[[noreturn]] void Raise(int id, const QString& valueName)
{
    throw ERegistryException(FormatRes(id, {valueName.toStdString()}));
}

QString ConfigHome()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    // Relative values are invalid by the XDG rules and are ignored.
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

} // namespace

TLocaleRegistry::TLocaleRegistry() : TLocaleRegistry(DefaultUserFile(), DefaultMachineFile()) {}

TLocaleRegistry::TLocaleRegistry(QString userFile, QString machineFile)
    : userFile_(std::move(userFile)), machineFile_(std::move(machineFile))
{}

QString TLocaleRegistry::DefaultUserFile()
{
    return ConfigHome() + QStringLiteral("/tarvix/registry.ini");
}

QString TLocaleRegistry::DefaultMachineFile()
{
    return QStringLiteral("/etc/xdg/tarvix/registry.ini");
}

std::optional<QString> TLocaleRegistry::StoredCode(const QString& executablePath) const
{
    QString file;
    if (!userFile_.isEmpty() && QFileInfo::exists(userFile_))
        file = userFile_;
    else if (!machineFile_.isEmpty() && QFileInfo::exists(machineFile_))
        file = machineFile_;
    else
        return std::nullopt;

    const QSettings store(file, QSettings::IniFormat);
    for (const QString& key : {KeyFor(executablePath), DefaultKey()}) {
        const QVariant value = store.value(key);
        if (!value.isValid())
            continue;
        // Start-up never fails: a value that is no text counts as none.
        if (value.typeId() != QMetaType::QString)
            return std::nullopt;
        return value.toString().left(kMaxCodeLength);
    }
    return std::nullopt;
}

std::optional<QString> TLocaleRegistry::UserValue(const QString& executablePath) const
{
    if (userFile_.isEmpty() || !QFileInfo::exists(userFile_))
        return std::nullopt;
    const QSettings store(userFile_, QSettings::IniFormat);
    const QVariant value = store.value(KeyFor(executablePath));
    if (!value.isValid())
        return std::nullopt;
    if (value.typeId() != QMetaType::QString)
        Raise(msg::RegistryBadType, executablePath);
    return value.toString();
}

void TLocaleRegistry::WriteUserValue(const QString& executablePath, const QString& code) const
{
    if (userFile_.isEmpty())
        Raise(msg::RegistrySetFailed, executablePath);
    const QString folder = QFileInfo(userFile_).absolutePath();
    if (!QDir().mkpath(folder))
        Raise(msg::RegistrySetFailed, executablePath);
    QSettings store(userFile_, QSettings::IniFormat);
    store.setValue(KeyFor(executablePath), code);
    store.sync();
    if (store.status() != QSettings::NoError)
        Raise(msg::RegistrySetFailed, executablePath);
}

} // namespace tarvix
