// The Calendar Properties dialog's behaviour: filling the controls from the preview and
// carrying every change of a control to the preview at once.
#include "app/Calprop.h"

#include "app/CalpropBindings.h"
#include "app/ChoiceDialogs.h"
#include "app/ColorDropButton.h"
#include "app/Preferences.h"
#include "app/RadioGroup.h"
#include "app/Settd.h"
#include "calendar/DocumentFile.h"
#include "common/Program.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTime>

#include <cmath>

namespace velmora {

using namespace calprop;

namespace {

const char *const kLayoutChangeWarning = "Warning: changing to this type of layout\rwill erase "
                                         "all text and icons from the current\rcalendar. Proceed?";
// Moving a calendar with day texts to another month or year clears its day cells; the
// texts belong to the days they were written on.
const char *const kDateChangeWarning = "Warning: changing the month or year\rwill erase all "
                                       "text from the day cells\rof the current calendar. Proceed?";
const char *const kWarningCaption = "WARNING";
const char *const kPlacementName = "TCalendarProperties";
const char *const kStyleSheetFilter = "Calendar Style Sheet (*.QXS *.qxs)";

// The lines of a text box as a classic memo counts them: none when empty, and a final line
// break does not open another line.
QStringList memoLines(const QString &text)
{
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    return lines;
}

template <typename Binding, size_t N>
const Binding *bindingOf(const Binding (&table)[N], const QString &name)
{
    for (const Binding &b : table)
        if (name == QLatin1String(b.name))
            return &b;
    return nullptr;
}

// A font button shows the font it sets.
void showFont(QAbstractButton *button, const TFontDesc &font)
{
    button->setText(QStringLiteral("%1, %2 pt").arg(QString::fromStdString(font.name)).arg(font.size()));
}

// After the default style has whitened the backgrounds, a font of the same colour as its
// background (a white title made for a dark band) turns black, so nothing vanishes.
void keepReadable(TCalendarPanel32 &page, const TFontBinding &binding, TColor background)
{
    TFontDesc font = binding.get(page);
    if (ToQColor(font.color) != ToQColor(background))
        return;
    font.color = clBlack;
    binding.set(page, &font);
}

int previewTenths(const TCalendarPanel32 &page)
{
    return static_cast<int>(std::lround(static_cast<double>(page.Zoom()) * 10));
}

} // namespace

// ---- Opening ----

void TCalendarProperties::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (suppress_)
        FormActivate();
}

void TCalendarProperties::FormActivate()
{
    if (!suppress_)
        return;
    updateZoomLabel();
    try {
        RestorePlacement(*this, IniFileName(), QLatin1String(kPlacementName));
    } catch (const std::exception &) {
        // An unreadable ini file only costs the remembered window position.
    }
    startingMonth_ = example_->MainCalMonth();
    startingYear_ = example_->MainCalYear();
    if (isNew_)
        example_->ResetToDefaults();
    DetermineSettings();
    suppress_ = false;
    LayoutListClick();
}

void TCalendarProperties::DetermineSettings()
{
    const int layout = example_->CalendarLayout();
    layoutList_->setCurrentRow(RowOfLayout(layout));
    orientation_->SetItemIndex(OrientationRowOfLayout(layout));
    const int paper = example_->PaperKind();
    paperSize_->SetItemIndex(paper <= 1 ? paper : -1);
    planner_ = layout > 17;
    setDateHeading(planner_);
    setGridDate(ValidGridDate(example_->MainCalYear(), example_->MainCalMonth(),
                              example_->MainCalDay()));
    fillNames();
    // The page reads any start other than 1 as Monday.
    weekStartsOn_->SetItemIndex(example_->StartOfWeek() == 1 ? 0 : 1);
    for (const TColorBinding &b : kColorBindings)
        findChild<TColorDropButton *>(QLatin1String(b.name))->SetColor(b.get(*example_));
    for (const TRowBinding &b : kRowBindings) {
        auto *combo = findChild<QComboBox *>(QLatin1String(b.name));
        const int row = b.get(*example_);
        combo->setCurrentIndex(row >= 0 && row < combo->count() ? row : -1);
    }
    updateDateLabel();
    timeLabel_->setText(ShortTimeText(example_->PlannerFirstHour()));
    for (const TCheckBinding &b : kCheckBindings)
        findChild<QCheckBox *>(QLatin1String(b.name))->setChecked(b.get(*example_));
    for (const TFontBinding &b : kFontBindings)
        showFont(findChild<QAbstractButton *>(QLatin1String(b.name)), b.get(*example_));
    fillMarginEntries();
}

