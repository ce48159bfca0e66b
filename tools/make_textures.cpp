// Makes the seamless texture tiles that ship in the "Textures" folder, all from procedural
// noise and drawing code of our own:
//   make_textures OUTPUT_FOLDER [SHEET.png]
// (the sheet shows each tile repeated 2 × 2, to look for seams)
// Every tile repeats without a seam: the noise lattices wrap at the tile's edge and drawn
// shapes are painted again one tile over on every side.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <numbers>
#include <random>

namespace {

constexpr int kSize = 128;

// Value noise on a lattice of `period` cells across the tile, wrapping at its edges.
class TTileNoise
{
public:
    explicit TTileNoise(uint32_t seed) : seed_(seed) {}

    double value(double x, double y, int period) const { return value(x, y, period, period); }
    // Cells of different widths across and down, for stretched features such as streaks.
    double value(double x, double y, int across, int down) const
    {
        const double fx = x / kSize * across, fy = y / kSize * down;
        const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
        const double tx = smooth(fx - x0), ty = smooth(fy - y0);
        const auto at = [&](int i, int j) {
            return lattice(wrap(i, across), wrap(j, down), across * 1024 + down);
        };
        const double a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * tx;
        const double b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * tx;
        return a + (b - a) * ty; // 0..1
    }
    // Octaves from `period` upwards, each twice as fine and half as strong; 0..1.
    double fractal(double x, double y, int period, int octaves) const
    {
        double sum = 0, weight = 1, total = 0;
        for (int o = 0; o < octaves; ++o, period *= 2, weight /= 2) {
            sum += value(x, y, period) * weight;
            total += weight;
        }
        return sum / total;
    }

private:
    static double smooth(double t) { return t * t * (3 - 2 * t); }
    static int wrap(int i, int n) { return ((i % n) + n) % n; }
    double lattice(int i, int j, int period) const
    {
        uint32_t h = seed_ ^ uint32_t(i) * 0x9E3779B1u ^ uint32_t(j) * 0x85EBCA77u ^
                     uint32_t(period) * 0xC2B2AE3Du;
        h ^= h >> 15;
        h *= 0x2C1B3C6Du;
        h ^= h >> 12;
        h *= 0x297A2D39u;
        h ^= h >> 15;
        return double(h & 0xFFFFFFu) / double(0xFFFFFF);
    }
    uint32_t seed_;
};

QRgb mix(QRgb a, QRgb b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    const auto c = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return qRgb(c(qRed(a), qRed(b)), c(qGreen(a), qGreen(b)), c(qBlue(a), qBlue(b)));
}

QImage perPixel(const std::function<QRgb(int, int)> &f)
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) image.setPixel(x, y, f(x, y));
    return image;
}

// Draws a shape nine times so that whatever crosses an edge comes back on the other side.
void wrapped(QPainter &p, const std::function<void(QPainter &)> &draw)
{
    for (int dy = -kSize; dy <= kSize; dy += kSize)
        for (int dx = -kSize; dx <= kSize; dx += kSize) {
            p.save();
            p.translate(dx, dy);
            draw(p);
            p.restore();
        }
}

QImage wood()
{
    const TTileNoise n(11);
    return perPixel([&](int x, int y) {
        const double grain = y / double(kSize) * 9 + n.fractal(x, y, 2, 4) * 3.0 +
                             n.value(x, y, 16) * 0.15;
        const double ring = grain - std::floor(grain);
        const double dark = std::pow(std::abs(std::sin(ring * std::numbers::pi)), 6.0);
        return mix(qRgb(196, 140, 86), qRgb(122, 74, 38), dark * 0.8 + n.value(x, y, 32) * 0.2);
    });
}

QImage marble()
{
    const TTileNoise n(23);
    return perPixel([&](int x, int y) {
        const double t = (x + y) / double(kSize) * 2 * std::numbers::pi * 2 +
                         n.fractal(x, y, 2, 5) * 9.0;
        const double vein = std::pow(1 - std::abs(std::sin(t)), 5.0);
        return mix(qRgb(236, 234, 228), qRgb(96, 98, 110), vein * 0.85 + n.value(x, y, 8) * 0.1);
    });
}

