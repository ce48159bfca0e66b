#pragma once
// Font and colour choices go through one replaceable service, as messages and file dialogs
// do, so that tests can script what the user picks.
#include "common/Color.h"
#include "common/Font.h"

#include <memory>
#include <optional>

class QFont;
class QWidget;

namespace velmora {

class TChoiceService
{
public:
    virtual ~TChoiceService() = default;
    // The chosen font, or nothing when the user cancelled. The colour is part of the font.
    virtual std::optional<TFontDesc> chooseFont(QWidget *parent, const TFontDesc &initial) = 0;
    virtual std::optional<TColor> chooseColor(QWidget *parent, TColor initial) = 0;
};

// The service in use; the default shows the toolkit's font and colour dialogs.
TChoiceService &Choices();
// Replaces the service (nullptr restores the default). Returns the previous one.
std::unique_ptr<TChoiceService> SetChoiceService(std::unique_ptr<TChoiceService> service);

// Between our font descriptions and the toolkit's fonts, by point size; the colour is not
// part of a QFont and stays with the description.
QFont ToQFont(const TFontDesc &font);
void ApplyQFont(const QFont &from, TFontDesc &to);

} // namespace velmora
