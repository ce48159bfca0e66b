#include "app/PageWindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    velmora::TPageWindow window;
    window.show();
    return QApplication::exec();
}
