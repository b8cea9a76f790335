#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tavrel v4.0.0112 (apk/ipa)"));
    window.show();
    return app.exec();
}
