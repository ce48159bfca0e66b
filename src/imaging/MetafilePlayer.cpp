#include "imaging/MetafilePlayer.h"

namespace velmora {

PlayResult playMetafile(QPainter &painter, const QRectF &target, std::span<const uint8_t> bytes)
{
    switch (metafileKind(bytes)) {
    case MetafileKind::Emf: return playEmf(painter, target, bytes);
    case MetafileKind::Wmf:
    case MetafileKind::PlaceableWmf: return playWmf(painter, target, bytes);
    default: return {};
    }
}

} // namespace velmora
