// The floor of a start-up: a program that links QtCore alone and makes its application object.
#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return 0;
}
