#pragma once
// The product's web page, opened from the tray menu.
#include <QString>

#include <functional>

namespace tarvix {

inline constexpr const char* kProductWebPage = "https://tarvix.example.org/";

// Hands the address to the desktop's browser. When no application could open it, failed gets the catalogue
// message that says so, with the address (at once, or once the desktop's launcher has given up).
void OpenWebPage(std::function<void(const QString& message)> failed);

} // namespace tarvix
