#include "app/Camain.h"
#include "app/Justone.h"

#include <QApplication>
#include <QTimer>

#include <functional>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList files = velmora::TJustOne::FilesFromArguments(QApplication::arguments());
    velmora::TJustOne guard(velmora::TJustOne::DefaultName(), nullptr, files);
    if (guard.AnotherInstanceRunning())
        return 0;
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    velmora::TCalendarMain window;
    // A document arriving while a dialog is open waits until it is closed.
    std::function<void(const QString &)> open = [&window, &open](const QString &path) {
        if (QApplication::activeModalWidget() != nullptr) {
            QTimer::singleShot(300, &window, [&open, path] { open(path); });
            return;
        }
        window.OpenFileFromOutside(path);
    };
    QObject::connect(&guard, &velmora::TJustOne::activationRequested, &window, [&window] {
        if (window.isMinimized())
            window.showNormal();
        window.raise();
        window.activateWindow();
    });
    QObject::connect(&guard, &velmora::TJustOne::openRequested, &window, open);
    window.show();
    // After the first activation, which reopens the most recent document.
    if (!files.isEmpty())
        QTimer::singleShot(0, &window, [&open, &files] { open(files.constFirst()); });
    return QApplication::exec();
}
