#pragma once
#include "tessel/Graphics/RgbColor.h"
#include "tests/support/RecordingPainter.h"

// A drawing layer for host tests of displays that own their layer and painter: it keeps the
// size, position, colours and flags it is given and counts how often it is cleared.
class RecordingLayer {
public:
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void Resize(int width, int height) {
        m_width = width;
        m_height = height;
    }
    void Clear() { ++m_clears; }
    int Clears() const { return m_clears; }

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    void MoveBy(int dx, int dy) {
        m_left += dx;
        m_top += dy;
    }
    void SetParent(const void* parent) { m_parent = parent; }
    const void* Parent() const { return m_parent; }

    tessel::RgbColor BackgroundColor() const { return m_background; }
    void SetBackgroundColor(tessel::RgbColor color) { m_background = color; }
    tessel::RgbColor TransparentColor() const { return m_transparentColor; }
    void SetTransparentColor(tessel::RgbColor color) { m_transparentColor = color; }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent) { m_transparent = transparent; }

private:
    int m_width = 0;
    int m_height = 0;
    int m_left = 0;
    int m_top = 0;
    int m_clears = 0;
    const void* m_parent = nullptr;
    tessel::RgbColor m_background = tessel::RgbColor(0xFFFFFFu);
    tessel::RgbColor m_transparentColor = tessel::RgbColor(0u);
    bool m_transparent = false;
};

// A recording painter built over a recording layer, whose background it erases with.
class LayerRecordingPainter : public RecordingPainter {
public:
    explicit LayerRecordingPainter(RecordingLayer* layer) : m_layer(layer) {}
    tessel::RgbColor BackgroundColor() const { return m_layer->BackgroundColor(); }

private:
    RecordingLayer* m_layer;
};
