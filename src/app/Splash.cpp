#include "app/Splash.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace velmora {

namespace {
constexpr int kClientWidth = 434;
constexpr int kClientHeight = 236;
constexpr int kPictureWidth = 160;
constexpr int kPictureHeight = 50;
} // namespace

TSplashform::TSplashform(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Splashform"));
    setWindowTitle(QStringLiteral("About Velmora"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowStaysOnTopHint);
    setFixedSize(kClientWidth, kClientHeight);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(8, 8, kPictureWidth, kPictureHeight);
    picture->setPixmap(Picture());

    auto *version = new QLabel(QStringLiteral("Version 3.1a"), this);
    version->setObjectName(QStringLiteral("VersionLabel"));
    version->setGeometry(184, 12, 240, 20);
    platformLabel_ = new QLabel(PlatformText(), this);
    platformLabel_->setObjectName(QStringLiteral("PlatformLabel"));
    platformLabel_->setGeometry(184, 36, 240, 20);

    auto *rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("Bevel1"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(8, kClientHeight - 52, kClientWidth - 16, 4);

    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("okbutton"));
    ok->setDefault(true);
    ok->setGeometry(kClientWidth - 88, kClientHeight - 38, 80, 28);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QString TSplashform::PlatformText()
{
    return sizeof(void *) >= 8 ? QStringLiteral("64-bit version") : QStringLiteral("32-bit version");
}

QPixmap TSplashform::Picture()
{
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    QPainter p(&pixmap);
    QLinearGradient fill(0, 0, kPictureWidth, kPictureHeight);
    fill.setColorAt(0, QColor(0x1f, 0x3a, 0x6e));
    fill.setColorAt(1, QColor(0x4f, 0x86, 0xc6));
    p.fillRect(pixmap.rect(), fill);
    // A small page with a grid of days beside the name.
    p.fillRect(8, 8, 30, 34, Qt::white);
    p.fillRect(8, 8, 30, 8, QColor(0xc8, 0x32, 0x32));
    p.setPen(QColor(0x80, 0x80, 0x80));
    for (int x = 14; x < 38; x += 6)
        p.drawLine(x, 18, x, 40);
    for (int y = 24; y < 42; y += 6)
        p.drawLine(10, y, 36, y);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(26);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(44, 0, kPictureWidth - 46, kPictureHeight), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Velmora"));
    return pixmap;
}

} // namespace velmora
