#pragma once
// A plain window that shows the calendar page in a scroll box, with zoom keys.
#include <QMainWindow>

namespace velmora {

class TCalendarPanel32;

class TPageWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit TPageWindow(QWidget *parent = nullptr);
    TCalendarPanel32 *page() const { return page_; }

private:
    void zoomBy(int tenths);
    TCalendarPanel32 *page_;
};

} // namespace velmora
