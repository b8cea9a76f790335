// skin_gallery [OUTPUT_DIR] [SHEET...]: renders the registered sheets (all, or the named
// ones) into PNG files under OUTPUT_DIR (default "screenshots").
#include "gallery.h"

#include <QApplication>
#include <QDir>
#include <QMap>
#include <QTextStream>
#include <QWidget>
#include <cstdio>

namespace gallery {

namespace {

QMap<QString, Sheet> &sheets()
{
    static QMap<QString, Sheet> all;
    return all;
}

} // namespace

bool addSheet(const QString &name, Sheet sheet)
{
    sheets().insert(name, std::move(sheet));
    return true;
}

bool saveImage(const QImage &image, const QString &outputDir, const QString &fileName)
{
    const QString path = QDir(outputDir).filePath(fileName);
    if (image.isNull() || !image.save(path, "PNG")) {
        std::fprintf(stderr, "skin_gallery: could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool saveWidget(QWidget *widget, const QString &outputDir, const QString &fileName)
{
    widget->show();
    QApplication::processEvents();
    return saveImage(widget->grab().toImage(), outputDir, fileName);
}

} // namespace gallery

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const QString outputDir = args.isEmpty() ? QStringLiteral("screenshots") : args.takeFirst();
    if (!QDir().mkpath(outputDir)) {
        std::fprintf(stderr, "skin_gallery: cannot create %s\n", qPrintable(outputDir));
        return 1;
    }
    bool ok = true;
    const auto &all = gallery::sheets();
    for (auto it = all.begin(); it != all.end(); ++it) {
        if (!args.isEmpty() && !args.contains(it.key()))
            continue;
        if (!it.value()(outputDir)) {
            std::fprintf(stderr, "skin_gallery: sheet %s failed\n", qPrintable(it.key()));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
