// Renders the icon libraries that ship with Velmora from the colour emoji of the Noto Color
// Emoji font (SIL Open Font License 1.1; on Debian: fonts-noto-color-emoji), 32×32 pixels
// with alpha, and writes them as NE icon libraries:
//   make_icons OUTPUT_FOLDER [SHEET.png]
// writes activity.icl, events.icl, holiday.icl, misc1.icl, misc2.icl and BonusIcons/*.icl.
// and, when asked, one contact sheet of every icon for a look over them all.
// The font is needed only here; the libraries are committed.
#include "imaging/IconLibraryWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

using namespace velmora;

namespace {

struct TIconSource
{
    char32_t code;
    const char *name;
};

struct TLibrarySource
{
    const char *file; // relative to the output folder
    const char *module;
    std::vector<TIconSource> icons;
};

// Each emoji appears in one library only, so no two shipped icons are the same picture.
const std::vector<TLibrarySource> &libraries()
{
    static const std::vector<TLibrarySource> list = {
        {"activity.icl", "ACTIVITY",
         {{0x1F3EB, "school"},        {0x1F392, "backpack"},      {0x1F4DA, "books"},
          {0x270F, "pencil"},         {0x1F58D, "crayon"},        {0x1F4D0, "set square"},
          {0x1F4CF, "ruler"},         {0x1F393, "graduation"},    {0x1F9EE, "abacus"},
          {0x1F52C, "microscope"},    {0x1F34E, "apple"},         {0x1F68C, "school bus"},
          {0x1F3A8, "art class"},     {0x1F3BB, "violin"},        {0x1F3B9, "piano"},
          {0x1F3B8, "guitar"},        {0x1F9EA, "science"},       {0x1F4D6, "reading"},
          {0x1F3AD, "theatre"},       {0x1F3AC, "film"},          {0x26BD, "soccer"},
          {0x1F3C0, "basketball"},    {0x1F3C8, "football"},      {0x26BE, "baseball"},
          {0x1F3BE, "tennis"},        {0x1F3D0, "volleyball"},    {0x1F3CA, "swimming"},
          {0x1F6B2, "bicycle"},       {0x1F3C6, "trophy"},        {0x1F3C5, "medal"},
          {0x2708, "flight"},         {0x1F686, "train"},         {0x1F697, "car trip"},
          {0x1F6A2, "cruise"},        {0x1F3D5, "camping"},       {0x1F5FA, "map"},
          {0x1F9F3, "luggage"},       {0x1F3D6, "beach"},         {0x1F3A2, "fair"},
          {0x1F3A1, "ferris wheel"}}},
        {"events.icl", "EVENTS",
         {{0x1F382, "birthday cake"}, {0x1F9C1, "cupcake"},       {0x1F388, "balloon"},
          {0x1F389, "party"},         {0x1F38A, "confetti"},      {0x1F380, "bow"},
          {0x1F451, "crown"},         {0x1F973, "party face"},    {0x1F37E, "champagne"},
          {0x1F942, "toast"},         {0x1F48D, "ring"},          {0x1F492, "wedding"},
          {0x1F490, "bouquet"},       {0x1F339, "rose"},          {0x2764, "heart"},
          {0x1F495, "two hearts"},    {0x1F48C, "love letter"},   {0x1F48E, "gem"},
          {0x1F4C5, "date"},          {0x1F4C6, "tear-off"},      {0x1F5D3, "planner"},
          {0x23F0, "alarm clock"},    {0x231A, "watch"},          {0x1F4DE, "phone call"},
          {0x1F4CC, "pin"},           {0x1F4DD, "memo"},          {0x1F3E5, "hospital"},
          {0x1F9B7, "dentist"},       {0x1FA7A, "doctor"},        {0x1F487, "haircut"},
          {0x1F4BC, "meeting"},       {0x1F3E6, "bank"},          {0x1F4B0, "pay day"},
          {0x1F9FE, "bills"},         {0x1F4E6, "parcel"},        {0x2709, "letter"},
          {0x1F476, "baby"},          {0x1F37C, "baby bottle"},   {0x1F3E0, "house"},
          {0x1F511, "key"}}},
        {"holiday.icl", "HOLIDAY",
         {{0x1F384, "christmas tree"},{0x1F385, "santa"},         {0x1F936, "mrs claus"},
          {0x1F98C, "reindeer"},      {0x1F381, "present"},       {0x1F514, "bell"},
          {0x1F56F, "candle"},        {0x1F54E, "menorah"},       {0x1FA94, "diya"},
          {0x1F383, "jack-o-lantern"},{0x1F47B, "ghost"},         {0x1F987, "bat"},
          {0x1F578, "spider web"},    {0x1F36C, "sweet"},         {0x1F36D, "lollipop"},
          {0x1F386, "fireworks"},     {0x1F387, "sparkler"},      {0x1F9E8, "firecracker"},
          {0x1F3EE, "lantern"},       {0x1F9E7, "red envelope"},  {0x1F96E, "moon cake"},
          {0x1F38D, "pine"},          {0x1F38E, "dolls"},         {0x1F38F, "carp streamer"},
          {0x1F390, "wind chime"},    {0x1F391, "moon viewing"},  {0x1F38B, "tanabata"},
          {0x1F95A, "egg"},           {0x1F430, "bunny"},         {0x1F423, "chick"},
          {0x1F340, "clover"},        {0x1F498, "valentine"},     {0x1F49D, "heart gift"},
          {0x1F983, "turkey"},        {0x1F33D, "corn"},          {0x1F342, "autumn"},
          {0x1F341, "maple"},         {0x1F338, "spring"},        {0x1F337, "tulip"},
          {0x26C4, "winter"}}},
        {"misc1.icl", "MISC1",
         {{0x2600, "sunny"},          {0x1F324, "mostly sunny"},  {0x26C5, "partly cloudy"},
          {0x1F325, "mostly cloudy"}, {0x1F326, "showers"},       {0x2601, "cloudy"},
          {0x1F327, "rain"},          {0x26C8, "thunderstorm"},   {0x1F329, "lightning"},
          {0x1F328, "snow"},          {0x2744, "snowflake"},      {0x1F32A, "tornado"},
          {0x1F32B, "fog"},           {0x1F32C, "wind"},          {0x1F308, "rainbow"},
          {0x2602, "umbrella"},       {0x2614, "umbrella rain"},  {0x1F321, "temperature"},
          {0x1F4A7, "drop"},          {0x1F30A, "wave"},          {0x1F311, "new moon"},
          {0x1F312, "waxing crescent"},{0x1F313, "first quarter"},{0x1F314, "waxing gibbous"},
          {0x1F315, "full moon"},     {0x1F316, "waning gibbous"},{0x1F317, "last quarter"},
          {0x1F318, "waning crescent"},{0x1F319, "crescent"},     {0x2B50, "star"},
          {0x1F320, "shooting star"}, {0x1F30C, "milky way"},     {0x1F305, "sunrise"},
          {0x1F307, "sunset"},        {0x1F31E, "sun face"},      {0x1F31D, "moon face"}}},
        {"misc2.icl", "MISC2",
         {{0x1F415, "dog"},           {0x1F408, "cat"},           {0x1F407, "rabbit"},
          {0x1F439, "hamster"},       {0x1F41F, "fish"},          {0x1F420, "tropical fish"},
          {0x1F426, "bird"},          {0x1F99C, "parrot"},        {0x1F422, "turtle"},
          {0x1F40E, "horse"},         {0x1F98E, "lizard"},        {0x1F43E, "paw prints"},
          {0x1F9B4, "bone"},          {0x1F9F6, "yarn"},          {0x1F9F9, "sweep"},
          {0x1F9FA, "laundry"},       {0x1F9FC, "soap"},          {0x1F9FD, "sponge"},
          {0x1FAA3, "bucket"},        {0x1F5D1, "rubbish"},       {0x1F9FB, "paper roll"},
          {0x1F527, "repair"},        {0x1F528, "hammer"},        {0x1F6D2, "shopping"},
          {0x1F4B3, "card"},          {0x1F6BF, "shower"},        {0x1F6CF, "bed"},
          {0x1F9F5, "sewing"},        {0x1FAB4, "houseplant"},    {0x1F33F, "herbs"},
          {0x1F373, "cooking"},       {0x1F37D, "dinner"},        {0x1F4A1, "idea"},
          {0x1F4F7, "camera"},        {0x1F4BB, "computer"},      {0x1F4FA, "television"},
          {0x1F4F1, "mobile"},        {0x1F50B, "battery"},       {0x1F6A9, "flag"},
          {0x2705, "done"}}},
        {"BonusIcons/Sports.icl", "SPORTS",
         {{0x1F3D2, "hockey"},        {0x26F3, "golf"},           {0x1F3BF, "skiing"},
          {0x26F8, "skating"},        {0x1F3F8, "badminton"},     {0x1F3D3, "table tennis"},
          {0x1F94B, "martial arts"},  {0x1F3C9, "rugby"},         {0x1F3B3, "bowling"},
          {0x1F3CF, "cricket"},       {0x1F3D1, "field hockey"},  {0x1F94D, "lacrosse"},
          {0x1F3A3, "fishing"},       {0x1F3BD, "running shirt"}, {0x1F6F9, "skateboard"},
          {0x1F6F6, "canoe"},         {0x1F3C7, "horse racing"},  {0x1F3F9, "archery"},
          {0x1F94A, "boxing"},        {0x1F3AF, "darts"},         {0x1F6FC, "roller skate"},
          {0x1F94C, "curling"}}},
        {"BonusIcons/Travel.icl", "TRAVEL",
         {{0x1F30D, "globe"},         {0x26FA, "tent"},           {0x1F3D4, "mountain"},
          {0x1F3DD, "island"},        {0x1F5FC, "tower"},         {0x1F5FD, "statue"},
          {0x1F3F0, "castle"},        {0x1F3EF, "palace"},        {0x1F5FB, "mount fuji"},
          {0x1F3DF, "stadium"},       {0x1F682, "steam train"},   {0x1F68D, "bus"},
          {0x1F695, "taxi"},          {0x1F6F3, "liner"},         {0x26F5, "sailing"},
          {0x1F681, "helicopter"},    {0x1F680, "rocket"},        {0x1F6EB, "departure"},
          {0x1F6EC, "arrival"},       {0x1F3E8, "hotel"},         {0x1F4F8, "holiday snaps"},
          {0x1F9ED, "compass"}}},
        {"BonusIcons/Food.icl", "FOOD",
         {{0x1F355, "pizza"},         {0x1F354, "burger"},        {0x1F35D, "pasta"},
          {0x1F363, "sushi"},         {0x1F32E, "taco"},          {0x1F957, "salad"},
          {0x1F95E, "pancakes"},      {0x1F9C7, "waffle"},        {0x1F369, "doughnut"},
          {0x1F370, "cake slice"},    {0x1F967, "pie"},           {0x1F366, "ice cream"},
          {0x1F353, "strawberry"},    {0x1F349, "watermelon"},    {0x1F34A, "orange"},
          {0x1F34C, "banana"},        {0x1F347, "grapes"},        {0x1F95D, "kiwi"},
          {0x2615, "coffee"},         {0x1F375, "tea"},           {0x1F9C3, "juice"},
          {0x1F356, "barbecue"}}},
        {"BonusIcons/Garden.icl", "GARDEN",
         {{0x1F331, "seedling"},      {0x1F33B, "sunflower"},     {0x1F33C, "blossom"},
          {0x1F33A, "hibiscus"},      {0x1F335, "cactus"},        {0x1F333, "tree"},
          {0x1F332, "evergreen"},     {0x1F334, "palm"},          {0x1F344, "mushroom"},
          {0x1F345, "tomato"},        {0x1F955, "carrot"},        {0x1F952, "cucumber"},
          {0x1F966, "broccoli"},      {0x1F954, "potato"},        {0x1F41D, "bee"},
          {0x1F98B, "butterfly"},     {0x1F41E, "ladybird"},      {0x1F40C, "snail"},
          {0x1F41B, "caterpillar"},   {0x1F994, "hedgehog"},      {0x1F43F, "squirrel"},
          {0x1F986, "duck"}}},
    };
    return list;
}

constexpr int kIconSize = 32;
constexpr int kRenderSize = 136; // the font's bitmap strike, drawn unscaled

QImage renderEmoji(const QFont &font, char32_t code)
{
    QImage canvas(kRenderSize + 32, kRenderSize + 32, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        p.setFont(font);
        p.drawText(canvas.rect(), Qt::AlignCenter, QString::fromUcs4(&code, 1));
    }
    // Crop to the drawn pixels so that every icon fills its cell the same way.
    int left = canvas.width(), top = canvas.height(), right = -1, bottom = -1;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (qAlpha(canvas.pixel(x, y)) > 8) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0) return {};
    const QImage glyph = canvas.copy(left, top, right - left + 1, bottom - top + 1);
    const QImage scaled = glyph.scaled(kIconSize - 2, kIconSize - 2, Qt::KeepAspectRatio,
                                       Qt::SmoothTransformation);
    QImage icon(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    {
        QPainter p(&icon);
        p.drawImage((kIconSize - scaled.width()) / 2, (kIconSize - scaled.height()) / 2, scaled);
    }
    return icon.convertToFormat(QImage::Format_ARGB32);
}

TIconBitmap toBitmap(const QImage &image)
{
    TIconBitmap b;
    b.width = image.width();
    b.height = image.height();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) b.pixels.push_back(image.pixel(x, y));
    return b;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_FOLDER [SHEET.png]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QFont font(QStringLiteral("Noto Color Emoji"));
    font.setPixelSize(109);
    font.setStyleStrategy(QFont::NoFontMerging);
    if (QFontInfo(font).family() != QStringLiteral("Noto Color Emoji")) {
        std::fprintf(stderr, "The Noto Color Emoji font is not installed.\n");
        return 1;
    }
    const QFontMetrics metrics(font);
    std::set<char32_t> seen;
    int total = 0;
    std::vector<QImage> sheet;
    for (const TLibrarySource &lib : libraries()) {
        std::vector<TIconEntry> entries;
        for (const TIconSource &icon : lib.icons) {
            if (!seen.insert(icon.code).second) {
                std::fprintf(stderr, "U+%04X appears twice\n", unsigned(icon.code));
                return 1;
            }
            const QImage image = metrics.inFontUcs4(uint(icon.code))
                                     ? renderEmoji(font, icon.code) : QImage();
            if (image.isNull()) {
                std::fprintf(stderr, "U+%04X (%s) is missing from the font\n",
                             unsigned(icon.code), icon.name);
                return 1;
            }
            entries.push_back({icon.name, {toBitmap(image)}});
            sheet.push_back(image);
        }
        const std::vector<uint8_t> bytes = WriteIconLibrary(entries, lib.module);
        const QString path = out + QLatin1Char('/') + QString::fromLatin1(lib.file);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size())) !=
                qint64(bytes.size())) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%-24s %3zu icons\n", lib.file, entries.size());
        total += int(entries.size());
    }
    std::printf("%d icons in all\n", total);
    if (argc == 3) {
        constexpr int kColumns = 20, kCell = kIconSize + 4;
        const int rows = (int(sheet.size()) + kColumns - 1) / kColumns;
        QImage contact(kColumns * kCell, rows * kCell, QImage::Format_ARGB32);
        contact.fill(Qt::white);
        QPainter p(&contact);
        for (size_t i = 0; i < sheet.size(); ++i)
            p.drawImage(int(i % kColumns) * kCell + 2, int(i / kColumns) * kCell + 2, sheet[i]);
        p.end();
        if (!contact.save(QString::fromLocal8Bit(argv[2]))) return 1;
    }
    return 0;
}
