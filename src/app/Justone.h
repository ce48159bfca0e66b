#pragma once
// One running program per user and display: a second start hands its documents over to the first,
// asks it to come to the front, and ends.
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace velmora {

class TJustOne : public QObject
{
    Q_OBJECT
public:
    // name: the per-user channel; tests pass their own. files: documents named on this
    // start's command line, passed on when another instance is running.
    explicit TJustOne(const QString &name = DefaultName(), QObject *parent = nullptr,
                      const QStringList &files = {});
    ~TJustOne() override;

    // True when another instance answered and was handed the files and asked to come to
    // the front: this one must end at once.
    bool AnotherInstanceRunning() const { return other_; }
    // The channel of this user on this display (Wayland's, else X11's).
    static QString DefaultName();
    static QString NameFor(unsigned uid, const QString &display);
    // The documents among a program's arguments (argument 0, the program, excluded), as
    // absolute paths: a second start may run in another folder than the first.
    static QStringList FilesFromArguments(const QStringList &arguments);

signals:
    // Another start asked this instance to come to the front.
    void activationRequested();
    // Another start was given this document to open.
    void openRequested(const QString &path);

private:
    void readRequests(QLocalSocket *socket);

    QLocalServer *server_ = nullptr;
    bool other_ = false;
};

} // namespace velmora
