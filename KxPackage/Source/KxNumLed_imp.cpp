#include "KxPackage/Source/KxNumLed_imp.h"

#include <memory>

namespace tessel {

namespace {

// The cell builders of the program's painter.
using Builder = detail::Builder<NumLedPainter>;
using Builder_r7_s = detail::Builder_r7_s<NumLedPainter>;

// A new builder for the style, or none for a value that names no style.
std::unique_ptr<Builder> CreateBuilder(KxNumLedStyle style) {
    if (style == nledRectangle7_s)
        return std::make_unique<Builder_r7_s>();
    return nullptr;
}

} // namespace

KxNumLed_imp::KxNumLed_imp(TComponent* owner, TWinControl* parent, int width, int height)
    : BasicNumLedModel(std::make_unique<NumLedLayer>(owner, parent), width, height,
                       &CreateBuilder) {}

} // namespace tessel