QImage granite()
{
    const TTileNoise n(37);
    std::mt19937 rnd(37);
    QImage image = perPixel([&](int x, int y) {
        const double v = n.fractal(x, y, 16, 3);
        return mix(qRgb(150, 140, 138), qRgb(90, 84, 86), v);
    });
    std::uniform_int_distribution<int> pos(0, kSize - 1), kind(0, 2);
    const QRgb flecks[] = {qRgb(30, 28, 30), qRgb(214, 206, 200), qRgb(176, 110, 96)};
    for (int i = 0; i < 1400; ++i) {
        const int x = pos(rnd), y = pos(rnd);
        const QRgb c = flecks[kind(rnd)];
        image.setPixel(x, y, c);
        if (i % 3 == 0) image.setPixel((x + 1) % kSize, y, c);
    }
    return image;
}

QImage parchment()
{
    const TTileNoise n(41);
    return perPixel([&](int x, int y) {
        const double blotch = n.fractal(x, y, 2, 5);
        const double fibre = n.value(x, y, 64, 16);
        return mix(qRgb(246, 232, 196), qRgb(206, 176, 122), blotch * 0.9 + fibre * 0.15);
    });
}

QImage denim()
{
    const TTileNoise n(53);
    return perPixel([&](int x, int y) {
        // A 3/1 twill: the weft shows one pixel in four, moving one step per row.
        const bool warp = ((x + y) % 4) != 0;
        const double slub = n.value(x, y, 32) * 0.5 + n.value(x, y, 64) * 0.5;
        const QRgb base = warp ? qRgb(44, 72, 128) : qRgb(170, 184, 206);
        return mix(base, qRgb(20, 36, 74), slub * 0.55);
    });
}

QImage brushedMetal()
{
    const TTileNoise n(67);
    return perPixel([&](int x, int y) {
        // Long streaks: the noise is stretched along x.
        const double streak = n.value(x, y, 2, 128) * 0.6 + n.value(x, y, 8, 64) * 0.4;
        return mix(qRgb(210, 212, 216), qRgb(134, 138, 146), streak);
    });
}

QImage brick()
{
    const TTileNoise n(71);
    constexpr int kBrickW = 32, kBrickH = 16;
    return perPixel([&](int px, int py) {
        // The tile's edges cut through bricks, not along mortar, so nothing lines up there.
        const int x = (px + 9) % kSize, y = (py + 5) % kSize;
        const int row = y / kBrickH;
        const int shifted = (x + (row % 2) * kBrickW / 2) % kSize;
        const int bx = shifted % kBrickW, by = y % kBrickH;
        if (bx < 2 || by < 2) // mortar
            return mix(qRgb(206, 200, 190), qRgb(160, 154, 146), n.value(x, y, 64));
        const double shade = n.value(double(shifted / kBrickW * 5), double(row * 7), 16);
        const QRgb face = mix(qRgb(170, 66, 44), qRgb(118, 44, 32), shade);
        return mix(face, qRgb(90, 36, 28), n.fractal(x, y, 16, 3) * 0.5);
    });
}

QImage clouds()
{
    const TTileNoise n(83);
    return perPixel([&](int x, int y) {
        const double v = n.fractal(x, y, 2, 6);
        return mix(qRgb(92, 150, 222), qRgb(255, 255, 255), std::clamp((v - 0.38) * 3.0, 0.0, 1.0));
    });
}

QImage water()
{
    const TTileNoise n(97);
    return perPixel([&](int x, int y) {
        // Bright crests where the folded noise crosses its middle.
        const double a = 1 - std::abs(n.fractal(x, y, 4, 3) * 2 - 1);
        const double b = 1 - std::abs(n.fractal(x + 40, y + 17, 4, 3) * 2 - 1);
        const double crest = std::pow(std::max(a, b), 8.0);
        return mix(mix(qRgb(18, 84, 140), qRgb(34, 130, 180), n.value(x, y, 2)),
                   qRgb(210, 240, 255), crest);
    });
}

QImage grass()
{
    const TTileNoise n(101);
    QImage image = perPixel([&](int x, int y) {
        return mix(qRgb(58, 112, 36), qRgb(30, 70, 24), n.fractal(x, y, 4, 3));
    });
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    std::mt19937 rnd(101);
    std::uniform_real_distribution<double> pos(0, kSize), lean(-4, 4), len(8, 18), tone(0, 1);
    for (int i = 0; i < 420; ++i) {
        const QPointF root(pos(rnd), pos(rnd));
        const QPointF tip = root + QPointF(lean(rnd), -len(rnd));
        const QColor c = QColor::fromRgb(mix(qRgb(120, 186, 70), qRgb(40, 96, 30), tone(rnd)));
        wrapped(p, [&](QPainter &q) {
            q.setPen(QPen(c, 1.2));
            q.drawLine(root, tip);
        });
    }
    return image;
}

