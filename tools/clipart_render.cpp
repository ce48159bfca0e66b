// SVG text and pixels of a clip art scene.
#include "clipart_scene.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace clipart {

static QString svgColour(QRgb c) { return QStringLiteral("#%1").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0')); }

QByteArray writeSvg(const TScene &scene, int size)
{
    QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                                 "viewBox=\"0 0 %2 %2\">\n").arg(size).arg(kUnits);
    for (const TShape &s : scene.shapes) {
        const QString paint =
            QStringLiteral(" fill=\"%1\" stroke=\"%2\" stroke-width=\"%3\" stroke-linejoin=\"round\"")
                .arg(s.brush.hollow ? QStringLiteral("none") : svgColour(s.brush.color),
                     s.pen.width > 0 ? svgColour(s.pen.color) : QStringLiteral("none"))
                .arg(s.pen.width);
        const QRect &r = s.box;
        QString points;
        for (const QPoint &p : s.points) points += QStringLiteral("%1,%2 ").arg(p.x()).arg(p.y());
        switch (s.kind) {
        case TShape::Polygon:
            out += QStringLiteral("  <polygon points=\"%1\"%2/>\n").arg(points.trimmed(), paint);
            break;
        case TShape::Polyline:
            out += QStringLiteral("  <polyline points=\"%1\"%2 stroke-linecap=\"round\"/>\n")
                       .arg(points.trimmed(), paint);
            break;
        case TShape::Ellipse:
            out += QStringLiteral("  <ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\"%5/>\n")
                       .arg((r.left() + r.right() + 1) / 2.0).arg((r.top() + r.bottom() + 1) / 2.0)
                       .arg((r.width()) / 2.0).arg((r.height()) / 2.0).arg(paint);
            break;
        case TShape::Rectangle:
        case TShape::RoundRect:
            out += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\"%6/>\n")
                       .arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height())
                       .arg(s.corner / 2.0).arg(paint);
            break;
        case TShape::Text:
            out += QStringLiteral("  <text x=\"%1\" y=\"%2\" font-family=\"Liberation Sans, Arial, "
                                  "sans-serif\" font-size=\"%3\" font-weight=\"%4\" "
                                  "text-anchor=\"middle\" fill=\"%5\">%6</text>\n")
                       .arg(s.points[0].x()).arg(s.points[0].y()).arg(s.textHeight)
                       .arg(s.bold ? QStringLiteral("bold") : QStringLiteral("normal"),
                            svgColour(s.pen.color), s.text.toHtmlEscaped());
            break;
        }
    }
    out += QStringLiteral("</svg>\n");
    return out.toUtf8();
}

QImage renderPicture(const TScene &scene, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(size) / kUnits, double(size) / kUnits);
    for (const TShape &s : scene.shapes) {
        p.setPen(s.pen.width > 0 ? QPen(QColor(s.pen.color), s.pen.width, Qt::SolidLine, Qt::RoundCap,
                                        Qt::RoundJoin)
                                 : QPen(Qt::NoPen));
        p.setBrush(s.brush.hollow ? QBrush(Qt::NoBrush) : QBrush(QColor(s.brush.color)));
        const QRectF r(s.box.left(), s.box.top(), s.box.width(), s.box.height());
        switch (s.kind) {
        case TShape::Polygon: p.drawPolygon(s.points.data(), int(s.points.size()), Qt::WindingFill); break;
        case TShape::Polyline: p.drawPolyline(s.points.data(), int(s.points.size())); break;
        case TShape::Ellipse: p.drawEllipse(r); break;
        case TShape::Rectangle: p.drawRect(r); break;
        case TShape::RoundRect: p.drawRoundedRect(r, s.corner / 2.0, s.corner / 2.0); break;
        case TShape::Text: {
            QFont f(QStringLiteral("Liberation Sans"));
            f.setPixelSize(s.textHeight);
            f.setBold(s.bold);
            p.setFont(f);
            p.setPen(QColor(s.pen.color));
            const int w = QFontMetrics(f).horizontalAdvance(s.text);
            p.drawText(QPointF(s.points[0].x() - w / 2.0, s.points[0].y()), s.text);
            break;
        }
        }
    }
    p.end();
    return image;
}

} // namespace clipart
