#include "calendar/NameTables.h"

#include <QLocale>

namespace velmora {

const TNameTables &BuiltInNames(TNameLanguage language)
{
    // "Freitag " keeps its trailing space: documents written with the German table carry it.
    static const std::array<TNameTables, 5> tables = {{
        {{"January", "February", "March", "April", "May", "June", "July", "August",
          "September", "October", "November", "December"},
         {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}},
        {{"Janvier", "Février", "Mars", "Avril", "Mai", "Juin", "Juillet", "Août", "Septembre",
          "Octobre", "Novembre", "Décembre"},
         {"Dimanche", "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi"}},
        {{"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September",
          "Oktober", "November", "Dezember"},
         {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag ", "Samstag"}},
        {{"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto",
          "Septiembre", "Octubre", "Noviembre", "Diciembre"},
         {"Domingo", "Lunes", "Martes", "Miércoles", "Jueves", "Viernes", "Sábado"}},
        {{"Gennaio", "Febbraio", "Marzo", "Aprile", "Maggio", "Giugno", "Luglio", "Agosto",
          "Settembre", "Ottobre", "Novembre", "Dicembre"},
         {"Domenica", "Lunedì", "Martedì", "Mercoledì", "Giovedì", "Venerdì", "Sabato"}},
    }};
    return tables.at(static_cast<size_t>(language));
}

TNameTables SystemNames()
{
    TNameTables names = BuiltInNames(TNameLanguage::English);
    const QLocale locale = QLocale::system();
    for (int m = 1; m <= 12; ++m) {
        const QString n = locale.standaloneMonthName(m, QLocale::LongFormat);
        if (!n.isEmpty())
            names.months.at(size_t(m - 1)) = n.toStdString();
    }
    for (int d = 1; d <= 7; ++d) {
        // QLocale counts Monday = 1 .. Sunday = 7; our tables start with Sunday.
        const int qtDay = d == 1 ? 7 : d - 1;
        const QString n = locale.standaloneDayName(qtDay, QLocale::LongFormat);
        if (!n.isEmpty())
            names.days.at(size_t(d - 1)) = n.toStdString();
    }
    return names;
}

} // namespace velmora
