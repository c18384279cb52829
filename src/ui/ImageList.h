#pragma once
// The program's artwork: the image list of 16 x 16 pictures, the application icon and the banner.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace tarvix {

// Indexes of the image list. 0..4 are the row states in their order (inactive, listening, connection open,
// probing, port busy); 5..7 sum the rows up for the application and the tray.
namespace images {
inline constexpr int Count = 14;
inline constexpr int AllIdle = 5;       // computer, grey arrow: nothing listens
inline constexpr int SomeListening = 6; // lit screen, grey arrow
inline constexpr int SomeConnected = 7; // lit screen, green arrow
inline constexpr int Web = 8;           // globe
inline constexpr int Quit = 9;          // computer with a cross
inline constexpr int Language = 10;     // speech bubble
inline constexpr int Open = 12;         // computer with an open window
inline constexpr int Edit = 13;         // small green mark
} // namespace images

// The image at `index` (a null icon outside 0..Count-1); also carries a 32 x 32 picture for dense screens.
QIcon ImageListIcon(int index);

// The 16 x 16 picture at `index` (a null pixmap outside the range).
QPixmap ImageListPixmap(int index);

// The window's own icon, in sizes from 16 to 128 pixels.
QIcon ApplicationIcon();

// The banner picture (145 x 135), decoded from the JPEG resource; a null image with `error` set on failure.
QImage BannerImage(QString* error = nullptr);

// The resource path of the banner JPEG.
QString BannerResourcePath();

} // namespace tarvix
