#include "app/ExportCommand.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    // The exporter never needs a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QString out, err;
    const int code = velmora::RunExport(QApplication::arguments().mid(1), out, err);
    std::fputs(out.toLocal8Bit().constData(), stdout);
    std::fputs(err.toLocal8Bit().constData(), stderr);
    return code;
}
