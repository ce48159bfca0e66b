#pragma once
// The hidden rich text control that draws every rich text label. Labels do not lay out text
// themselves: each hands its document to the one master of its window and lets it paint. A
// window (or the exporter) makes a master and keeps it; labels find it by name when loaded.
#include "common/Color.h"

#include <QImage>

#include <list>
#include <memory>
#include <string>
#include <string_view>

class QPainter;
class QRectF;
class QTextDocument;

namespace velmora {

class TWPRtfStorage;

class TWPMasterRichText
{
public:
    static constexpr const char *kMasterName = "MASTERWPRICHTEXT";

    // Makes a master and lists it for Find until the last reference to it goes away.
    static std::shared_ptr<TWPMasterRichText> Create(std::string name = kMasterName);
    // The first listed master whose upper-case name equals `upperName`; nullptr when none.
    static std::shared_ptr<TWPMasterRichText> Find(std::string_view upperName);

    ~TWPMasterRichText();
    TWPMasterRichText(const TWPMasterRichText &) = delete;
    TWPMasterRichText &operator=(const TWPMasterRichText &) = delete;

    const std::string &Name() const { return name_; }
    int ZoomPercent() const { return zoomPercent_; }
    void SetZoomPercent(int percent);
    TColor BackgroundColor() const { return background_; }
    void SetBackgroundColor(TColor color) { background_ = color; }

    // Takes a copy of the store's document.
    void SetDocument(const TWPRtfStorage &store);
    // Paints the document over the rectangle (in the painter's units) at the zoom: the text
    // is broken into lines for the rectangle's width at 100 percent, so lines break alike at
    // every zoom, and whatever does not fit is cut off.
    void PaintInto(QPainter &painter, const QRectF &rect);
    // As PaintInto, but `scale` painter units per page pixel at 100 percent (the printer).
    void PaintScaled(QPainter &painter, const QRectF &rect, double scale);

private:
    explicit TWPMasterRichText(std::string name);

    struct TCached
    {
        std::string rtf;
        std::unique_ptr<QTextDocument> doc;
    };
    // Laid-out documents by their RTF: a page of labels is repainted often and unchanged.
    QTextDocument &cachedDocument(const std::string &rtf);

    std::string name_;
    int zoomPercent_ = 100;
    TColor background_ = clWhite;
    std::string current_;
    std::list<TCached> cache_; // most recently used first
    QImage layoutDevice_;      // 96 pixels per inch, whatever the screen
};

} // namespace velmora
