#pragma once
// The Properties dialog as the main window's tests answer it: the real dialog, set up by
// the command and activated as showing it does, then the example page edited and OK (or
// Cancel) pressed.
#include "app/Calprop.h"
#include "calendar/Calpanel32.h"

#include <functional>

namespace velmora::test {

inline std::function<bool(TCalendarProperties &)>
PropertiesAnswer(std::function<void(TCalendarPanel32 &example)> edit, bool ok = true)
{
    return [edit = std::move(edit), ok](TCalendarProperties &dialog) {
        dialog.FormActivate();
        if (edit)
            edit(*dialog.ExampleCalendar());
        if (!ok) {
            dialog.reject();
            return false;
        }
        dialog.OkbuttonClick();
        return dialog.result() == QDialog::Accepted;
    };
}

} // namespace velmora::test
