#pragma once
// Start with the session: the desktop entry in the user's autostart folder ($XDG_CONFIG_HOME/autostart,
// by default ~/.config/autostart) that starts this installation of the program at login.
#include <QString>
#include <QStringList>

class QAction;
class QMenu;

namespace tarvix {

// The entry's file: "<desktop id>.desktop" in the autostart folder.
QString AutostartEntryPath();

// The entry exists and is neither hidden nor switched off.
bool AutostartEnabled(const QString& entryPath = AutostartEntryPath());

// How the entry names the program: its bare file name when the search path (default: PATH) finds this very
// executable under it (an installed package: the link in bin to lib/tarvix/tarvix), else its full path.
QString AutostartProgram(const QString& executable, const QStringList& searchPath = {});

// The entry's text, starting the given executable.
QByteArray AutostartEntry(const QString& executable);

// Writes the entry whole or not at all (a temporary file renamed over it); removes it. Both throw an
// Exception with the catalogue's text on failure.
void EnableAutostart(const QString& executable, const QString& entryPath = AutostartEntryPath());
void DisableAutostart(const QString& entryPath = AutostartEntryPath());

// The checkable tray menu item "Démarrer avec la session" (objectName "mAutostart"), appended to the menu: it
// shows the entry's real state at each opening of the menu and writes or removes the entry for the running
// executable; a failure is shown by the error display and the item keeps the real state.
QAction* AddAutostartItem(QMenu* menu);

} // namespace tarvix