QImage sand()
{
    const TTileNoise n(113);
    std::mt19937 rnd(113);
    std::uniform_int_distribution<int> grain(-14, 14);
    return perPixel([&](int x, int y) {
        const double ripple = std::sin((y / double(kSize) * 6 + n.fractal(x, y, 2, 3) * 1.5) *
                                       2 * std::numbers::pi);
        const QRgb base = mix(qRgb(232, 204, 150), qRgb(196, 160, 104), ripple * 0.25 + 0.35);
        const int g = grain(rnd);
        return qRgb(std::clamp(qRed(base) + g, 0, 255), std::clamp(qGreen(base) + g, 0, 255),
                    std::clamp(qBlue(base) + g, 0, 255));
    });
}

QImage stars()
{
    const TTileNoise n(127);
    QImage image = perPixel([&](int x, int y) {
        return mix(qRgb(8, 10, 34), qRgb(34, 24, 70), n.fractal(x, y, 2, 4));
    });
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    std::mt19937 rnd(127);
    std::uniform_real_distribution<double> pos(0, kSize), bright(0.3, 1.0);
    for (int i = 0; i < 110; ++i) {
        const QPointF at(pos(rnd), pos(rnd));
        const double b = bright(rnd);
        const bool big = i % 12 == 0;
        wrapped(p, [&](QPainter &q) {
            q.setPen(Qt::NoPen);
            q.setBrush(QColor::fromRgbF(1, 1, 0.85 + 0.15 * b, b));
            q.drawEllipse(at, big ? 1.4 : 0.6, big ? 1.4 : 0.6);
            if (big) {
                q.setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.6), 0.6));
                q.drawLine(at - QPointF(4, 0), at + QPointF(4, 0));
                q.drawLine(at - QPointF(0, 4), at + QPointF(0, 4));
            }
        });
    }
    return image;
}

QImage confetti()
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(qRgb(255, 252, 244));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    std::mt19937 rnd(131);
    std::uniform_real_distribution<double> pos(0, kSize), angle(0, 180);
    std::uniform_int_distribution<int> colour(0, 5), shape(0, 2);
    const QColor colours[] = {QColor(230, 57, 70), QColor(244, 162, 97), QColor(42, 157, 143),
                              QColor(69, 123, 157), QColor(233, 196, 106), QColor(155, 93, 229)};
    for (int i = 0; i < 90; ++i) {
        const QPointF at(pos(rnd), pos(rnd));
        const double turn = angle(rnd);
        const QColor c = colours[colour(rnd)];
        const int kind = shape(rnd);
        wrapped(p, [&](QPainter &q) {
            q.translate(at);
            q.rotate(turn);
            q.setPen(Qt::NoPen);
            q.setBrush(c);
            if (kind == 0) q.drawRect(QRectF(-4, -1.5, 8, 3));
            else if (kind == 1) q.drawEllipse(QPointF(0, 0), 2.5, 2.5);
            else q.drawRect(QRectF(-2.5, -2.5, 5, 5));
        });
    }
    return image;
}

QImage snow()
{
    const TTileNoise n(137);
    QImage image = perPixel([&](int x, int y) {
        return mix(qRgb(70, 110, 160), qRgb(130, 168, 206), n.fractal(x, y, 2, 3));
    });
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    std::mt19937 rnd(137);
    std::uniform_real_distribution<double> pos(0, kSize), radius(0.6, 2.2);
    for (int i = 0; i < 160; ++i) {
        const QPointF at(pos(rnd), pos(rnd));
        const double r = radius(rnd);
        const bool flake = i % 16 == 0;
        wrapped(p, [&](QPainter &q) {
            if (flake) {
                q.setPen(QPen(Qt::white, 1.0));
                for (int k = 0; k < 3; ++k) {
                    const double a = k * std::numbers::pi / 3;
                    const QPointF d(std::cos(a) * 5, std::sin(a) * 5);
                    q.drawLine(at - d, at + d);
                }
            } else {
                q.setPen(Qt::NoPen);
                q.setBrush(QColor(255, 255, 255, 220));
                q.drawEllipse(at, r, r);
            }
        });
    }
    return image;
}

