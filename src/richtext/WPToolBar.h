#pragma once
// The formatting toolbar of the rich text editor: font, size, colour, bold, italic,
// underline, alignment, clipboard and select all. Extra actions can be appended.
#include <QPointer>
#include <QToolBar>

class QComboBox;
class QFontComboBox;
class QTextCharFormat;

namespace velmora {

class TWPRichText;

class TWPToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit TWPToolBar(QWidget *parent = nullptr);
    void Attach(TWPRichText *editor);
    TWPRichText *Editor() const { return editor_; }

private:
    void formatChanged(const QTextCharFormat &format);
    void mergeFormat(const QTextCharFormat &format);
    // The font list is made when an editor is first attached: making it reads icon files,
    // which loads every picture format plugin, and the program's first paint shows the bar
    // disabled anyway. Until then a plain box of the same size stands in for it.
    void makeFontBox();
    QPointer<TWPRichText> editor_;
    QFontComboBox *fontBox_ = nullptr;
    QComboBox *fontStandIn_ = nullptr;
    QAction *fontStandInAction_ = nullptr;
    QComboBox *sizeBox_;
    QComboBox *colorBox_;
    QAction *bold_;
    QAction *italic_;
    QAction *underline_;
    QAction *alignLeft_;
    QAction *alignCenter_;
    QAction *alignRight_;
    bool updating_ = false;
};

} // namespace velmora
