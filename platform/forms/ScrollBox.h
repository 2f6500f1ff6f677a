// TScrollBox: a control whose children lie on an area that scrolls. The area is at least as
// large as the visible client area and at least as large as the scroll ranges, as the class
// library aligns the children of a scroll box.
#pragma once
#include "platform/forms/WinControl.h"

class QScrollArea;
class QScrollBar;

class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TComponent* owner);

    int HorzRange() const { return FHorzRange; }
    void SetHorzRange(int range);
    int VertRange() const { return FVertRange; }
    void SetVertRange(int range);
    // Scroll positions, clamped to 0 .. range - client extent.
    int HorzPosition() const;
    void SetHorzPosition(int position);
    int VertPosition() const;
    void SetVertPosition(int position);
    void SetScrollIncrement(int pixels);

    // The visible part.
    int ClientWidth() const override;
    int ClientHeight() const override;
    QWidget* ClientWidget() const override;

protected:
    bool widget_event(QObject* watched, QEvent* event) override;

private:
    void SizeScrolledArea();
    QScrollArea* FArea;
    QWidget* FScrolled;
    int FHorzRange = 0;
    int FVertRange = 0;
};
