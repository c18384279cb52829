#pragma once
// The product's web page, opened from the tray menu.

namespace tarvix {

inline constexpr const char* kProductWebPage = "https://tarvix.example.org/";

// Hands the address to the desktop's browser; false when no handler took it. Nothing is reported to the user.
bool OpenWebPage();

} // namespace tarvix