void TCalendarProperties::fillNames()
{
    QStringList months;
    QStringList days;
    std::string name;
    for (int i = 1; i <= 12; ++i) {
        example_->GetMonthName(i, name);
        months << QString::fromStdString(name);
    }
    for (int i = 1; i <= 7; ++i) {
        example_->GetDayName(i, name);
        days << QString::fromStdString(name);
    }
    monthNames_->setPlainText(months.join(QLatin1Char('\n')));
    dayNames_->setPlainText(days.join(QLatin1Char('\n')));
}

void TCalendarProperties::fillMarginEntries()
{
    for (const TMarginBinding &b : kMarginBindings)
        findChild<QComboBox *>(QLatin1String(b.name))
            ->setCurrentIndex(MarginEntry(b.get(*example_)));
}

// ---- Layout ----

void TCalendarProperties::LayoutListClick()
{
    if (suppress_)
        return;
    planner_ = false;
    if (paperSize_->ItemIndex() >= 0)
        example_->SetPaperKind(static_cast<uint8_t>(paperSize_->ItemIndex()));
    // Leaving the planners, the orientation chosen before them applies again.
    if (savedOrientation_ >= 0 && LayoutOfRow(layoutList_->currentRow(), false, loWeek) < loWeek) {
        suppress_ = true;
        orientation_->SetItemIndex(savedOrientation_);
        suppress_ = false;
        savedOrientation_ = -1;
    }
    const int layout = LayoutOfRow(layoutList_->currentRow(), orientation_->ItemIndex() == 1,
                                   example_->CalendarLayout());
    planner_ = layout > 17;
    takeDateFromGrid();
    example_->SetCalendarLayout(layout);
    example_->RecalcLayout(false);
    example_->Repaint();
    updateDateLabel();
    SetButtons();
}

void TCalendarProperties::SetButtons()
{
    const int layout = example_->CalendarLayout();
    const TPropertyAvailability a = AvailabilityOf(layout);
    const auto enable = [this](std::initializer_list<const char *> names, bool on) {
        for (const char *name : names)
            findChild<QWidget *>(QLatin1String(name))->setEnabled(on);
    };
    enable({"rOrientation"}, a.orientation);
    // A disabled choice still shows the page's orientation (portrait for the planners).
    if (!a.orientation && orientation_->ItemIndex() != OrientationRowOfLayout(layout)) {
        savedOrientation_ = orientation_->ItemIndex();
        const bool held = suppress_;
        suppress_ = true;
        orientation_->SetItemIndex(OrientationRowOfLayout(layout));
        suppress_ = held;
    }
    enable({"WeekStartsOn"}, a.weekStart);
    enable({"TitleShowYearCheck", "TitleBGColor", "NumberFontButton", "CalendarLineLayoutCombo"},
           a.fullOnly);
    enable({"TitleFontbutton", "HeaderFontButton", "HeaderBGColor", "CalHeaderStyleCombo"},
           a.titleHeader);
    enable({"MiniShowYearCheck", "Minititlefontbutton", "MiniHeaderFontButton",
            "MiniHeadersBGColorButton", "MiniCellFontButton", "MiniCalBGColorButton",
            "MiniHeadersStyleCombo", "MiniCalendarLineLayoutCombo"},
           a.minis);
    enable({"StartingtimeButton"}, a.startingTime);
    setDateHeading(layout > 17);
}

// ---- Date ----

void TCalendarProperties::setDateHeading(bool planner)
{
    dateGroup_->setTitle(planner ? QStringLiteral("Select Starting Date")
                                 : QStringLiteral("Select Month && Year"));
}

TGridDate TCalendarProperties::gridDate() const
{
    const QDate d = calendar_->selectedDate();
    return TGridDate{d.year(), d.month(), d.day()};
}

void TCalendarProperties::setGridDate(const TGridDate &date)
{
    calendar_->setCurrentPage(date.year, date.month);
    calendar_->setSelectedDate(QDate(date.year, date.month, date.day));
}

void TCalendarProperties::takeDateFromGrid()
{
    const TGridDate d = gridDate();
    example_->SetMainCalMonth(d.month);
    example_->SetMainCalYear(d.year);
    example_->SetMainCalDay(d.day);
}

