// The skin gallery: every sheet renders its pictures offscreen into PNG files.
//
// To add a sheet, put a .cpp file into this folder (it is picked up by the build) and
// register a function there at start-up:
//
//     static const bool registered = gallery::addSheet("buttons", [](const QString &dir) {
//         QWidget sheet;
//         ...
//         return gallery::saveWidget(&sheet, dir, "buttons.png");
//     });
//
// Sheets run in the order of their names; a sheet returns false when it failed.
#pragma once

#include <QImage>
#include <QString>
#include <functional>

class QWidget;

namespace gallery {

using Sheet = std::function<bool(const QString &outputDir)>;

bool addSheet(const QString &name, Sheet sheet);

// Saves an image as outputDir/fileName and says so on standard output.
bool saveImage(const QImage &image, const QString &outputDir, const QString &fileName);
// Shows the widget offscreen, lets it settle and saves what it paints.
bool saveWidget(QWidget *widget, const QString &outputDir, const QString &fileName);

} // namespace gallery
