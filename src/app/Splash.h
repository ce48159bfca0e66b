#pragma once
// The About window.
#include <QDialog>

class QLabel;

namespace velmora {

class TSplashform : public QDialog
{
    Q_OBJECT
public:
    explicit TSplashform(QWidget *parent = nullptr);

    // "64-bit version" or "32-bit version", after the build that is running.
    static QString PlatformText();
    // The 160 × 50 picture at the window's upper left.
    static QPixmap Picture();

private:
    QLabel *platformLabel_;
};

} // namespace velmora