void TCalendarProperties::updateDateLabel()
{
    const QDate d = calendar_->selectedDate();
    const QLocale locale = QLocale::system();
    if (planner_)
        dateLabel_->setText(locale.toString(d, QLocale::LongFormat));
    else
        dateLabel_->setText(locale.monthName(d.month(), QLocale::LongFormat) + QLatin1Char(' ') +
                            QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0')));
}

void TCalendarProperties::CalendarChange()
{
    updateDateLabel();
    if (!suppress_)
        takeDateFromGrid();
}

void TCalendarProperties::Button8Click() { setGridDate(StepYear(gridDate(), -1)); }
void TCalendarProperties::Button9Click() { setGridDate(StepMonth(gridDate(), -1)); }
void TCalendarProperties::Button11Click() { setGridDate(StepMonth(gridDate(), 1)); }
void TCalendarProperties::Button12Click() { setGridDate(StepYear(gridDate(), 1)); }

void TCalendarProperties::Button10Click()
{
    const QDate today = QDate::currentDate();
    setGridDate(TGridDate{today.year(), today.month(), today.day()});
}

// ---- Day planner ----

void TCalendarProperties::StartingtimeButtonClick()
{
    TDateTime time = 0;
    if (!TryReadShortTime(timeLabel_->text(), time)) {
        const QTime now = QTime::currentTime();
        time = EncodeTime(now.hour(), now.minute(), 0);
        timeLabel_->setText(ShortTimeText(time));
    }
    TSetTimeDialog dialog(this);
    dialog.SetTime(time);
    CenterForm(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    timeLabel_->setText(ShortTimeText(dialog.Time()));
    example_->SetPlannerFirstHour(dialog.Time());
}

// ---- Names ----

bool TCalendarProperties::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == monthNames_)
            MonthNamesExit();
        else if (watched == dayNames_)
            DayNamesExit();
    }
    return QDialog::eventFilter(watched, event);
}

void TCalendarProperties::MonthNamesExit()
{
    const QStringList lines = memoLines(monthNames_->toPlainText());
    for (int i = 1; i <= 12 && i <= lines.size(); ++i)
        example_->SetMonthName(i, lines.at(i - 1).toStdString());
    monthNames_->document()->setModified(false);
    example_->Repaint();
}

void TCalendarProperties::DayNamesExit()
{
    const QStringList lines = memoLines(dayNames_->toPlainText());
    for (int i = 1; i <= 7 && i <= lines.size(); ++i)
        example_->SetDayName(i, lines.at(i - 1).toStdString());
    dayNames_->document()->setModified(false);
    example_->Repaint();
}

void TCalendarProperties::commitEditedNames()
{
    // OK by its shortcut or the Enter key does not take the focus from a text box, so an
    // edit still sitting in one is taken here.
    if (monthNames_->document()->isModified())
        MonthNamesExit();
    if (dayNames_->document()->isModified())
        DayNamesExit();
}

void TCalendarProperties::LanguageClick(TNameLanguage language)
{
    const TNameTables &names = BuiltInNames(language);
    for (int i = 1; i <= 12; ++i)
        example_->SetMonthName(i, names.months.at(size_t(i - 1)));
    for (int i = 1; i <= 7; ++i)
        example_->SetDayName(i, names.days.at(size_t(i - 1)));
    fillNames();
    example_->Repaint();
}

// ---- Margins ----

void TCalendarProperties::MarginComboChange(QComboBox *combo)
{
    if (suppress_ || combo == nullptr)
        return;
    const TMarginBinding *b = bindingOf(kMarginBindings, combo->objectName());
    if (b == nullptr)
        return;
    float inches = 0;
    if (MarginOfEntry(combo->currentIndex(), inches)) {
        b->set(*example_, inches);
        return;
    }
    // The empty entry names no margin: the margin stays and the list shows it again.
    suppress_ = true;
    combo->setCurrentIndex(MarginEntry(b->get(*example_)));
    suppress_ = false;
}

void TCalendarProperties::UnitsClick()
{
    const QComboBox *source = useMillimeters_->isChecked() ? invisMM_ : invisInches_;
    const bool wasSuppressed = suppress_;
    suppress_ = true;
    for (const TMarginBinding &b : kMarginBindings)
        fillListEntries(findChild<QComboBox *>(QLatin1String(b.name)), source);
    suppress_ = wasSuppressed;
}

void TCalendarProperties::fillListEntries(QComboBox *combo, const QComboBox *source)
{
    const int entry = combo->currentIndex();
    combo->clear();
    for (int i = 0; i < source->count(); ++i)
        combo->addItem(source->itemText(i));
    combo->setCurrentIndex(entry < combo->count() ? entry : -1);
}

// ---- Fonts and colours ----

void TCalendarProperties::FontButtonClick(QAbstractButton *button)
{
    if (suppress_ || button == nullptr)
        return;
    const TFontBinding *b = bindingOf(kFontBindings, button->objectName());
    if (b == nullptr)
        return;
    if (const auto chosen = Choices().chooseFont(this, b->get(*example_))) {
        b->set(*example_, &*chosen);
        showFont(button, b->get(*example_));
    }
}

void TCalendarProperties::ColorPicked(TColorDropButton *button, int color)
{
    if (suppress_ || button == nullptr)
        return;
    if (const TColorBinding *b = bindingOf(kColorBindings, button->objectName()))
        b->set(*example_, color);
}

// ---- Preview zoom ----

