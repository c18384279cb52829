#pragma once
// A desktop where nothing can open a document or an address: no browser, no viewer, no handler files.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <optional>
#include <utility>
#include <vector>

namespace tarvix::test {

class DesktopWithoutViewers {
public:
    // withLauncher keeps the system's xdg-open and the few tools it runs, so that the launcher itself runs and
    // finds nothing; without it, nothing on PATH can open anything.
    explicit DesktopWithoutViewers(bool withLauncher)
    {
        const QString bin = dir_.filePath(QStringLiteral("bin"));
        const QString data = dir_.filePath(QStringLiteral("data"));
        QDir().mkpath(bin);
        QDir().mkpath(data);
        if (withLauncher) {
            launcher_ = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
            for (const char* tool : {"xdg-open", "xdg-mime", "grep", "egrep", "sed", "which", "file", "cat", "readlink",
                                     "basename", "dirname", "cut", "tr", "head", "sort", "ls", "awk"})
                if (QString path = QStandardPaths::findExecutable(QLatin1String(tool)); !path.isEmpty())
                    QFile::link(path, QDir(bin).filePath(QLatin1String(tool)));
        }
        Set("PATH", bin.toLocal8Bit());
        for (const char* folder : {"XDG_DATA_DIRS", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
            Set(folder, data.toLocal8Bit());
        for (const char* name : {"BROWSER", "DEFAULT_BROWSER", "DISPLAY", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP",
                                 "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
            Set(name, std::nullopt);
    }
    ~DesktopWithoutViewers()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            Put(it->first, it->second);
    }
    DesktopWithoutViewers(const DesktopWithoutViewers&) = delete;
    DesktopWithoutViewers& operator=(const DesktopWithoutViewers&) = delete;

    // The system has xdg-open: opening runs it and it fails.
    bool HasLauncher() const { return !launcher_.isEmpty(); }

private:
    void Set(const char* name, const std::optional<QByteArray>& value)
    {
        saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        Put(name, value);
    }
    static void Put(const char* name, const std::optional<QByteArray>& value)
    {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }

    QTemporaryDir dir_;
    QString launcher_;
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

} // namespace tarvix::test
