#include "app/Camain.h"
#include "app/Justone.h"
#include "app/gcalflateditor.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    velmora::TJustOne guard;
    if (guard.AnotherInstanceRunning())
        return 0;
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    velmora::TCalendarMain window;
    // The floating calendars' properties dialog lives as long as the program.
    velmora::TFlatCalendarEditor flatCalendarEditor(&window);
    flatCalendarEditor.Install();
    QObject::connect(&guard, &velmora::TJustOne::activationRequested, &window, [&window] {
        if (window.isMinimized())
            window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.show();
    return QApplication::exec();
}
