#include "richtext/WPToolBar.h"

#include "common/ColorSwatch.h"
#include "richtext/WPRichText.h"

#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QFontComboBox>
#include <QPainter>
#include <QPixmap>
#include <QTextCharFormat>

namespace velmora {

namespace {
QAction *toggle(QToolBar *bar, const QString &text, const QKeySequence &key)
{
    QAction *a = bar->addAction(text);
    a->setCheckable(true);
    a->setShortcut(key);
    a->setToolTip(text.mid(0).remove(QLatin1Char('&')));
    return a;
}

// Shows the application font's family in the room the font list will take.
class TFontStandIn final : public QComboBox
{
public:
    explicit TFontStandIn(QWidget *parent) : QComboBox(parent)
    {
        addItem(QApplication::font().family());
    }
    QSize sizeHint() const override
    {
        QSize s = QComboBox::sizeHint();
        s.setWidth(fontMetrics().horizontalAdvance(QLatin1Char('m')) * 14); // as QFontComboBox
        return s;
    }
};
} // namespace

TWPToolBar::TWPToolBar(QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("WPToolBar1"));
    setMovable(false);
    setIconSize(QSize(16, 16));

    fontStandIn_ = new TFontStandIn(this);
    fontStandIn_->setToolTip(QStringLiteral("Font"));
    fontStandInAction_ = addWidget(fontStandIn_);
    sizeBox_ = new QComboBox(this);
    sizeBox_->setEditable(true);
    sizeBox_->setToolTip(QStringLiteral("Font size"));
    for (int s : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        sizeBox_->addItem(QString::number(s));
    addWidget(sizeBox_);
    colorBox_ = new QComboBox(this);
    colorBox_->setToolTip(QStringLiteral("Font colour"));
    for (TColor c : TWPRichText::ColorTable())
        colorBox_->addItem(ColorSwatch(c), QString());
    addWidget(colorBox_);
    addSeparator();
    bold_ = toggle(this, QStringLiteral("B"), QKeySequence::Bold);
    QFont f = font();
    f.setBold(true);
    widgetForAction(bold_)->setFont(f);
    italic_ = toggle(this, QStringLiteral("I"), QKeySequence::Italic);
    underline_ = toggle(this, QStringLiteral("U"), QKeySequence::Underline);
    addSeparator();
    auto *align = new QActionGroup(this);
    alignLeft_ = toggle(this, QStringLiteral("Left"), QKeySequence());
    alignCenter_ = toggle(this, QStringLiteral("Centre"), QKeySequence());
    alignRight_ = toggle(this, QStringLiteral("Right"), QKeySequence());
    for (QAction *a : {alignLeft_, alignCenter_, alignRight_})
        align->addAction(a);
    addSeparator();
    QAction *copy = addAction(QStringLiteral("Copy"));
    QAction *cut = addAction(QStringLiteral("Cut"));
    QAction *paste = addAction(QStringLiteral("Paste"));
    QAction *all = addAction(QStringLiteral("Select All"));

    connect(sizeBox_, &QComboBox::activated, this, [this] {
        bool ok = false;
        const double size = sizeBox_->currentText().toDouble(&ok);
        if (!ok || size <= 0 || !editor_)
            return;
        QTextCharFormat f;
        f.setFontPointSize(size * editor_->ZoomPercent() / 100.0);
        mergeFormat(f);
    });
    connect(colorBox_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0)
            return;
        const TColor c = TWPRichText::ColorTable().at(size_t(i));
        QTextCharFormat f;
        f.setForeground(QColor(colorRed(c), colorGreen(c), colorBlue(c)));
        mergeFormat(f);
    });
    connect(bold_, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
        mergeFormat(f);
    });
    connect(italic_, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontItalic(on);
        mergeFormat(f);
    });
    connect(underline_, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontUnderline(on);
        mergeFormat(f);
    });
    auto setAlign = [this](Qt::Alignment a) {
        if (editor_)
            editor_->setAlignment(a);
    };
    connect(alignLeft_, &QAction::triggered, this, [setAlign] { setAlign(Qt::AlignLeft); });
    connect(alignCenter_, &QAction::triggered, this, [setAlign] { setAlign(Qt::AlignHCenter); });
    connect(alignRight_, &QAction::triggered, this, [setAlign] { setAlign(Qt::AlignRight); });
    connect(copy, &QAction::triggered, this, [this] { if (editor_) editor_->copy(); });
    connect(cut, &QAction::triggered, this, [this] { if (editor_) editor_->cut(); });
    connect(paste, &QAction::triggered, this, [this] { if (editor_) editor_->paste(); });
    connect(all, &QAction::triggered, this, [this] { if (editor_) editor_->selectAll(); });
}

void TWPToolBar::makeFontBox()
{
    if (fontBox_ != nullptr)
        return;
    fontBox_ = new QFontComboBox(this);
    fontBox_->setToolTip(QStringLiteral("Font"));
    insertWidget(fontStandInAction_, fontBox_);
    delete fontStandInAction_; // and with it the stand-in box
    fontStandIn_ = nullptr;
    fontStandInAction_ = nullptr;
    // The boxes apply a choice once it is made (picked from the list or confirmed with
    // Enter), not on every key typed into them: applying hands the focus back to the text.
    connect(fontBox_, &QComboBox::activated, this, [this] {
        QTextCharFormat f;
        f.setFontFamilies({fontBox_->currentFont().family()});
        mergeFormat(f);
    });
}

void TWPToolBar::Attach(TWPRichText *editor)
{
    if (editor != nullptr)
        makeFontBox();
    if (editor_ == editor)
        return;
    if (editor_)
        disconnect(editor_, nullptr, this, nullptr);
    editor_ = editor;
    if (editor_) {
        connect(editor_, &QTextEdit::currentCharFormatChanged, this, &TWPToolBar::formatChanged);
        formatChanged(editor_->currentCharFormat());
    }
}

void TWPToolBar::mergeFormat(const QTextCharFormat &format)
{
    if (updating_ || !editor_)
        return;
    editor_->mergeCurrentCharFormat(format);
    editor_->setFocus();
}

void TWPToolBar::formatChanged(const QTextCharFormat &format)
{
    if (!editor_)
        return;
    updating_ = true;
    const QFont f = format.font();
    fontBox_->setCurrentFont(f);
    const double size = format.fontPointSize() > 0 ? format.fontPointSize()
                                                   : editor_->document()->defaultFont().pointSizeF();
    sizeBox_->setEditText(QString::number(std::round(size * 100.0 / editor_->ZoomPercent())));
    const QColor c = format.foreground().color();
    colorBox_->setCurrentIndex(TWPRichText::ColorIndexOf(rgbColor(c.red(), c.green(), c.blue())));
    bold_->setChecked(f.bold());
    italic_->setChecked(f.italic());
    underline_->setChecked(f.underline());
    const Qt::Alignment a = editor_->alignment();
    alignCenter_->setChecked((a & Qt::AlignHCenter) != 0);
    alignRight_->setChecked((a & Qt::AlignRight) != 0);
    alignLeft_->setChecked((a & (Qt::AlignHCenter | Qt::AlignRight)) == 0);
    updating_ = false;
}

} // namespace velmora
