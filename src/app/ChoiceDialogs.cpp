#include "app/ChoiceDialogs.h"

#include "common/DialogButtons.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFont>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

QFont ToQFont(const TFontDesc &font)
{
    QFont q(QString::fromStdString(font.name));
    q.setPointSize(std::max(1, font.size()));
    q.setBold(font.bold());
    q.setItalic(font.italic());
    q.setUnderline(font.underline());
    q.setStrikeOut(font.strikeOut());
    return q;
}

void ApplyQFont(const QFont &from, TFontDesc &to)
{
    to.name = from.family().toStdString();
    // Point sizes are coarser than the stored pixel heights; an untouched size keeps its height.
    if (from.pointSize() > 0 && from.pointSize() != to.size())
        to.setSize(from.pointSize());
    to.setStyle(TFontStyle::fsBold, from.bold());
    to.setStyle(TFontStyle::fsItalic, from.italic());
    to.setStyle(TFontStyle::fsUnderline, from.underline());
    to.setStyle(TFontStyle::fsStrikeOut, from.strikeOut());
}

namespace {

void showSwatch(QPushButton *button, TColor color)
{
    QPixmap swatch(16, 12);
    swatch.fill(ToQColor(color));
    button->setIcon(QIcon(swatch));
}

// The toolkit's font dialog has no colour, yet a page font carries one (white mini
// headers on a dark band, for instance), so the font dialog is embedded with a colour
// button beside its own buttons.
std::optional<TFontDesc> runFontDialog(QWidget *parent, const TFontDesc &initial)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Font"));
    auto *layout = new QVBoxLayout(&dialog);
    // The dialog lists installed families only; a stored name such as "Times New Roman"
    // is shown as the family that stands in for it, and kept when the family is left alone.
    QFont start = ToQFont(initial);
    const QString shown = QFontInfo(start).family();
    start.setFamily(shown);
    auto *fonts = new QFontDialog(start, &dialog);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons);
    layout->addWidget(fonts);
    // Escape and Enter reach the embedded dialog first; they end the whole window.
    QObject::connect(fonts, &QDialog::rejected, &dialog, &QDialog::reject);
    QObject::connect(fonts, &QDialog::accepted, &dialog, &QDialog::accept);

    TFontDesc result = initial;
    auto *row = new QHBoxLayout;
    auto *colorButton = new QPushButton(QStringLiteral("Co&lor..."), &dialog);
    showSwatch(colorButton, result.color);
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        const QColor c = QColorDialog::getColor(ToQColor(result.color), &dialog);
        if (c.isValid()) {
            result.color = FromQColor(c);
            showSwatch(colorButton, result.color);
        }
    });
    row->addWidget(colorButton);
    auto *buttons = OkCancelHelpButtons(&dialog, nullptr, nullptr);
    row->addWidget(buttons);
    layout->addLayout(row);

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    QFont chosen = fonts->currentFont();
    if (chosen.family() == shown)
        chosen.setFamily(QString::fromStdString(initial.name));
    ApplyQFont(chosen, result);
    return result;
}

class TToolkitChoices final : public TChoiceService
{
public:
    std::optional<TFontDesc> chooseFont(QWidget *parent, const TFontDesc &initial) override
    {
        return runFontDialog(parent, initial);
    }
    std::optional<TColor> chooseColor(QWidget *parent, TColor initial) override
    {
        const QColor c = QColorDialog::getColor(ToQColor(initial), parent);
        if (!c.isValid())
            return std::nullopt;
        return FromQColor(c);
    }
};

std::unique_ptr<TChoiceService> &service()
{
    static std::unique_ptr<TChoiceService> s = std::make_unique<TToolkitChoices>();
    return s;
}

} // namespace

TChoiceService &Choices()
{
    return *service();
}

std::unique_ptr<TChoiceService> SetChoiceService(std::unique_ptr<TChoiceService> s)
{
    auto previous = std::move(service());
    service() = s ? std::move(s) : std::make_unique<TToolkitChoices>();
    return previous;
}

} // namespace velmora
