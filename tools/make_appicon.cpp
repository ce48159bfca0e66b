// Draws Velmora's application icon: a calendar page with rings, a red heading and a grid
// of days, one marked. Writes the scalable icon and the fixed sizes of the hicolor theme:
//   make_appicon ICONS_FOLDER
// gives ICONS_FOLDER/hicolor/scalable/apps/org.velmora.Velmora.svg and
// ICONS_FOLDER/hicolor/NxN/apps/org.velmora.Velmora.png.
#include "clipart_scene.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

using namespace clipart;

namespace {

TScene appIcon()
{
    constexpr QRgb kInk = qRgb(48, 52, 64);
    constexpr QRgb kRed = qRgb(214, 48, 49);
    constexpr QRgb kPaper = qRgb(252, 252, 248);
    constexpr QRgb kGrid = qRgb(196, 202, 214);
    constexpr QRgb kGold = qRgb(250, 196, 40);
    TScene s;
    s.roundRect(16, 30, 184, 190, 28, kPaper, kInk, 6)
        .roundRect(16, 30, 184, 78, 28, kRed, kInk, 6)
        .rect(19, 60, 181, 80, kRed, kRed, 0)
        .polyline({{19, 80}, {181, 80}}, kInk, 4);
    for (int x : {56, 100, 144}) s.roundRect(x - 7, 12, x + 7, 50, 10, kGrid, kInk, 4);
    // Four rows of five days; one day is marked with a star.
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 5; ++col) {
            const int x = 34 + col * 28, y = 92 + row * 24;
            if (row == 2 && col == 3)
                s.polygon(star(QPointF(x + 10, y + 9), 16, 7, 5), kGold, qRgb(200, 130, 20), 3);
            else
                s.roundRect(x, y, x + 20, y + 17, 6, kGrid, kGrid, 0);
        }
    return s;
}

bool save(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_appicon ICONS_FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/hicolor/");
    const QString name = QStringLiteral("/apps/org.velmora.Velmora");
    const TScene icon = appIcon();
    if (!save(out + QStringLiteral("scalable") + name + QStringLiteral(".svg"), writeSvg(icon, 256)))
        return 1;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = out + QStringLiteral("%1x%1").arg(size) + name + QStringLiteral(".png");
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!renderPicture(icon, size).save(path)) return 1;
    }
    return 0;
}
