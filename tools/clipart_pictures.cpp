// The clip art pictures: calendar subjects in a flat, outlined style.
#include "clipart_scene.h"

namespace clipart {

namespace {

constexpr QRgb kInk = qRgb(40, 40, 40);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kRed = qRgb(220, 50, 47);
constexpr QRgb kDarkRed = qRgb(160, 30, 30);
constexpr QRgb kGreen = qRgb(46, 139, 60);
constexpr QRgb kDarkGreen = qRgb(24, 96, 40);
constexpr QRgb kYellow = qRgb(250, 204, 21);
constexpr QRgb kOrange = qRgb(245, 130, 32);
constexpr QRgb kBlue = qRgb(52, 120, 220);
constexpr QRgb kSky = qRgb(150, 200, 240);
constexpr QRgb kBrown = qRgb(130, 84, 44);
constexpr QRgb kPink = qRgb(240, 120, 170);
constexpr QRgb kPurple = qRgb(140, 80, 200);
constexpr QRgb kGrey = qRgb(150, 150, 160);
constexpr QRgb kLightGrey = qRgb(225, 228, 232);

QPointF centre() { return {100, 100}; }

TScene sun()
{
    TScene s;
    for (int i = 0; i < 12; ++i) {
        const double a = i * std::numbers::pi / 6;
        const double b = a + 0.18, c = a - 0.18;
        s.polygon({QPoint(int(100 + std::cos(c) * 58), int(100 + std::sin(c) * 58)),
                   QPoint(int(100 + std::cos(a) * 92), int(100 + std::sin(a) * 92)),
                   QPoint(int(100 + std::cos(b) * 58), int(100 + std::sin(b) * 58))},
                  kOrange, kOrange, 1);
    }
    return s.ellipse(44, 44, 156, 156, kYellow, kOrange, 4);
}

TScene cloud(QRgb fill = kWhite, int dy = 0)
{
    TScene s;
    s.ellipse(20, 70 + dy, 90, 130 + dy, fill, kGrey, 3)
        .ellipse(55, 40 + dy, 135, 120 + dy, fill, kGrey, 3)
        .ellipse(105, 60 + dy, 180, 130 + dy, fill, kGrey, 3)
        .rect(45, 95 + dy, 155, 131 + dy, fill, fill, 0);
    return s;
}

TScene rain()
{
    TScene s = cloud(kLightGrey, -20);
    for (int i = 0; i < 5; ++i)
        s.polyline({QPoint(50 + i * 25, 130), QPoint(40 + i * 25, 160)}, kBlue, 5);
    return s;
}

TScene snowman()
{
    TScene s;
    s.ellipse(45, 95, 155, 195, kWhite, kGrey, 3)
        .ellipse(60, 40, 140, 115, kWhite, kGrey, 3)
        .rect(70, 10, 130, 45, kInk, kInk, 1)
        .rect(58, 40, 142, 48, kInk, kInk, 1)
        .ellipse(82, 65, 90, 73, kInk, kInk, 1)
        .ellipse(110, 65, 118, 73, kInk, kInk, 1)
        .polygon({QPoint(98, 80), QPoint(126, 86), QPoint(98, 90)}, kOrange, kOrange, 1)
        .polygon({QPoint(62, 108), QPoint(138, 108), QPoint(134, 120), QPoint(66, 120)}, kRed, kDarkRed, 2);
    for (int y : {130, 150, 170}) s.ellipse(96, y, 104, y + 8, kInk, kInk, 1);
    return s;
}

TScene snowflake()
{
    TScene s;
    for (int i = 0; i < 6; ++i) {
        const double a = i * std::numbers::pi / 3;
        const auto at = [&](double r, double da) {
            return QPoint(int(100 + std::cos(a + da) * r), int(100 + std::sin(a + da) * r));
        };
        s.polyline({QPoint(100, 100), at(90, 0)}, kBlue, 6)
            .polyline({at(45, 0), at(62, 0.35)}, kBlue, 5)
            .polyline({at(45, 0), at(62, -0.35)}, kBlue, 5)
            .polyline({at(68, 0), at(80, 0.25)}, kBlue, 4)
            .polyline({at(68, 0), at(80, -0.25)}, kBlue, 4);
    }
    return s.ellipse(88, 88, 112, 112, kSky, kBlue, 3);
}

TScene christmasTree()
{
    TScene s;
    s.rect(88, 160, 112, 192, kBrown)
        .polygon({{100, 60}, {160, 165}, {40, 165}}, kDarkGreen)
        .polygon({{100, 35}, {150, 120}, {50, 120}}, kGreen)
        .polygon({{100, 15}, {138, 80}, {62, 80}}, kGreen)
        .polygon(star({100, 18}, 16, 7, 5), kYellow, kOrange);
    const QPoint balls[] = {{80, 100}, {118, 95}, {70, 145}, {102, 135}, {132, 150}, {95, 70}};
    const QRgb colours[] = {kRed, kBlue, kYellow, kRed, kPurple, kOrange};
    for (int i = 0; i < 6; ++i)
        s.ellipse(balls[i].x() - 7, balls[i].y() - 7, balls[i].x() + 7, balls[i].y() + 7, colours[i], kInk, 1);
    return s;
}

TScene gift(QRgb box = kRed, QRgb ribbon = kYellow)
{
    TScene s;
    s.rect(35, 80, 165, 185, box).rect(25, 60, 175, 85, box)
        .rect(90, 60, 110, 185, ribbon, kInk, 1)
        .ellipse(55, 25, 100, 62, kWhite, ribbon, 8)
        .ellipse(100, 25, 145, 62, kWhite, ribbon, 8)
        .rect(85, 50, 115, 66, ribbon, kInk, 1);
    return s;
}

TScene balloons()
{
    TScene s;
    const QRgb colours[] = {kRed, kBlue, kYellow};
    const QPoint tops[] = {{40, 20}, {100, 8}, {85, 55}};
    for (int i = 0; i < 3; ++i) {
        const QPoint t = tops[i];
        s.polyline({QPoint(t.x() + 30, t.y() + 80), QPoint(t.x() + 22, t.y() + 120), QPoint(100, 190)}, kInk, 2);
        s.ellipse(t.x(), t.y(), t.x() + 60, t.y() + 80, colours[i]);
        s.polygon({QPoint(t.x() + 30, t.y() + 78), QPoint(t.x() + 36, t.y() + 88), QPoint(t.x() + 24, t.y() + 88)},
                  colours[i]);
        s.ellipse(t.x() + 12, t.y() + 14, t.x() + 24, t.y() + 30, kWhite, kWhite, 0);
    }
    return s;
}

TScene birthdayCake()
{
    TScene s;
    s.ellipse(20, 160, 180, 192, kLightGrey, kGrey)
        .rect(35, 110, 165, 175, kPink)
        .rect(50, 75, 150, 115, qRgb(255, 236, 200))
        .polyline({{35, 135}, {55, 145}, {75, 135}, {95, 145}, {115, 135}, {135, 145}, {155, 135}, {165, 140}}, kWhite, 5);
    for (int x : {68, 100, 132}) {
        s.rect(x - 5, 42, x + 5, 76, kSky, kBlue, 1);
        s.polygon({QPoint(x, 20), QPoint(x + 7, 34), QPoint(x, 42), QPoint(x - 7, 34)}, kYellow, kOrange, 2);
    }
    return s;
}

TScene bigHeart() { return TScene().polygon(heart(centre() + QPointF(0, 5), 5.2), kRed, kDarkRed, 4); }
TScene bigStar() { return TScene().polygon(star(centre() + QPointF(0, 8), 92, 38, 5), kYellow, kOrange, 4); }

TScene pumpkin()
{
    TScene s;
    s.rect(92, 20, 108, 55, kDarkGreen)
        .ellipse(20, 45, 110, 180, kOrange, kDarkRed, 3)
        .ellipse(90, 45, 180, 180, kOrange, kDarkRed, 3)
        .ellipse(55, 42, 145, 182, kOrange, kDarkRed, 3)
        .polygon({{70, 90}, {85, 110}, {55, 110}}, kInk, kInk, 1)
        .polygon({{130, 90}, {145, 110}, {115, 110}}, kInk, kInk, 1)
        .polygon({{55, 135}, {75, 150}, {100, 138}, {125, 150}, {145, 135}, {130, 160}, {70, 160}}, kInk, kInk, 1);
    return s;
}

TScene tulip()
{
    TScene s;
    s.polyline({{100, 190}, {100, 90}}, kGreen, 7)
        .polygon({{100, 170}, {50, 120}, {60, 110}, {100, 150}}, kGreen, kDarkGreen)
        .polygon({{60, 40}, {80, 70}, {100, 30}, {120, 70}, {140, 40}, {140, 90}, {120, 112}, {80, 112}, {60, 90}},
                 kPink, kDarkRed, 3);
    return s;
}

TScene umbrella()
{
    TScene s;
    s.polyline({{100, 40}, {100, 160}, {102, 172}, {112, 178}, {122, 172}, {124, 162}}, kInk, 6);
    std::vector<QPoint> canopy = arcBand(QPointF(100, 110), 0, 85, std::numbers::pi, 2 * std::numbers::pi);
    canopy.resize(25);
    for (int i = 0; i < 4; ++i) canopy.push_back(QPoint(185 - i * 42, 110 - (i % 2 ? 0 : 10)));
    s.polygon(canopy, kPurple, qRgb(80, 40, 130), 3);
    s.polyline({{100, 25}, {100, 20}}, kInk, 6);
    return s;
}

TScene house()
{
    TScene s;
    s.rect(40, 90, 160, 185, qRgb(250, 230, 190))
        .polygon({{100, 20}, {180, 95}, {20, 95}}, kDarkRed)
        .rect(125, 35, 145, 70, kBrown)
        .rect(85, 125, 115, 185, kBrown)
        .rect(52, 110, 77, 135, kSky)
        .rect(123, 110, 148, 135, kSky)
        .ellipse(106, 152, 112, 158, kYellow, kInk, 1);
    return s;
}

TScene bell()
{
    TScene s;
    s.polygon({{100, 25}, {135, 45}, {145, 120}, {170, 150}, {30, 150}, {55, 120}, {65, 45}}, kYellow, kOrange, 4)
        .ellipse(86, 145, 114, 172, kOrange, kInk, 2)
        .ellipse(92, 12, 108, 28, kYellow, kOrange, 3)
        .polygon({{110, 8}, {150, 20}, {140, 30}}, kRed, kDarkRed, 2)
        .polygon({{90, 8}, {50, 20}, {60, 30}}, kRed, kDarkRed, 2);
    return s;
}

TScene moon()
{
    TScene s;
    std::vector<QPoint> crescent = arcBand(QPointF(100, 100), 0, 80, -std::numbers::pi / 2, std::numbers::pi / 2);
    crescent.resize(25);
    for (int i = 24; i >= 0; --i) {
        const double a = -std::numbers::pi / 2 + std::numbers::pi * i / 24;
        crescent.push_back(QPoint(int(100 + std::cos(a) * 40), int(100 + std::sin(a) * 80)));
    }
    s.polygon(shifted(crescent, -10, 0), kYellow, kOrange, 3);
    s.polygon(star({150, 45}, 14, 6, 5), kYellow, kOrange, 2).polygon(star({160, 140}, 10, 4, 5), kYellow, kOrange, 2);
    return s;
}

TScene rainbow()
{
    TScene s;
    const QRgb bands[] = {kRed, kOrange, kYellow, kGreen, kBlue, kPurple};
    for (int i = 0; i < 6; ++i)
        s.polygon(arcBand(QPointF(100, 150), 88 - 12 * i - 12, 88 - 12 * i, std::numbers::pi, 2 * std::numbers::pi),
                  bands[i], bands[i], 1);
    s.ellipse(0, 130, 60, 170, kWhite, kGrey, 2).ellipse(140, 130, 200, 170, kWhite, kGrey, 2);
    return s;
}

TScene kite()
{
    TScene s;
    s.polyline({{100, 150}, {110, 165}, {95, 178}, {108, 195}}, kInk, 2)
        .polygon({{100, 10}, {160, 70}, {100, 150}, {40, 70}}, kRed, kDarkRed, 3)
        .polygon({{100, 10}, {160, 70}, {100, 70}}, kYellow, kDarkRed, 2)
        .polygon({{100, 70}, {40, 70}, {100, 150}}, kYellow, kDarkRed, 2);
    for (int y : {160, 182}) s.polygon({QPoint(96, y), QPoint(112, y - 6), QPoint(112, y + 6)}, kBlue, kBlue, 1);
    return s;
}

TScene sailboat()
{
    TScene s;
    s.polygon({{0, 170}, {40, 160}, {80, 170}, {120, 160}, {160, 170}, {200, 160}, {200, 200}, {0, 200}}, kSky, kBlue, 2)
        .polygon({{25, 140}, {175, 140}, {150, 170}, {50, 170}}, kBrown)
        .polyline({{100, 140}, {100, 15}}, kInk, 4)
        .polygon({{104, 20}, {170, 130}, {104, 130}}, kWhite, kGrey, 3)
        .polygon({{96, 40}, {96, 130}, {40, 130}}, kRed, kDarkRed, 3);
    return s;
}

TScene fish()
{
    TScene s;
    s.polygon({{150, 100}, {190, 60}, {185, 100}, {190, 140}}, kOrange, kDarkRed, 3)
        .ellipse(20, 55, 160, 145, kOrange, kDarkRed, 3)
        .polygon({{70, 60}, {110, 30}, {115, 65}}, kYellow, kDarkRed, 2)
        .ellipse(45, 82, 65, 102, kWhite, kInk, 2)
        .ellipse(52, 88, 60, 96, kInk, kInk, 1)
        .polyline({{95, 75}, {105, 100}, {95, 125}}, kDarkRed, 3);
    return s;
}

TScene apple()
{
    TScene s;
    s.ellipse(25, 50, 110, 185, kRed, kDarkRed, 3)
        .ellipse(90, 50, 175, 185, kRed, kDarkRed, 3)
        .ellipse(50, 48, 150, 183, kRed, kRed, 0)
        .polyline({{100, 60}, {104, 20}}, kBrown, 7)
        .polygon({{106, 40}, {150, 20}, {140, 45}}, kGreen, kDarkGreen, 2)
        .ellipse(55, 75, 75, 105, qRgb(250, 140, 130), qRgb(250, 140, 130), 0);
    return s;
}

TScene pencil()
{
    TScene s;
    s.polygon({{40, 170}, {30, 190}, {50, 180}}, kInk, kInk, 1)
        .polygon({{40, 170}, {58, 148}, {72, 162}, {50, 180}}, qRgb(240, 210, 160))
        .polygon({{58, 148}, {150, 56}, {164, 70}, {72, 162}}, kYellow, kOrange, 3)
        .polygon({{150, 56}, {162, 44}, {176, 58}, {164, 70}}, kGrey)
        .polygon({{162, 44}, {172, 34}, {186, 48}, {176, 58}}, kPink);
    return s;
}

TScene book()
{
    TScene s;
    s.polygon({{100, 50}, {180, 30}, {180, 160}, {100, 180}}, kWhite, kInk, 3)
        .polygon({{100, 50}, {20, 30}, {20, 160}, {100, 180}}, kWhite, kInk, 3)
        .polygon({{100, 180}, {20, 160}, {20, 170}, {100, 192}, {180, 170}, {180, 160}}, kBlue, kInk, 2);
    for (int i = 0; i < 5; ++i) {
        s.polyline({QPoint(35, 55 + i * 18), QPoint(88, 68 + i * 18)}, kGrey, 2);
        s.polyline({QPoint(112, 68 + i * 18), QPoint(165, 55 + i * 18)}, kGrey, 2);
    }
    return s;
}

TScene clock()
{
    TScene s;
    s.ellipse(15, 15, 185, 185, kWhite, kBlue, 10);
    for (int i = 0; i < 12; ++i) {
        const double a = i * std::numbers::pi / 6;
        s.polyline({QPoint(int(100 + std::cos(a) * 70), int(100 + std::sin(a) * 70)),
                    QPoint(int(100 + std::cos(a) * 80), int(100 + std::sin(a) * 80))},
                   kInk, i % 3 == 0 ? 6 : 3);
    }
    return s.polyline({{100, 100}, {100, 45}}, kInk, 7).polyline({{100, 100}, {140, 120}}, kInk, 5)
        .ellipse(93, 93, 107, 107, kRed, kInk, 2);
}

TScene calendarPage()
{
    TScene s;
    s.roundRect(25, 30, 175, 185, 20, kWhite, kInk, 3)
        .roundRect(25, 30, 175, 75, 20, kRed, kInk, 3)
        .rect(27, 60, 174, 76, kRed, kRed, 0)
        .rect(55, 15, 67, 48, kGrey).rect(133, 15, 145, 48, kGrey)
        .text(100, 68, QStringLiteral("JULY"), 30, kWhite)
        .text(100, 165, QStringLiteral("31"), 84, kInk);
    return s;
}

TScene partyHat()
{
    TScene s;
    s.polygon({{100, 20}, {160, 180}, {40, 180}}, kBlue, kInk, 3)
        .polygon({{82, 68}, {118, 68}, {127, 92}, {73, 92}}, kYellow, kYellow, 1)
        .polygon({{64, 117}, {136, 117}, {145, 141}, {55, 141}}, kPink, kPink, 1)
        .ellipse(35, 170, 165, 192, kRed, kDarkRed, 3)
        .polygon(star({100, 18}, 18, 8, 8), kOrange, kDarkRed, 2);
    return s;
}

TScene iceCream()
{
    TScene s;
    s.polygon({{55, 100}, {145, 100}, {100, 195}}, qRgb(222, 170, 100), kBrown, 3)
        .polyline({{70, 110}, {112, 160}}, kBrown, 2).polyline({{130, 110}, {88, 160}}, kBrown, 2)
        .ellipse(50, 60, 150, 120, kPink, kDarkRed, 3)
        .ellipse(60, 20, 140, 90, qRgb(250, 240, 210), kBrown, 3)
        .ellipse(90, 5, 110, 25, kRed, kDarkRed, 2);
    return s;
}

TScene butterfly()
{
    TScene s;
    s.ellipse(25, 30, 100, 110, kPurple, kInk, 3).ellipse(100, 30, 175, 110, kPurple, kInk, 3)
        .ellipse(40, 100, 100, 165, kPink, kInk, 3).ellipse(100, 100, 160, 165, kPink, kInk, 3)
        .ellipse(50, 55, 75, 80, kYellow, kYellow, 0).ellipse(125, 55, 150, 80, kYellow, kYellow, 0)
        .ellipse(90, 45, 110, 170, kInk, kInk, 1)
        .polyline({{96, 48}, {75, 15}}, kInk, 3).polyline({{104, 48}, {125, 15}}, kInk, 3);
    return s;
}

TScene easterEgg()
{
    TScene s;
    s.ellipse(40, 15, 160, 190, kSky, kBlue, 3);
    s.polyline({{42, 80}, {70, 65}, {100, 80}, {130, 65}, {158, 80}}, kPink, 8)
        .polyline({{35, 130}, {60, 145}, {85, 130}, {110, 145}, {135, 130}, {165, 145}}, kPurple, 8);
    for (int x : {60, 100, 140}) s.ellipse(x - 7, 98, x + 7, 112, kYellow, kOrange, 1);
    return s;
}

TScene flower()
{
    TScene s;
    s.polyline({{100, 120}, {100, 195}}, kGreen, 7)
        .polygon({{100, 170}, {140, 140}, {150, 150}, {100, 185}}, kGreen, kDarkGreen);
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4;
        const int cx = int(100 + std::cos(a) * 42), cy = int(80 + std::sin(a) * 42);
        s.ellipse(cx - 24, cy - 24, cx + 24, cy + 24, kPink, kDarkRed, 2);
    }
    return s.ellipse(74, 54, 126, 106, kYellow, kOrange, 3);
}

TScene leaf()
{
    TScene s;
    std::vector<QPoint> outline;
    for (int i = 0; i <= 20; ++i) {
        const double t = i / 20.0;
        outline.push_back(QPoint(int(30 + 140 * t), int(170 - 140 * t - std::sin(t * std::numbers::pi) * 55)));
    }
    for (int i = 20; i >= 0; --i) {
        const double t = i / 20.0;
        outline.push_back(QPoint(int(30 + 140 * t), int(170 - 140 * t + std::sin(t * std::numbers::pi) * 55)));
    }
    s.polygon(outline, kOrange, kDarkRed, 3).polyline({{15, 190}, {30, 170}, {165, 35}}, kDarkRed, 4);
    for (int i = 1; i < 5; ++i) {
        const int x = 30 + 28 * i, y = 170 - 28 * i;
        s.polyline({QPoint(x, y), QPoint(x + 5, y - 35)}, kDarkRed, 2).polyline({QPoint(x, y), QPoint(x + 35, y - 5)}, kDarkRed, 2);
    }
    return s;
}

TScene tree()
{
    TScene s;
    s.polygon({{88, 190}, {92, 120}, {108, 120}, {112, 190}}, kBrown)
        .ellipse(30, 50, 110, 130, kGreen, kDarkGreen, 3)
        .ellipse(90, 50, 170, 130, kGreen, kDarkGreen, 3)
        .ellipse(55, 10, 145, 100, kGreen, kDarkGreen, 3)
        .ellipse(60, 60, 140, 135, kGreen, kGreen, 0);
    for (const QPoint p : {QPoint(70, 70), QPoint(120, 45), QPoint(135, 95), QPoint(90, 105)})
        s.ellipse(p.x() - 8, p.y() - 8, p.x() + 8, p.y() + 8, kRed, kDarkRed, 1);
    return s;
}

TScene envelope()
{
    TScene s;
    s.rect(20, 50, 180, 160, kWhite, kInk, 3)
        .polyline({{20, 160}, {85, 100}}, kInk, 3).polyline({{180, 160}, {115, 100}}, kInk, 3)
        .polygon({{20, 50}, {100, 115}, {180, 50}}, kLightGrey, kInk, 3)
        .polygon(heart({100, 85}, 1.3), kRed, kDarkRed, 1)
        .rect(145, 60, 170, 85, kBlue, kInk, 1);
    return s;
}

TScene musicNote()
{
    TScene s;
    s.ellipse(30, 140, 80, 180, kInk, kInk, 1).ellipse(120, 120, 170, 160, kInk, kInk, 1)
        .polygon({{70, 160}, {70, 40}, {160, 20}, {160, 140}, {150, 140}, {150, 45}, {80, 60}, {80, 160}}, kInk, kInk, 1)
        .polygon({{70, 40}, {160, 20}, {160, 40}, {70, 60}}, kInk, kInk, 1);
    return s;
}

TScene lightBulb()
{
    TScene s;
    for (int i = 0; i < 7; ++i) {
        const double a = std::numbers::pi + i * std::numbers::pi / 6;
        s.polyline({QPoint(int(100 + std::cos(a) * 72), int(78 + std::sin(a) * 72)),
                    QPoint(int(100 + std::cos(a) * 92), int(78 + std::sin(a) * 92))},
                   kOrange, 5);
    }
    s.ellipse(45, 20, 155, 130, kYellow, kOrange, 4)
        .polygon({{70, 115}, {130, 115}, {125, 145}, {75, 145}}, kYellow, kOrange, 4)
        .rect(75, 145, 125, 175, kGrey, kInk, 3)
        .polyline({{75, 155}, {125, 155}}, kInk, 2).polyline({{75, 165}, {125, 165}}, kInk, 2)
        .polyline({{85, 115}, {92, 75}, {100, 90}, {108, 75}, {115, 115}}, kOrange, 3);
    return s;
}

TScene trophy()
{
    TScene s;
    s.ellipse(20, 40, 70, 100, kWhite, kOrange, 8).ellipse(130, 40, 180, 100, kWhite, kOrange, 8)
        .polygon({{45, 25}, {155, 25}, {145, 90}, {115, 120}, {85, 120}, {55, 90}}, kYellow, kOrange, 4)
        .rect(90, 118, 110, 150, kYellow, kOrange, 3)
        .rect(60, 150, 140, 185, kBrown, kInk, 3)
        .polygon(star({100, 70}, 22, 9, 5), kWhite, kOrange, 2);
    return s;
}

TScene car()
{
    TScene s;
    s.polygon({{15, 140}, {20, 105}, {55, 100}, {75, 65}, {140, 65}, {165, 100}, {188, 108}, {188, 140}}, kRed, kDarkRed, 3)
        .polygon({{82, 72}, {105, 72}, {105, 100}, {65, 100}}, kSky, kInk, 2)
        .polygon({{112, 72}, {136, 72}, {155, 100}, {112, 100}}, kSky, kInk, 2)
        .ellipse(35, 120, 80, 165, kInk, kInk, 1).ellipse(125, 120, 170, 165, kInk, kInk, 1)
        .ellipse(48, 133, 67, 152, kGrey, kGrey, 1).ellipse(138, 133, 157, 152, kGrey, kGrey, 1)
        .rect(176, 112, 188, 122, kYellow, kInk, 1);
    return s;
}

TScene schoolBus()
{
    TScene s;
    s.roundRect(10, 50, 190, 160, 24, kYellow, kInk, 3).rect(10, 125, 190, 135, kInk, kInk, 1);
    for (int i = 0; i < 4; ++i) s.rect(22 + i * 36, 65, 50 + i * 36, 100, kSky, kInk, 2);
    s.rect(160, 65, 182, 120, kSky, kInk, 2)
        .ellipse(30, 140, 70, 180, kInk, kInk, 1).ellipse(130, 140, 170, 180, kInk, kInk, 1)
        .ellipse(42, 152, 58, 168, kGrey, kGrey, 1).ellipse(142, 152, 158, 168, kGrey, kGrey, 1);
    return s;
}

TScene rocket()
{
    TScene s;
    s.polygon({{70, 140}, {40, 185}, {75, 170}}, kRed, kDarkRed, 2)
        .polygon({{130, 140}, {160, 185}, {125, 170}}, kRed, kDarkRed, 2)
        .polygon({{85, 170}, {115, 170}, {100, 198}}, kOrange, kYellow, 3)
        .ellipse(68, 20, 132, 180, kLightGrey, kInk, 3)
        .polygon({{100, 8}, {118, 34}, {82, 34}}, kRed, kDarkRed, 2)
        .ellipse(85, 70, 115, 100, kSky, kInk, 3);
    return s;
}

TScene mountains()
{
    TScene s;
    s.rect(0, 0, 200, 200, kSky, kSky, 0)
        .ellipse(140, 20, 180, 60, kYellow, kOrange, 2)
        .polygon({{-10, 180}, {70, 50}, {150, 180}}, kGrey, kInk, 3)
        .polygon({{70, 180}, {140, 80}, {210, 180}}, qRgb(120, 120, 135), kInk, 3)
        .polygon({{70, 50}, {88, 80}, {78, 75}, {70, 88}, {62, 75}, {52, 80}}, kWhite, kInk, 2)
        .rect(0, 175, 200, 200, kGreen, kDarkGreen, 2);
    return s;
}

TScene candle()
{
    TScene s;
    s.polygon({{100, 10}, {116, 40}, {100, 62}, {84, 40}}, kYellow, kOrange, 3)
        .polyline({{100, 62}, {100, 72}}, kInk, 3)
        .rect(78, 72, 122, 175, kWhite, kGrey, 3)
        .polyline({{84, 80}, {84, 110}}, kLightGrey, 4)
        .ellipse(45, 165, 155, 192, kYellow, kOrange, 3);
    return s;
}

TScene birthdayBanner()
{
    TScene s;
    s.polyline({{5, 40}, {100, 70}, {195, 40}}, kInk, 2);
    const QRgb flags[] = {kRed, kYellow, kBlue, kGreen, kPurple, kOrange};
    for (int i = 0; i < 6; ++i) {
        const int x = 18 + i * 30, y = 44 + (i < 3 ? i * 9 : (5 - i) * 9);
        s.polygon({QPoint(x, y), QPoint(x + 26, y + (i < 3 ? 8 : -8)), QPoint(x + 13, y + 38)}, flags[i], kInk, 1);
    }
    return s.text(100, 135, QStringLiteral("Happy"), 44, kRed).text(100, 180, QStringLiteral("Birthday!"), 40, kBlue);
}

TScene newYear()
{
    TScene s;
    s.rect(0, 0, 200, 200, qRgb(20, 24, 60), qRgb(20, 24, 60), 0);
    const QRgb bursts[] = {kYellow, kPink, kSky};
    const QPoint centres[] = {{50, 50}, {150, 45}, {105, 95}};
    for (int b = 0; b < 3; ++b)
        for (int i = 0; i < 12; ++i) {
            const double a = i * std::numbers::pi / 6;
            const QPoint c = centres[b];
            s.polyline({QPoint(int(c.x() + std::cos(a) * 10), int(c.y() + std::sin(a) * 10)),
                        QPoint(int(c.x() + std::cos(a) * 32), int(c.y() + std::sin(a) * 32))},
                       bursts[b], 3);
        }
    return s.text(100, 160, QStringLiteral("Happy"), 28, kWhite).text(100, 190, QStringLiteral("New Year!"), 28, kWhite);
}

TScene mapleLeaf()
{
    return TScene().polyline({{100, 150}, {100, 195}}, kDarkRed, 6)
        .polygon({{100, 10}, {115, 45}, {135, 35}, {130, 75}, {170, 55}, {160, 85}, {190, 95}, {150, 125},
                  {158, 145}, {100, 135}, {42, 145}, {50, 125}, {10, 95}, {40, 85}, {30, 55}, {70, 75},
                  {65, 35}, {85, 45}},
                 kRed, kDarkRed, 3);
}

TScene cupOfCocoa()
{
    TScene s;
    s.ellipse(130, 80, 185, 145, kWhite, kDarkRed, 9)
        .polygon({{25, 60}, {155, 60}, {140, 180}, {40, 180}}, kDarkRed, kInk, 3)
        .ellipse(25, 50, 155, 72, kBrown, kInk, 3)
        .polyline({{70, 40}, {62, 25}, {72, 10}}, kGrey, 4).polyline({{108, 40}, {100, 25}, {110, 10}}, kGrey, 4)
        .polygon(heart({90, 120}, 1.6), kWhite, kWhite, 1);
    return s;
}

TScene diploma()
{
    TScene s;
    s.polygon({{20, 60}, {170, 20}, {185, 60}, {35, 100}}, qRgb(250, 240, 210), kBrown, 3)
        .ellipse(10, 55, 45, 105, qRgb(240, 225, 190), kBrown, 3)
        .rect(85, 35, 105, 85, kRed, kDarkRed, 2)
        .polygon(star({95, 130}, 34, 24, 12), kYellow, kOrange, 3)
        .polygon({{80, 150}, {70, 195}, {88, 185}, {95, 160}}, kRed, kDarkRed, 2)
        .polygon({{110, 150}, {120, 195}, {102, 185}, {95, 160}}, kRed, kDarkRed, 2)
        .ellipse(80, 115, 110, 145, kOrange, kOrange, 0);
    return s;
}

TScene soccerBall()
{
    TScene s;
    s.ellipse(15, 15, 185, 185, kWhite, kInk, 4)
        .polygon(around({100, 100}, 5, [](double) { return 30.0; }), kInk, kInk, 1);
    for (int i = 0; i < 5; ++i) {
        const double a = -std::numbers::pi / 2 + i * 2 * std::numbers::pi / 5;
        const QPointF c(100 + std::cos(a) * 72, 100 + std::sin(a) * 72);
        s.polygon(around(c, 5, [](double) { return 20.0; }, a + std::numbers::pi), kInk, kInk, 1);
        s.polyline({QPoint(int(100 + std::cos(a) * 30), int(100 + std::sin(a) * 30)),
                    QPoint(int(100 + std::cos(a) * 54), int(100 + std::sin(a) * 54))},
                   kInk, 3);
    }
    return s;
}

TScene graduationCap()
{
    TScene s;
    s.polygon({{55, 95}, {145, 95}, {145, 150}, {100, 165}, {55, 150}}, kInk, kInk, 1)
        .polygon({{100, 40}, {190, 80}, {100, 120}, {10, 80}}, qRgb(60, 60, 70), kInk, 3)
        .polyline({{100, 80}, {170, 100}, {170, 150}}, kYellow, 4)
        .polygon({{162, 150}, {178, 150}, {182, 175}, {158, 175}}, kYellow, kOrange, 2);
    return s;
}

TScene vacationSign()
{
    TScene s;
    s.rect(92, 90, 108, 195, kBrown)
        .polygon({{20, 40}, {160, 40}, {190, 70}, {160, 100}, {20, 100}}, kYellow, kBrown, 4)
        .text(95, 82, QStringLiteral("VACATION"), 28, kDarkRed)
        .ellipse(130, 150, 200, 200, kGreen, kDarkGreen, 2).ellipse(0, 160, 80, 200, kGreen, kDarkGreen, 2);
    return s;
}

} // namespace

