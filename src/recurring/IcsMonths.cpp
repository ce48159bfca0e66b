#include "recurring/IcsMonths.h"

#include <QLocale>
#include <QTime>
#include <QTimeZone>

#include <fstream>

namespace velmora {

std::string IcsShownZone()
{
    return QTimeZone::systemTimeZoneId().toStdString();
}

std::string ShortIcsTimeText(int hour, int minute)
{
    return QLocale::system().toString(QTime(hour, minute), QLocale::ShortFormat).toStdString();
}

std::string ReadIcsFile(const std::filesystem::path &file)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (!ec && size > kMaxIcsBytes)
        throw IcsImportError("The calendar file is too large to import (more than 16 MB).");
    std::ifstream in(file, std::ios::binary);
    if (!in) throw IcsImportError("The calendar file " + file.string() + " cannot be opened.");
    std::string bytes;
    bytes.resize(kMaxIcsBytes + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) throw IcsImportError("The calendar file " + file.string() + " cannot be read.");
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxIcsBytes)
        throw IcsImportError("The calendar file is too large to import (more than 16 MB).");
    return bytes;
}

TIcsMonths::TIcsMonths(const std::filesystem::path &file, int month, int year, int months)
{
    const TIcsCalendar calendar(ReadIcsFile(file), IcsShownZone());
    for (int i = 0; i < months; ++i) {
        texts_[{year, month}] = IcsDayTexts(calendar, year, month, ShortIcsTimeText);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
}

void TIcsMonths::put(int month, int year, const PutTextOnDay &putTextOnDay) const
{
    const auto found = texts_.find({year, month});
    if (found == texts_.end()) return;
    for (const IcsDayText &t : found->second)
        putTextOnDay(t.day, QString::fromStdString(t.text));
}

} // namespace velmora
