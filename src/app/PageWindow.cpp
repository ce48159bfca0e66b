#include "app/PageWindow.h"

#include "calendar/Calpanel32.h"

#include <QAction>
#include <QMenuBar>
#include <QPalette>
#include <QScrollArea>

#include <cmath>

namespace velmora {

TPageWindow::TPageWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Velmora"));
    auto *scroll = new QScrollArea(this);
    scroll->setBackgroundRole(QPalette::Dark);
    page_ = new TCalendarPanel32;
    page_->ResetToDefaults();
    page_->SetZoom(0.6F);
    scroll->setWidget(page_);
    setCentralWidget(scroll);

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction *in = view->addAction(QStringLiteral("Zoom &In"));
    in->setShortcut(QKeySequence::ZoomIn);
    connect(in, &QAction::triggered, this, [this] { zoomBy(1); });
    QAction *out = view->addAction(QStringLiteral("Zoom &Out"));
    out->setShortcut(QKeySequence::ZoomOut);
    connect(out, &QAction::triggered, this, [this] { zoomBy(-1); });
    QAction *quit = view->addAction(QStringLiteral("E&xit"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    resize(1000, 760);
}

void TPageWindow::zoomBy(int tenths)
{
    const double z = std::round(double(page_->Zoom()) * 10 + tenths) / 10;
    page_->SetZoom(static_cast<float>(z));
}

} // namespace velmora
