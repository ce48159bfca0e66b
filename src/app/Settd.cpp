#include "app/Settd.h"

#include "common/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

namespace velmora {

QString ShortTimeText(TDateTime time)
{
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTime(time, h, m, s, ms);
    return QLocale::system().toString(QTime(h, m), QLocale::ShortFormat);
}

bool TryReadShortTime(const QString &text, TDateTime &time)
{
    const QString t = text.trimmed();
    QTime parsed = QLocale::system().toTime(t, QLocale::ShortFormat);
    // A label written under another locale, or by hand, still reads in these forms.
    static const char *const forms[] = {"h:mm AP", "h:mm ap", "h:mmAP", "h:mmap", "H:mm",
                                        "h:mm:ss AP", "h:mm:ss ap", "H:mm:ss"};
    for (const char *form : forms) {
        if (parsed.isValid())
            break;
        parsed = QTime::fromString(t, QLatin1String(form));
    }
    if (!parsed.isValid())
        return false;
    time = EncodeTime(parsed.hour(), parsed.minute(), parsed.second());
    return true;
}

QString TimeTextAmPm(int hour, int minute)
{
    const int h12 = hour % 12 == 0 ? 12 : hour % 12;
    return QStringLiteral("%1:%2 %3")
        .arg(h12, 2, 10, QLatin1Char('0'))
        .arg(minute, 2, 10, QLatin1Char('0'))
        .arg(hour < 12 ? QStringLiteral("am") : QStringLiteral("pm"));
}

namespace {
const char *const kHourHint = "Click to set the hours portion of the time";
const char *const kMinuteHint = "Click to set the minutes portion of the time";
constexpr int kCellWidth = 24;
constexpr int kCellHeight = 19;

QLabel *panelHeading(const QString &text, QWidget *parent)
{
    auto *heading = new QLabel(text, parent);
    heading->setAutoFillBackground(true);
    QPalette pal = heading->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::HighlightedText));
    heading->setPalette(pal);
    return heading;
}

QFrame *panelFrame(const QString &name, const QString &hint, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setToolTip(hint);
    return frame;
}
} // namespace

TSetTimeDialog::TSetTimeDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SetTimeDialog"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(buildHourPanel());
    layout->addWidget(buildMinutePanel());

    layout->addWidget(OkCancelHelpButtons(this, nullptr, [this] { reject(); }, nullptr,
                                          {.ok = "okbutton"}));

    SetTime(EncodeTime(8, 0, 0));
}

QPushButton *TSetTimeDialog::makeCell(QWidget *parent, int tag, const QString &caption, bool hour)
{
    auto *cell = new QPushButton(caption, parent);
    cell->setObjectName(QStringLiteral("%1%2").arg(hour ? "Hour" : "Minute").arg(tag));
    cell->setFixedSize(kCellWidth, kCellHeight);
    cell->setFocusPolicy(Qt::NoFocus);
    cell->setAutoDefault(false);
    cell->setToolTip(QLatin1String(hour ? kHourHint : kMinuteHint));
    cell->setProperty("tag", tag);
    if (hour)
        connect(cell, &QPushButton::clicked, this, [this, tag] { HourCellClick(tag); });
    else
        connect(cell, &QPushButton::clicked, this, [this, tag] { MinuteCellClick(tag); });
    return cell;
}

QFrame *TSetTimeDialog::buildHourPanel()
{
    QFrame *panel = panelFrame(QStringLiteral("HourPanel"), QLatin1String(kHourHint), this);
    auto *grid = new QGridLayout(panel);
    grid->setSpacing(0);
    grid->addWidget(panelHeading(QStringLiteral("  Hour"), panel), 0, 0, 1, 7);
    for (int tag = 0; tag < 24; ++tag) {
        const int caption = tag % 12 == 0 ? 12 : tag % 12;
        hourCells_.at(size_t(tag)) = makeCell(panel, tag, QString::number(caption), true);
        grid->addWidget(hourCells_.at(size_t(tag)), 1 + tag / 6, tag % 6);
    }
    grid->addWidget(new QLabel(QStringLiteral(" AM"), panel), 1, 6, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral(" PM"), panel), 3, 6, 2, 1);
    return panel;
}

QFrame *TSetTimeDialog::buildMinutePanel()
{
    QFrame *panel = panelFrame(QStringLiteral("MinutePanel"), QLatin1String(kMinuteHint), this);
    auto *grid = new QGridLayout(panel);
    grid->setSpacing(0);
    grid->addWidget(panelHeading(QStringLiteral("  Minute"), panel), 0, 0, 1, 10);
    for (int tag = 0; tag < 60; ++tag) {
        const QString caption = QStringLiteral("%1").arg(tag, 2, 10, QLatin1Char('0'));
        minuteCells_.at(size_t(tag)) = makeCell(panel, tag, caption, false);
        grid->addWidget(minuteCells_.at(size_t(tag)), 1 + tag / 10, tag % 10);
    }
    return panel;
}

void TSetTimeDialog::SetTime(TDateTime time)
{
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTime(time, h, m, s, ms);
    hour_ = h;
    minute_ = m;
    refreshDisplay();
}

QAbstractButton *TSetTimeDialog::HourCell(int tag) const
{
    return tag >= 0 && tag < 24 ? hourCells_.at(size_t(tag)) : nullptr;
}

QAbstractButton *TSetTimeDialog::MinuteCell(int tag) const
{
    return tag >= 0 && tag < 60 ? minuteCells_.at(size_t(tag)) : nullptr;
}

bool TSetTimeDialog::IsCellSelected(const QAbstractButton *cell)
{
    return cell != nullptr && cell->palette().color(QPalette::Button) == QColor(Qt::yellow);
}

void TSetTimeDialog::HourCellClick(int tag)
{
    if (tag < 0 || tag > 23)
        return;
    hour_ = tag;
    refreshDisplay();
}

void TSetTimeDialog::MinuteCellClick(int tag)
{
    if (tag < 0 || tag > 59)
        return;
    minute_ = tag;
    refreshDisplay();
}

void TSetTimeDialog::refreshDisplay()
{
    time_ = EncodeTime(hour_, minute_, 0);
    setWindowTitle(QStringLiteral("Set Time As: ") + TimeTextAmPm(hour_, minute_));
    const auto paint = [](QPushButton *cell, bool selected) {
        QPalette pal = cell->palette();
        pal.setColor(QPalette::Button, selected ? QColor(Qt::yellow)
                                                : QPalette().color(QPalette::Button));
        cell->setPalette(pal);
    };
    for (int tag = 0; tag < 24; ++tag)
        paint(hourCells_.at(size_t(tag)), tag == hour_);
    for (int tag = 0; tag < 60; ++tag)
        paint(minuteCells_.at(size_t(tag)), tag == minute_);
}

void TSetTimeDialog::reject()
{
    done(kModalCancel);
}

} // namespace velmora
