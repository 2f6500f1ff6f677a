// Drawing routines the kit's controls share: cells of grid images, the embossed look of
// disabled pictures, the background behind a see-through control and text shortened with "...".
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Colors.h"
#include "platform/forms/Types.h"
#include <memory>

class QPainter;
class TBitmap;
class TGraphic;
class TCanvas;
class TControl;
class TKitImageList;

inline int RectWidth(const TRect& rect) { return rect.Right - rect.Left; }
inline int RectHeight(const TRect& rect) { return rect.Bottom - rect.Top; }

// Cuts cell `index` (row by row) out of a grid of cols x rows cells; the destination takes the
// cell's size and the source's see-through setting, and from a bitmap its transparent colour
// too. Counts below 1 are 1, an index below 0 is 0; a missing image does nothing.
void AssignBitmapCell(const TGraphic* source, TBitmap* destination, int cols, int rows, int index);

// An embossed copy: pixels of `outlineColor` (and transparent ones) are background, every other
// pixel is drawn in the shadow colour, with the highlight colour one pixel right and down
// beneath it when asked. The result is filled with `backColor`.
std::unique_ptr<TBitmap> CreateTwoToneBitmap(const TBitmap& source, TColor outlineColor, TColor backColor,
                                             bool drawHighlight, TColor shadowColor, TColor highlightColor);
// The disabled look: button face behind, shadow and highlight as a pressed-in picture.
std::unique_ptr<TBitmap> CreateDisabledBitmap(const TBitmap& source, TColor outlineColor);
// The same look for picture `index` of an image list, drawn at (x, y): its opaque pixels.
void DrawDisabledGlyph(const TKitImageList& images, TCanvas& canvas, int x, int y, int index, bool drawHighlight,
                       TColor shadowColor, TColor highlightColor);
void DrawDisabledGlyph(const TKitImageList& images, QPainter& painter, int x, int y, int index, bool drawHighlight,
                       TColor shadowColor, TColor highlightColor);

// Paints the parent's own background and the siblings below `control` that overlap it, in the
// control's coordinates, so that a see-through control shows what lies behind it.
void PaintParentBackground(TControl* control, QPainter& painter);

// The text, shortened from the end with "..." until it fits `maxWidth` on the canvas; "..." is
// the shortest result.
AnsiString EllipsizeText(const AnsiString& text, TCanvas& canvas, int maxWidth);
