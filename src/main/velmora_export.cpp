#include "app/ExportCommand.h"

#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include <unistd.h>

#include <cstdio>

int main(int argc, char **argv)
{
    // The exporter draws without any window, but fonts come through a platform plugin:
    // the offscreen one needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a desktop session Qt complains about the runtime folder on every start.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir = QDir::tempPath().toLocal8Bit() + "/velmora-runtime-" +
                               QByteArray::number(static_cast<qulonglong>(getuid()));
        if (QDir().mkpath(QString::fromLocal8Bit(dir)) &&
            QFile::setPermissions(QString::fromLocal8Bit(dir),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", dir);
    }
    // Our options are read before Qt sees them: Qt would take --style for its own.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    // A picture that cannot be read is reported in our own one line; the decoders' own
    // complaints would only come before it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*.warning=false"));
    QString out, err;
    const int code = velmora::RunExport(arguments, out, err);
    std::fputs(out.toLocal8Bit().constData(), stdout);
    std::fputs(err.toLocal8Bit().constData(), stderr);
    return code;
}
