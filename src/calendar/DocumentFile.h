#pragma once
// Calendar documents (.QXF) and style sheets (.QXS): the page's settings block, its 42 day
// cell texts, its title and its design objects, in the component stream encoding.
#include "calendar/PageSettings.h"
#include "common/ComponentStream.h"

#include <QString>

#include <stdexcept>
#include <string>

namespace velmora {

class TCalendarPage;

constexpr int32_t kDocumentVersion = 3;
constexpr int32_t kDocumentKind = 1;
constexpr int32_t kStyleSheetKind = 2;

// A save that could not be completed; the previous file is left as it was.
class EWriteError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The design objects of a document, as the object host provides them.
class TDocumentObjects
{
public:
    virtual ~TDocumentObjects() = default;
    // Writes one component record per object, in the page's child order.
    virtual void writeObjects(TWriter &writer) const = 0;
    // A new object of a registered class, named as the owner decides; nullptr when the
    // class is not registered.
    virtual TStreamable *createObject(const std::string &className) = 0;
    // The object's properties have been read: it goes onto the page.
    virtual void objectLoaded(TStreamable *object) = 0;
    // Reading the object failed part way: it is thrown away.
    virtual void discardObject(TStreamable *object) = 0;
    // As createObject, for a holder that keeps the name the record carries; the page renames
    // what it reads and leaves this as it is.
    virtual TStreamable *createStoredObject(const TComponentHeader &header)
    {
        return createObject(header.className);
    }
    // The whole record of a class createObject refused, to be written back unchanged among
    // the objects. False when the holder cannot keep it: the object is then lost.
    virtual bool keepRecord(std::span<const uint8_t> /*record*/) { return false; }
};

struct TLoadReport
{
    int version = 0;
    int objectsLoaded = 0;
    // Records of classes the holder cannot create, kept as they are to be written back.
    int objectsKept = 0;
    // Objects loaded without one or more properties whose value could not be taken (a bad
    // enumeration name, say); those properties keep their defaults.
    int objectsPartlyRead = 0;
    // Objects left out: damaged records, which also hide everything after them, and records
    // of unknown classes that the holder could not keep.
    int objectsLost = 0;
};

void WriteFontRecord(TWriter &w, const TFontDesc &font);
void ReadFontRecord(TReader &r, TFontDesc &font);
void WriteSettings(TWriter &w, const TCalendarSettings &s);
// Plain field writes, in the block's order, without the page's setters.
void ReadSettings(TReader &r, TCalendarSettings &s);

TBytes DocumentBytes(const TCalendarPage &page, const TDocumentObjects *objects);
TBytes StyleSheetBytes(const TCalendarSettings &s);
// Reads a document into the page; the caller has cleared cells, objects and title.
// Throws EReadError for a damaged or foreign file.
TLoadReport ReadDocument(TCalendarPage &page, std::span<const uint8_t> bytes,
                         TDocumentObjects *objects);
void ReadStyleSheet(TCalendarSettings &s, std::span<const uint8_t> bytes);

// File operations. Saves are atomic; failures throw EWriteError / EReadError.
void SaveToFile(const TCalendarPage &page, const QString &path,
                const TDocumentObjects *objects = nullptr);
TLoadReport LoadFromFile(TCalendarPage &page, const QString &path,
                         TDocumentObjects *objects = nullptr);
void SaveStyleSheet(const TCalendarPage &page, const QString &path);
void LoadStyleSheet(TCalendarPage &page, const QString &path);
void WriteFileAtomically(const QString &path, std::span<const uint8_t> bytes);
TBytes ReadWholeFile(const QString &path);

// Style sheet names end in ".QXS" (any case).
bool IsStyleSheetName(const QString &path);
QString DocumentOpenErrorMessage(const QString &path);
QString StyleSheetOpenErrorMessage(const QString &path);
// What a load left out or read only in part, for the user; empty when nothing was.
QString LoadReportMessage(int objectsLost, int objectsPartlyRead, const QString &fileName);
inline const char *const kStyleSaveExtensionMessage = "Must save as a Calendar Style Sheet (*.QXS)";
inline const char *const kStyleOpenExtensionMessage = "Must be a Calendar Style Sheet (*.QXS)";
inline const char *const kStyleSaveTitle = "Save As Calendar Style Sheet";
inline const char *const kStyleOpenTitle = "Open Calendar Style Sheet";
inline const char *const kStyleDefaultName = "MyStyle.QXS";

} // namespace velmora
