#pragma once
#include "KxPackage/Source/NumLedModel.h"
#include "tessel/Graphics/SimplePainter.h"

class TCanvas;
class TComponent;
class TImage;
class TWinControl;

namespace tessel {

// The display's surface: a TImage on the component's parent, and the painter over it.
using NumLedLayer = ImageLayer<NullSaver<TCanvas*>>;
using NumLedPainter = SimplePainter<NumLedLayer>;

// The model behind the KxNumLed component: the digit cells, the value and the colours,
// painted into an image of its own that sits on the component's parent. The image belongs
// to the owner component; the model frees the cells, the painter and the layer.
class KxNumLed_imp : public BasicNumLedModel<NumLedPainter, NumLedLayer> {
public:
    KxNumLed_imp(TComponent* owner, TWinControl* parent, int width, int height);

    void SetParent(TWinControl* parent) { GetLayer().SetParent(parent); }
    // The image the display is drawn into.
    TImage* Image() { return GetLayer().Image(); }
};

} // namespace tessel