// The factor steps as exact tenths within the page's range 20%..100%, whichever way a
// float factor was reached.
void TCalendarProperties::ZoomInButtonClick()
{
    const int tenths = previewTenths(*example_);
    if (tenths < 10)
        example_->SetZoom(static_cast<float>(tenths + 1) / 10.0F);
    updateZoomLabel();
}

void TCalendarProperties::ZoomOutbuttonClick()
{
    const int tenths = previewTenths(*example_);
    if (tenths > 2)
        example_->SetZoom(static_cast<float>(tenths - 1) / 10.0F);
    updateZoomLabel();
}

void TCalendarProperties::updateZoomLabel()
{
    const long percent = std::lround(static_cast<double>(example_->Zoom()) * 100);
    zoomLabel_->setText(QString::number(percent) + QLatin1Char('%'));
}

// ---- Buttons ----

bool TCalendarProperties::confirmErase()
{
    if (isNew_)
        return true;
    const bool familyChanged = example_->LayoutFamily() != startingFamily_;
    if (familyChanged && (cellsHaveText_ || pageHasObjects_))
        return AskYesNo(QLatin1String(kLayoutChangeWarning), QLatin1String(kWarningCaption));
    const int layout = example_->CalendarLayout();
    const bool hasDayCells = LayoutHasMonthGrid(layout) || LayoutIsPlanner(layout);
    const bool dateChanged = startingMonth_ != 0 && (example_->MainCalMonth() != startingMonth_ ||
                                                     example_->MainCalYear() != startingYear_);
    if (!familyChanged && dateChanged && cellsHaveText_ && hasDayCells)
        return AskYesNo(QLatin1String(kDateChangeWarning), QLatin1String(kWarningCaption));
    return true;
}

void TCalendarProperties::OkbuttonClick()
{
    commitEditedNames();
    if (!confirmErase())
        return;
    accept();
}

void TCalendarProperties::reject()
{
    done(kModalCancel);
}

void TCalendarProperties::done(int result)
{
    if (isVisible()) {
        try {
            SavePlacement(*this, IniFileName(), QLatin1String(kPlacementName));
        } catch (const std::exception &) {
            // A read-only ini file must not keep the dialog open.
        }
    }
    QDialog::done(result);
}

void TCalendarProperties::refillAfterReset()
{
    suppress_ = true;
    DetermineSettings();
    suppress_ = false;
    LayoutListClick();
}

void TCalendarProperties::DefaultbuttonClick()
{
    suppress_ = true;
    example_->ResetToDefaults();
    const std::pair<const char *, TColor> backgrounds[] = {
        {"TitleFontbutton", example_->TitleBGColor()},
        {"HeaderFontButton", example_->HeadersBGColor()},
        {"NumberFontButton", clWhite},
        {"Minititlefontbutton", example_->MiniCalBGColor()},
        {"MiniHeaderFontButton", example_->MiniHeadersBGColor()},
        {"MiniCellFontButton", example_->MiniCalBGColor()}};
    for (const auto &[name, background] : backgrounds)
        if (const TFontBinding *b = bindingOf(kFontBindings, QString::fromLatin1(name)))
            keepReadable(*example_, *b, background);
    refillAfterReset();
}

void TCalendarProperties::HelpbuttonClick()
{
    ShowHelpContext(kHelpTopicBase + notebook_->currentIndex());
}

void TCalendarProperties::SaveAsStyleSheetButtonClick()
{
    commitEditedNames();
    const QString path =
        Ui().saveFileName(QLatin1String(kStyleSaveTitle), AppFolder(),
                          QLatin1String(kStyleDefaultName), QLatin1String(kStyleSheetFilter),
                          QStringLiteral("QXS"));
    if (path.isEmpty())
        return;
    if (!IsStyleSheetName(path)) {
        ShowInformation(QLatin1String(kStyleSaveExtensionMessage));
        return;
    }
    try {
        SaveStyleSheet(*example_, path);
    } catch (const std::exception &e) {
        ShowInformation(QString::fromStdString(e.what()));
    }
}

void TCalendarProperties::LoadStyleSheetButtonClick()
{
    const QString path = Ui().openFileName(QLatin1String(kStyleOpenTitle), AppFolder(),
                                           QLatin1String(kStyleSheetFilter));
    if (path.isEmpty())
        return;
    if (!IsStyleSheetName(path)) {
        ShowInformation(QLatin1String(kStyleOpenExtensionMessage));
        return;
    }
    // Read into a copy: a damaged file must not leave the preview half loaded.
    TCalendarSettings settings = example_->Settings();
    try {
        ReadStyleSheet(settings, ReadWholeFile(path));
    } catch (const std::exception &) {
        ShowInformation(StyleSheetOpenErrorMessage(path));
        return;
    }
    example_->SettingsForReading() = settings;
    example_->RecalcLayout(false);
    styleSheetLoaded_ = true;
    refillAfterReset();
}

} // namespace velmora
