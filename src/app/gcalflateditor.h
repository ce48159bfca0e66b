#pragma once
// The floating calendar's properties dialog. It edits a preview calendar of its own, shown
// at once after every change; the object copies the preview back only on OK.
//
// It lives in the program layer because its font buttons use the program's font dialog,
// which carries a colour and the underline and strike-out effects.
#include "calendar/gcalflat.h"
#include "common/Program.h"

#include <QDialog>
#include <QToolButton>

#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace velmora {

class TRadioGroup;

// A colour button that drops down twenty colours in four columns and "&Other" for any other.
class TFlatColorButton : public QToolButton
{
    Q_OBJECT
public:
    static const TColor kPalette[20];

    explicit TFlatColorButton(const QString &caption, QWidget *parent = nullptr);
    TColor Color() const { return color_; }
    // Shows a colour without reporting it.
    void SetColor(TColor color);
    // The user's choice: shows the colour and reports it.
    void PickColor(TColor color);

signals:
    void colorPicked(TColor color);

private:
    TColor color_ = clWhite;
};

class TFlatCalendarEditor : public QDialog
{
    Q_OBJECT
public:
    explicit TFlatCalendarEditor(QWidget *parent = nullptr);
    ~TFlatCalendarEditor() override;

    TGFlatCalendar &Sample() { return sample_; }

    // Edits a copy of `preview` (its properties and unzoomed size); on OK the changes are
    // copied back into it. True when the dialog closed with OK.
    bool Execute(TGFlatCalendar &preview);
    // Makes this dialog the one the floating calendars' "Properties" entry runs.
    void Install();

    // Sets every control from the preview; the change handlers act only afterwards.
    void Activate();

    // Empty: the real modal loop. Tests drive the controls and click a button instead.
    DialogRunner<TFlatCalendarEditor> RunModal;

private:
    void changed();
    void editFont(const TFontDesc &start, void (TGFlatCalendar::*set)(const TFontDesc &));
    QComboBox *combo(const char *name, const QStringList &items);
    TFlatColorButton *colorButton(const char *name, const QString &caption);

    TGFlatCalendar sample_;
    bool active_ = false;
    bool installed_ = false;
    QWidget *preview_ = nullptr;
    QScrollArea *scroll_ = nullptr;
    QSpinBox *yearSpinner_ = nullptr;
    QComboBox *monthCombo_ = nullptr;
    QCheckBox *showYear_ = nullptr;
    QComboBox *headersStyle_ = nullptr;
    QComboBox *language_ = nullptr;
    TRadioGroup *weekStartsOn_ = nullptr;
    QComboBox *calendarBorder_ = nullptr;
    QComboBox *headerBorder_ = nullptr;
    QComboBox *cellBorder_ = nullptr;
    TFlatColorButton *titleBackground_ = nullptr;
    TFlatColorButton *headerBackground_ = nullptr;
    TFlatColorButton *bodyBackground_ = nullptr;
    QCheckBox *transparent_ = nullptr;
    TFlatColorButton *shadowColor_ = nullptr;
    QComboBox *shadowOrientation_ = nullptr;
    QSpinBox *shadowDepth_ = nullptr;
};

} // namespace velmora
