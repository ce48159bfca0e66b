// The main window's File > Export Calendar Year.
#include "app/Camain.h"

#include "calendar/Calpanel32.h"
#include "common/Program.h"
#include "recurring/RecurCommands.h"

#include <filesystem>

namespace velmora {

void TCalendarMain::mnuExportCalendarYearClick()
{
    // A cell being edited counts: its text is part of the page the months start from.
    DoSaveRichtext();
    TYearExportHooks hooks = ExportYearHooks;
    if (!hooks.select)
        hooks.select = SelectRecurringDates;
    ExportCalendarYearCommand(this, page_->Page(), CurrentFileName(), DialogFolder(),
                              std::filesystem::path(IniFileName().toStdString()), hooks,
                              {[this] { hidePaletteFor(); }, [this] { showPaletteAfter(); }});
}

} // namespace velmora
