#pragma once
// The start time dialog: one hour cell and one minute cell are always selected, so OK
// always delivers a valid time.
#include "common/DateValue.h"

#include <QDialog>

#include <array>

class QAbstractButton;
class QFrame;
class QPushButton;

namespace velmora {

// The result a dialog ends with when its Cancel button (or Escape) closes it; OK ends with
// QDialog::Accepted (1).
constexpr int kModalCancel = 2;

// Short time as the user's locale writes it ("8:00 AM", "08:00").
QString ShortTimeText(TDateTime time);
// Reads a time written by ShortTimeText or typed in a common form ("8:00 am", "14:30").
// The result is the time of day alone; false when the text does not read as a time.
bool TryReadShortTime(const QString &text, TDateTime &time);
// "hh:mm am/pm": twelve-hour clock, two-digit hour and minute ("08:00 am", "12:00 pm").
QString TimeTextAmPm(int hour, int minute);

class TSetTimeDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TSetTimeDialog(QWidget *parent = nullptr);

    // The caller gives the time before the dialog runs and reads it after OK. Giving it
    // selects its hour and minute cells at once.
    void SetTime(TDateTime time);
    TDateTime Time() const { return time_; }
    int Hour() const { return hour_; }
    int Minute() const { return minute_; }

    // Cells by tag: hours 0..23, minutes 0..59.
    QAbstractButton *HourCell(int tag) const;
    QAbstractButton *MinuteCell(int tag) const;
    static bool IsCellSelected(const QAbstractButton *cell);

    void HourCellClick(int tag);
    void MinuteCellClick(int tag);

public slots:
    void reject() override;

private:
    QFrame *buildHourPanel();
    QFrame *buildMinutePanel();
    QPushButton *makeCell(QWidget *parent, int tag, const QString &caption, bool hour);
    void refreshDisplay();

    int hour_ = 0;
    int minute_ = 0;
    TDateTime time_ = 0;
    std::array<QPushButton *, 24> hourCells_{};
    std::array<QPushButton *, 60> minuteCells_{};
};

} // namespace velmora
