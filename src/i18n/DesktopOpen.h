#pragma once
// Hands a document or an address to the desktop, and tells when nothing there could open it.
#include <QUrl>

#include <functional>

namespace tarvix {

// Opens the url with the application the desktop has for it. failed runs once, on this thread, when no
// application could open it: now when nothing can even be started, later when the desktop's launcher ends in
// failure. Where that launcher is xdg-open (Linux and the other free desktops) it is watched, so that a desktop
// without a viewer or a browser for the url is reported rather than noted on standard error only.
void OpenOnDesktop(const QUrl& url, std::function<void()> failed);

} // namespace tarvix