std::vector<TPicture> pictures()
{
    return {
        {"Sun", TFormat::Wmf, sun},
        {"Cloud", TFormat::Wmf, [] { return cloud(); }},
        {"Rain", TFormat::Wmf, rain},
        {"Snowman", TFormat::Wmf, snowman},
        {"Snowflake", TFormat::Wmf, snowflake},
        {"Christmas Tree", TFormat::Wmf, christmasTree},
        {"Gift", TFormat::Wmf, [] { return gift(); }},
        {"Balloons", TFormat::Wmf, balloons},
        {"Birthday Cake", TFormat::Wmf, birthdayCake},
        {"Heart", TFormat::Wmf, bigHeart},
        {"Star", TFormat::Wmf, bigStar},
        {"Pumpkin", TFormat::Wmf, pumpkin},
        {"Tulip", TFormat::Wmf, tulip},
        {"Umbrella", TFormat::Wmf, umbrella},
        {"House", TFormat::Wmf, house},
        {"Bell", TFormat::Wmf, bell},
        {"Moon", TFormat::Wmf, moon},
        {"Rainbow", TFormat::Wmf, rainbow},
        {"Vacation", TFormat::Wmf, vacationSign},
        {"Kite", TFormat::Emf, kite},
        {"Sailboat", TFormat::Emf, sailboat},
        {"Fish", TFormat::Emf, fish},
        {"Apple", TFormat::Emf, apple},
        {"Pencil", TFormat::Emf, pencil},
        {"Book", TFormat::Emf, book},
        {"Clock", TFormat::Emf, clock},
        {"Calendar Page", TFormat::Emf, calendarPage},
        {"Party Hat", TFormat::Emf, partyHat},
        {"Ice Cream", TFormat::Emf, iceCream},
        {"Butterfly", TFormat::Emf, butterfly},
        {"Easter Egg", TFormat::Emf, easterEgg},
        {"Green Gift", TFormat::Emf, [] { return gift(kGreen, kRed); }},
        {"Flower", TFormat::Svg, flower},
        {"Leaf", TFormat::Svg, leaf},
        {"Tree", TFormat::Svg, tree},
        {"Envelope", TFormat::Svg, envelope},
        {"Music Note", TFormat::Svg, musicNote},
        {"Light Bulb", TFormat::Svg, lightBulb},
        {"Trophy", TFormat::Svg, trophy},
        {"Maple Leaf", TFormat::Svg, mapleLeaf},
        {"Car", TFormat::Png, car},
        {"School Bus", TFormat::Png, schoolBus},
        {"Rocket", TFormat::Png, rocket},
        {"Mountains", TFormat::Png, mountains},
        {"Candle", TFormat::Png, candle},
        {"Happy Birthday", TFormat::Png, birthdayBanner},
        {"Happy New Year", TFormat::Png, newYear},
        {"Cocoa", TFormat::Png, cupOfCocoa},
        {"Diploma", TFormat::Png, diploma},
        {"Soccer Ball", TFormat::Png, soccerBall},
        {"Graduation Cap", TFormat::Png, graduationCap},
    };
}

} // namespace clipart
