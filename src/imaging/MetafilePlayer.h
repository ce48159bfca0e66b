#pragma once
// Windows metafiles (WMF, plain or placeable) and enhanced metafiles (EMF), played into any
// QPainter: screen, bitmap or PDF, where they stay vectors.
#include "imaging/MetafileHeader.h"

#include <QPainter>
#include <QRectF>

#include <cstdint>
#include <span>

namespace velmora {

struct PlayResult {
    bool ok = false;  // false: not a metafile we know
    int records = 0;  // records read
    int skipped = 0;  // unknown or damaged records passed over
};

// Maps the picture's frame onto target. Damaged records are skipped; playing never reads
// outside the bytes given.
PlayResult playMetafile(QPainter &painter, const QRectF &target, std::span<const uint8_t> bytes);

PlayResult playWmf(QPainter &painter, const QRectF &target, std::span<const uint8_t> bytes);
PlayResult playEmf(QPainter &painter, const QRectF &target, std::span<const uint8_t> bytes);

} // namespace velmora
