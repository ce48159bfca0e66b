#include "app/DeferredIcons.h"

#include <QApplication>
#include <QImageReader>
#include <QProxyStyle>
#include <QStyleOption>

#include <initializer_list>

namespace velmora {

namespace {

// The icon from the style's own PNG files at the given sizes; null when any is missing.
QIcon pngIcon(const QString &stem, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (int size : sizes) {
        QImageReader reader(stem + QString::number(size) + QStringLiteral(".png"), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (image.isNull())
            return {};
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

class TDirectIconStyle final : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        // Every tool bar asks for its overflow arrow when it is made.
        static const QString images = QStringLiteral(":/qt-project.org/styles/commonstyle/images/");
        QIcon icon;
        if (which == SP_ToolBarHorizontalExtensionButton) {
            const bool rtl = option != nullptr ? option->direction == Qt::RightToLeft
                                               : QGuiApplication::isRightToLeft();
            icon = pngIcon(images + (rtl ? QStringLiteral("toolbar-ext-h-rtl-")
                                         : QStringLiteral("toolbar-ext-h-")),
                           {8, 16, 32});
        } else if (which == SP_ToolBarVerticalExtensionButton) {
            icon = pngIcon(images + QStringLiteral("toolbar-ext-v-"), {5, 10, 20});
        }
        return icon.isNull() ? QProxyStyle::standardIcon(which, option, widget) : icon;
    }
};

} // namespace

void DeferStandardIcons()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr ||
        dynamic_cast<TDirectIconStyle *>(QApplication::style()) != nullptr)
        return;
    // Only the styles that take these icons from those files.
    const QString name = QApplication::style()->name().toLower();
    if (name != QLatin1String("fusion") && name != QLatin1String("windows"))
        return;
    QApplication::setStyle(new TDirectIconStyle(QApplication::style()->name()));
}

} // namespace velmora
