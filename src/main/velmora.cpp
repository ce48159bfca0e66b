#include "app/Camain.h"
#include "app/Justone.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    velmora::TJustOne guard;
    if (guard.AnotherInstanceRunning())
        return 0;
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    velmora::TCalendarMain window;
    QObject::connect(&guard, &velmora::TJustOne::activationRequested, &window, [&window] {
        if (window.isMinimized())
            window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.show();
    return QApplication::exec();
}
