#pragma once
#include "framework/core/Types.h"

class TCanvas;
class TBitmap;

// Drawing on a framework canvas in two fixed manners, and copying part of a bitmap. Each
// function changes one canvas setting for its call and puts it back on every path out, so
// the caller's pen colour, brush style and copy mode are the same before and after.
//
// Frame: the outline in the current pen; the inside is left as it was (brush style bsClear
// for the call).
// Fill: the shape in the current brush, its outline in the brush colour, so it has no border
// of another colour (pen colour := brush colour for the call; width and style still apply).
namespace tessel {

void FrameRectangle(TCanvas* canvas, const TRect& rect);
void FillRectangle(TCanvas* canvas, const TRect& rect);
void FrameEllipse(TCanvas* canvas, const TRect& rect);
void FillEllipse(TCanvas* canvas, const TRect& rect);
void FillRoundRect(TCanvas* canvas, const TRect& rect, int cornerWidth, int cornerHeight);
void FramePolygon(TCanvas* canvas, const TPoint* points, int count);
void FillPolygon(TCanvas* canvas, const TPoint* points, int count);

// Copies sourceRect of bitmap unstretched to (x, y) with cmSrcCopy, whatever copy mode the
// canvas had.
void CopyBitmapRect(TCanvas* canvas, int x, int y, TBitmap* bitmap, const TRect& sourceRect);

} // namespace tessel
