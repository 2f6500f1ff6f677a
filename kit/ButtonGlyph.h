// TKitButtonGlyph: the pictures of a speed button's face, one per button state, cut from a glyph
// bitmap of up to five pictures side by side (up, disabled, down, exclusive, inactive) or made
// from the first: the disabled one embossed, the inactive one grey. Built when first drawn and
// kept in the shared glyph lists. It also lays glyph and caption out and draws them.
#pragma once
#include "kit/GlyphCache.h"
#include "platform/forms/Bitmap.h"
#include "platform/forms/Control.h"
#include <array>

class QPainter;

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive, bsInactive };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TKitButtonGlyph : public TObject {
public:
    TKitButtonGlyph();
    ~TKitButtonGlyph() override;
    TKitButtonGlyph(const TKitButtonGlyph&) = delete;
    TKitButtonGlyph& operator=(const TKitButtonGlyph&) = delete;

    const TBitmap& Glyph() const { return FGlyph; }
    // Takes a copy; the number of pictures follows from the width when it is an exact
    // multiple of the height (more than five counts as one).
    void SetGlyph(const TBitmap& glyph);
    int NumGlyphs() const { return FNumGlyphs; }
    // 1 to 5; 0 is ignored, more is 5.
    void SetNumGlyphs(int count);
    TColor TransparentColor() const { return FTransparentColor; }
    TAlignment Alignment = taCenter;
    bool WordWrap = false;

    // Where glyph and caption go in `client`; returns the caption's rectangle.
    TRect Layout(const TRect& client, TPoint offset, const AnsiString& caption, TButtonLayout layout, int margin,
                 int spacing, bool dropDownMark, const TFont& font, TPoint& glyphPos, AnsiString& shownCaption) const;
    // Draws glyph, caption and, when asked, the drop-down mark; returns the caption's rectangle.
    TRect Draw(QPainter& painter, const TRect& client, TPoint offset, const AnsiString& caption, TButtonLayout layout,
               int margin, int spacing, TButtonState state, bool dropDownMark, const TFont& font);
    // The picture for a state, built on first use; -1 without a glyph.
    int PictureIndex(TButtonState state);
    TGlyphList* GlyphList() const { return FGlyphList; }

    TNotifyEvent OnChange;

private:
    void Invalidate();
    QImage Picture(int index) const;
    QImage GreyPicture(const QImage& picture) const;
    QSize PictureSize() const;

    TBitmap FGlyph;
    TGlyphList* FGlyphList = nullptr;
    std::array<int, 5> FIndexes{-1, -1, -1, -1, -1};
    int FNumGlyphs = 1;
    TColor FTransparentColor = clFuchsia;
};

// Pixels of a picture turned grey by their brightness, except `keep1` and `keep2`.
QImage GreyedImage(const QImage& picture, TColor keep1, TColor keep2);
