// TKitSpeedButton: a push button painted on its parent, with a glyph of up to five state
// pictures, an optional caption, drop-down menu and auto-repeat while held, and radio-like groups
// (GroupIndex): a down member of a group is released when another goes down, unless AllowAllUp.
// It clicks when the left button is released over it; a flat button shows its frame only while
// the mouse is over it. In automatic drag mode a press starts a drag (or a dock drag) instead.
#pragma once
#include "kit/ButtonGlyph.h"
#include "kit/DragDrop.h"
#include "platform/forms/Action.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include <memory>

class QPainter;
class QShortcut;
class TPopupMenu;
class TTimer;

enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
enum TDropDownMenuPos { dmpBottom, dmpRight };

// What a button that goes down tells the other buttons of its parent.
constexpr UINT CM_BUTTONPRESSED = 0xB051;

class TKitSpeedButton : public TControl, public TActionClient, public TDragControl {
public:
    explicit TKitSpeedButton(TComponent* owner);
    ~TKitSpeedButton() override;

    // A character after '&' is the accelerator: Alt and that key click an enabled button.
    AnsiString Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);
    // The linked action gives caption, hint, enabled and visible state, the Down state of a
    // grouped button and, to a button without a glyph, its picture; a click executes it unless
    // OnClick is set.
    TAction* Action() const { return FAction; }
    void SetAction(TAction* action);
    void ActionChange(TAction& action) override;
    TAlignment Alignment() const { return FGlyph.Alignment; }
    void SetAlignment(TAlignment alignment);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool allow);
    bool AllowTimer() const { return FAllowTimer; }
    void SetAllowTimer(bool allow);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int index);
    // Always false without a group.
    bool Down() const { return FDown; }
    void SetDown(bool down);
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* menu);
    TDropDownMenuPos MenuPosition() const { return FMenuPosition; }
    void SetMenuPosition(TDropDownMenuPos position) { FMenuPosition = position; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool flat);
    const TBitmap& Glyph() const { return FGlyph.Glyph(); }
    void SetGlyph(const TBitmap& glyph);
    int NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(int count);
    bool GrayedInactive() const { return FGrayedInactive; }
    void SetGrayedInactive(bool grayed);
    unsigned InitPause() const { return FInitPause; }
    void SetInitPause(unsigned milliseconds) { FInitPause = milliseconds; }
    unsigned RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(unsigned milliseconds) { FRepeatInterval = milliseconds; }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout layout);
    // Pixels from the edge to the glyph; -1 centres. Values below -1 are refused.
    int Margin() const { return FMargin; }
    void SetMargin(int margin);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int spacing);
    bool MarkDropDown() const { return FMarkDropDown; }
    void SetMarkDropDown(bool mark);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result) { FModalResult = result; }
    TButtonStyle Style() const { return FStyle; }
    void SetStyle(TButtonStyle style);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    bool WordWrap() const { return FGlyph.WordWrap; }
    void SetWordWrap(bool wrap);

    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    TKitButtonGlyph* ButtonGlyph() { return &FGlyph; }

    // The parent form's ModalResult takes the button's, then OnClick.
    void Click() override;
    // Opens the drop-down menu at the button as a press would.
    void PopupDropDownMenu();
    // Another button of the parent went down in `group`.
    void ButtonPressed(int group, TKitSpeedButton* sender);

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    TControl* DragControl() override { return this; }
    QWidget* DragWidget() override { return Widget(); }

    // Paints the face; the button's widget calls it.
    void PaintButton(QPainter& painter);

protected:
    virtual void Paint(QPainter& painter);
    virtual void PaintGlyph(QPainter& painter, const TRect& rect, TPoint offset, TButtonState state, bool drawMark);
    virtual void mouse_press(const QMouseEvent& event);
    virtual void MouseEnter();
    virtual void MouseLeave();
    bool widget_event(QObject* watched, QEvent* event) override;
    void Notification(TComponent* component, TOperation operation) override;
    bool NewStyle() const { return FStyle == bsNew || FStyle == bsAutoDetect; }
    void Changed() { Invalidate(); }

private:
    // A press, move or release that drives a drag from the button; true when it took the event.
    bool HandleDragMouse(QEvent* event);
    void mouse_move(const QMouseEvent& event);
    void mouse_release(const QMouseEvent& event);
    bool Inside(QPoint pos) const;
    void RepeatTick();
    void UpdateTracking();
    void UpdateExclusive();
    TRect DrawFrame(QPainter& painter, TRect rect, bool pressed);
    TPoint MenuPoint() const;
    void UpdateAccelerator();
    void CopyActionImage(const TAction& action);

    TKitButtonGlyph FGlyph;
    AnsiString FCaption;
    TButtonState FState = bsUp;
    bool FDragging = false;
    bool FMouseInControl = false;
    bool FMenuTracking = false;
    bool FAllowAllUp = false;
    bool FAllowTimer = false;
    int FGroupIndex = 0;
    bool FDown = false;
    TPopupMenu* FDropDownMenu = nullptr;
    TDropDownMenuPos FMenuPosition = dmpBottom;
    bool FFlat = false;
    bool FGrayedInactive = true;
    unsigned FInitPause = 500;
    unsigned FRepeatInterval = 100;
    TButtonLayout FLayout = blGlyphTop;
    int FMargin = -1;
    int FSpacing = 1;
    bool FMarkDropDown = true;
    TModalResult FModalResult = mrNone;
    TButtonStyle FStyle = bsAutoDetect;
    bool FTransparent = false;
    std::unique_ptr<TTimer> FRepeatTimer;
    TAction* FAction = nullptr;
    QShortcut* FAccelerator = nullptr;
    // The drop-down menu has just closed: the press that closed it is dropped.
    bool FPressClosedMenu = false;
};
