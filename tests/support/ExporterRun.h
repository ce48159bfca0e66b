#pragma once
// velmora-export run as the tests run it: offscreen, in a folder of the test's choosing, with a
// runtime folder of the test's own (Qt warns about a missing one on stderr) and whatever
// further environment the test sets.
#include "support/TestPaths.h"

#include <QPair>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace velmora::test {

struct ExporterRun
{
    bool finished = false; // within 90 seconds
    int code = -1;         // -1 also when it crashed
    QString out;
    QString err;
};

inline ExporterRun runExporter(const QStringList &args, const QString &workDir,
                               const QString &runtimeDir,
                               const QList<QPair<QString, QString>> &environment = {})
{
    QProcess p;
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    for (const auto &[name, value] : environment)
        env.insert(name, value);
    p.setProcessEnvironment(env);
    p.start(QString::fromStdString(exportExe()), args);
    ExporterRun r;
    if (!p.waitForFinished(90000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.finished = true;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

} // namespace velmora::test
