#include "app/Justone.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QUrl>

#include <unistd.h>

namespace velmora {

namespace {
// One request a line, UTF-8: "open <absolute path>" for each document, then "activate".
// Nothing longer is accepted, so a stray client cannot make the instance buffer without end.
constexpr qint64 kMaxLine = 8192;
} // namespace

QString TJustOne::NameFor(unsigned uid, const QString &display)
{
    // The display may be a path (Wayland) or hold a colon (X11); only the characters of a
    // plain file name are kept, so the socket stays in its usual folder.
    QString session;
    for (const QChar c : display) {
        const bool plain = (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('.') ||
                           c == QLatin1Char('-');
        session += plain ? c : QLatin1Char('_');
    }
    return session.isEmpty() ? QStringLiteral("velmora-%1").arg(uid)
                             : QStringLiteral("velmora-%1-%2").arg(uid).arg(session);
}

QString TJustOne::DefaultName()
{
    // One instance per user and display: a start on another screen of the same user (a
    // second session, a remote one) must open its window there, not hand over to a window
    // that user cannot see.
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) display = qEnvironmentVariable("DISPLAY");
    return NameFor(getuid(), display);
}

QStringList TJustOne::FilesFromArguments(const QStringList &arguments)
{
    QStringList files;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a.isEmpty() || a.startsWith(QLatin1Char('-'))) continue;
        // A file manager may pass a file: URL instead of a path.
        const QString path = a.startsWith(QLatin1String("file://")) ? QUrl(a).toLocalFile() : a;
        if (!path.isEmpty()) files << QFileInfo(path).absoluteFilePath();
    }
    return files;
}

TJustOne::TJustOne(const QString &name, QObject *parent, const QStringList &files)
    : QObject(parent)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500)) {
        QByteArray requests;
        for (const QString &f : files) {
            const QByteArray line = "open " + f.toUtf8() + '\n';
            if (line.size() <= kMaxLine && !f.contains(QLatin1Char('\n'))) requests += line;
        }
        requests += "activate\n";
        probe.write(requests);
        probe.waitForBytesWritten(2000);
        probe.disconnectFromServer();
        other_ = true;
        return;
    }
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name)) {
        // A socket left behind by a crashed instance: nobody answered, so take it over.
        QLocalServer::removeServer(name);
        server_->listen(name);
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] { readRequests(s); });
            connect(s, &QLocalSocket::disconnected, this, [this, s] {
                readRequests(s);
                s->deleteLater();
            });
            readRequests(s);
        }
    });
}

void TJustOne::readRequests(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        QByteArray line = socket->readLine(kMaxLine + 1);
        if (!line.endsWith('\n')) { // longer than any request
            socket->abort();
            return;
        }
        line.chop(1);
        if (line.startsWith("open ")) {
            const QString path = QString::fromUtf8(line.mid(5));
            if (!path.isEmpty()) emit openRequested(path);
        } else if (line == "activate") {
            emit activationRequested();
        }
    }
    if (socket->bytesAvailable() > kMaxLine) socket->abort(); // no line end in sight
}

TJustOne::~TJustOne() = default;

} // namespace velmora
