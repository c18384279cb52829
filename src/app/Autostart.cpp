#include "app/Autostart.h"

#include "base/Exceptions.h"
#include "i18n/CatalogueModule.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "ui/ApplicationErrors.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace tarvix {
namespace {

constexpr const char* kDesktopId = "org.tarvix.PortMapping";

[[noreturn]] void Fail(int id, const QString& path, const QString& reason)
{
    throw Exception(FormatRes(id, {QDir::toNativeSeparators(path).toStdString(), reason.toStdString()}));
}

// A value of the desktop entry format: backslashes and line breaks escaped.
QString EntryValue(QString text)
{
    return text.replace(u'\\', QStringLiteral("\\\\")).replace(u'\n', QStringLiteral("\\n"));
}

// The program as one argument of Exec: quoted when it holds a reserved character, "%" doubled.
QString ExecArgument(const QString& program)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString quoted = program;
    quoted.replace(u'%', QStringLiteral("%%"));
    if (std::any_of(program.begin(), program.end(), [](QChar c) { return reserved.contains(c); })) {
        QString inner;
        for (const QChar c : quoted) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                inner += u'\\';
            inner += c;
        }
        quoted = u'"' + inner + u'"';
    }
    return EntryValue(quoted);
}

} // namespace

QString AutostartEntryPath()
{
    // QStandardPaths follows XDG_CONFIG_HOME, and ~/.config without it.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("autostart/%1.desktop").arg(QLatin1String(kDesktopId)));
}

bool AutostartEnabled(const QString& entryPath)
{
    QFile file(entryPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bool inEntry = false;
    bool enabled = true;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith('[')) {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inEntry || equals < 0)
            continue;
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if (key == "Hidden" && value == "true")
            enabled = false;
        else if (key == "X-GNOME-Autostart-enabled" && value == "false")
            enabled = false;
    }
    return enabled;
}

QString AutostartProgram(const QString& executable, const QStringList& searchPath)
{
    const QFileInfo self(executable);
    const QString found = QStandardPaths::findExecutable(self.fileName(), searchPath);
    if (!found.isEmpty() && !self.canonicalFilePath().isEmpty() &&
        QFileInfo(found).canonicalFilePath() == self.canonicalFilePath())
        return self.fileName();
    return executable;
}

QByteArray AutostartEntry(const QString& executable)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Version=1.0\n"
                                  "Name=TARVIX Port Mapping\n"
                                  "Icon=%1\n"
                                  "Exec=%2\n"
                                  "TryExec=%3\n"
                                  "Terminal=false\n"
                                  "X-GNOME-Autostart-enabled=true\n"
                                  "X-KDE-autostart-after=panel\n"
                                  "X-LXQt-Need-Tray=true\n")
                       .arg(QLatin1String(kDesktopId), ExecArgument(executable), EntryValue(executable));
    return text.toUtf8();
}

void EnableAutostart(const QString& executable, const QString& entryPath)
{
    const QString folder = QFileInfo(entryPath).absolutePath();
    if (!QDir().mkpath(folder))
        Fail(msg::AutostartWriteFailed, entryPath, qt_error_string());
    QSaveFile file(entryPath);
    // A folder we may not write into: QSaveFile would fall back to writing the file in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        Fail(msg::AutostartWriteFailed, entryPath, file.errorString());
    const QByteArray text = AutostartEntry(executable);
    if (file.write(text) != text.size() || !file.commit())
        Fail(msg::AutostartWriteFailed, entryPath, file.errorString());
}

void DisableAutostart(const QString& entryPath)
{
    QFile file(entryPath);
    if (file.exists() && !file.remove())
        Fail(msg::AutostartRemoveFailed, entryPath, file.errorString());
}

QAction* AddAutostartItem(QMenu* menu)
{
    auto* item = menu->addAction(LoadResQString(msg::StartWithSession));
    item->setObjectName(QStringLiteral("mAutostart"));
    item->setCheckable(true);
    item->setChecked(AutostartEnabled());
    QObject::connect(menu, &QMenu::aboutToShow, item, [item] { item->setChecked(AutostartEnabled()); });
    QObject::connect(item, &QAction::triggered, item, [item](bool checked) {
        RunGuarded([&] {
            // Whatever happens, the item ends showing what is on disk.
            struct Resync {
                QAction* item;
                ~Resync() { item->setChecked(AutostartEnabled()); }
            } resync{item};
            if (checked)
                EnableAutostart(AutostartProgram(QCoreApplication::applicationFilePath()));
            else
                DisableAutostart();
        });
    });
    return item;
}

} // namespace tarvix
