#include "app/Justone.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace velmora {

QString TJustOne::DefaultName()
{
    return QStringLiteral("velmora-%1").arg(getuid());
}

TJustOne::TJustOne(const QString &name, QObject *parent) : QObject(parent)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500)) {
        probe.write("activate\n");
        probe.waitForBytesWritten(500);
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
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            emit activationRequested();
        }
    });
}

TJustOne::~TJustOne() = default;

} // namespace velmora
