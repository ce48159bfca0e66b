#pragma once
// One running program per user: a second start hands over to the first and ends.
#include <QObject>
#include <QString>

class QLocalServer;

namespace velmora {

class TJustOne : public QObject
{
    Q_OBJECT
public:
    // name: the per-user channel; tests pass their own.
    explicit TJustOne(const QString &name = DefaultName(), QObject *parent = nullptr);
    ~TJustOne() override;

    // True when another instance answered and was asked to come to the front: this one
    // must end at once.
    bool AnotherInstanceRunning() const { return other_; }
    static QString DefaultName();

signals:
    // Another start asked this instance to come to the front.
    void activationRequested();

private:
    QLocalServer *server_ = nullptr;
    bool other_ = false;
};

} // namespace velmora