QImage leaves()
{
    const TTileNoise n(149);
    QImage image = perPixel([&](int x, int y) {
        return mix(qRgb(96, 62, 34), qRgb(60, 38, 22), n.fractal(x, y, 4, 3));
    });
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    std::mt19937 rnd(149);
    std::uniform_real_distribution<double> pos(0, kSize), angle(0, 360), size(7, 13);
    std::uniform_int_distribution<int> colour(0, 4);
    const QColor colours[] = {QColor(214, 92, 32), QColor(190, 40, 30), QColor(236, 176, 46),
                              QColor(160, 110, 40), QColor(120, 140, 40)};
    for (int i = 0; i < 46; ++i) {
        const QPointF at(pos(rnd), pos(rnd));
        const double turn = angle(rnd), s = size(rnd);
        const QColor c = colours[colour(rnd)];
        wrapped(p, [&](QPainter &q) {
            q.translate(at);
            q.rotate(turn);
            QPainterPath leaf;
            leaf.moveTo(-s, 0);
            leaf.quadTo(0, -s * 0.7, s, 0);
            leaf.quadTo(0, s * 0.7, -s, 0);
            q.setPen(QPen(c.darker(140), 0.8));
            q.setBrush(c);
            q.drawPath(leaf);
            q.drawLine(QPointF(-s - 3, 0), QPointF(s * 0.8, 0)); // stem and midrib
        });
    }
    return image;
}

QImage holiday()
{
    // Candy-cane stripes with holly sprigs on a 4 × 4 grid: the grid divides the tile, so
    // the pattern repeats exactly.
    QImage image = perPixel([](int x, int y) {
        return ((x + y) / 8) % 2 == 0 ? qRgb(178, 24, 36) : qRgb(200, 40, 50);
    });
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    constexpr int kCell = kSize / 4;
    for (int gy = 0; gy < 4; ++gy)
        for (int gx = 0; gx < 4; ++gx) {
            const QPointF c(gx * kCell + kCell / 2.0 + (gy % 2) * kCell / 2.0, gy * kCell + kCell / 2.0);
            wrapped(p, [&](QPainter &q) {
                q.translate(c);
                if ((gx + gy) % 2 == 0) {
                    for (int k = 0; k < 2; ++k) {
                        q.save();
                        q.rotate(k == 0 ? -30 : 30);
                        QPainterPath leaf;
                        leaf.moveTo(0, 0);
                        leaf.quadTo(-4, -6, 0, -12);
                        leaf.quadTo(4, -6, 0, 0);
                        q.setPen(QPen(QColor(10, 70, 30), 0.8));
                        q.setBrush(QColor(24, 120, 52));
                        q.drawPath(leaf);
                        q.restore();
                    }
                    q.setPen(Qt::NoPen);
                    q.setBrush(QColor(240, 30, 30));
                    for (const QPointF b : {QPointF(-2, 1), QPointF(2, 1), QPointF(0, 3.5)})
                        q.drawEllipse(b, 2, 2);
                } else {
                    QPainterPath star;
                    for (int k = 0; k < 10; ++k) {
                        const double r = k % 2 ? 2.6 : 6.5;
                        const double a = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
                        const QPointF pt(std::cos(a) * r, std::sin(a) * r);
                        k == 0 ? star.moveTo(pt) : star.lineTo(pt);
                    }
                    star.closeSubpath();
                    q.setPen(Qt::NoPen);
                    q.setBrush(QColor(255, 236, 170));
                    q.drawPath(star);
                }
            });
        }
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make_textures OUTPUT_FOLDER [SHEET.png]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const std::pair<const char *, std::function<QImage()>> textures[] = {
        {"Wood", wood},           {"Marble", marble},     {"Granite", granite},
        {"Parchment", parchment}, {"Denim", denim},       {"BrushedMetal", brushedMetal},
        {"Brick", brick},         {"Clouds", clouds},     {"Water", water},
        {"Grass", grass},         {"Sand", sand},         {"Stars", stars},
        {"Confetti", confetti},   {"Snow", snow},         {"Leaves", leaves},
        {"Holiday", holiday},
    };
    QImage sheet(4 * (2 * kSize + 8), 4 * (2 * kSize + 8), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter sheetPainter(&sheet);
    int index = 0;
    for (const auto &[name, make] : textures) {
        const QImage tile = make();
        const int sx = (index % 4) * (2 * kSize + 8), sy = (index / 4) * (2 * kSize + 8);
        for (int k = 0; k < 4; ++k) sheetPainter.drawImage(sx + (k % 2) * kSize, sy + (k / 2) * kSize, tile);
        ++index;
        const QString path = out + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".bmp");
        // 24-bit pictures: the texture loader and every other reader take them.
        if (!tile.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    sheetPainter.end();
    if (argc == 3 && !sheet.save(QString::fromLocal8Bit(argv[2]))) return 1;
    return 0;
}
