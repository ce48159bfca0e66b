#include "calendar/CalendarTypes.h"

namespace velmora {

int LayoutFamilyOf(int layout)
{
    if (layout >= 0 && layout <= 7)
        return 0;
    if (layout >= 8 && layout <= 17)
        return 1;
    switch (layout) {
    case loWeek: return 2;
    case lo2Week: return 3;
    case loDay10: return 4;
    case loDay15: return 5;
    default: return 0; // a damaged document's layout draws as a month grid family
    }
}

bool LayoutHasMonthGrid(int layout) { return layout >= 0 && layout <= 7; }
bool LayoutHasMinis(int layout) { return layout >= 2 && layout <= 17; }
bool LayoutIsPlanner(int layout) { return layout >= 18 && layout <= 21; }

TCalendarOrientation LayoutOrientation(int layout)
{
    return (layout >= 1 && layout <= 17 && layout % 2 == 1) ? coLandscape : coPortrait;
}

} // namespace velmora
