// The speed button's properties, its action and its groups (the mouse is in SpeedButtonMouse.cpp,
// the painting in SpeedButtonPaint.cpp).
#include "kit/SpeedButton.h"
#include <QPainter>
#include <QShortcut>
#include <QWidget>
#include "platform/messages/Application.h"
#include "platform/messages/Timer.h"
#include "platform/forms/ImageList.h"
#include "platform/forms/PopupMenu.h"
#include "platform/forms/QtText.h"
#include "platform/forms/WinControl.h"

namespace {

// The widget the button paints itself on.
class SpeedButtonWidget : public QWidget {
public:
    explicit SpeedButtonWidget(TKitSpeedButton* button) : FButton(button)
    {
        setAttribute(Qt::WA_Hover);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        Dispatch([&] { FButton->PaintButton(painter); });
    }

private:
    TKitSpeedButton* FButton;
};

} // namespace

TKitSpeedButton::TKitSpeedButton(TComponent* owner) : TControl(owner)
{
    auto* widget = new SpeedButtonWidget(this);
    SetWidget(widget);
    widget->resize(25, 25);
    // A button says what it does by its hint, whatever its parent shows.
    SetShowHint(true);
    FGlyph.OnChange = [this](TObject*) { Invalidate(); };
}

TKitSpeedButton::~TKitSpeedButton()
{
    if (FAction)
        FAction->UnregisterClient(this);
}

void TKitSpeedButton::SetCaption(const AnsiString& caption)
{
    FCaption = caption;
    UpdateAccelerator();
    Changed();
}

void TKitSpeedButton::UpdateAccelerator()
{
    QKeySequence key = QKeySequence::mnemonic(ToQString(FCaption));
    if (key.isEmpty()) {
        delete FAccelerator;
        FAccelerator = nullptr;
        return;
    }
    if (!FAccelerator) {
        FAccelerator = new QShortcut(Widget());
        FAccelerator->setContext(Qt::WindowShortcut);
        QObject::connect(FAccelerator, &QShortcut::activated, FAccelerator, [this] {
            if (Enabled())
                Dispatch([this] { Click(); });
        });
    }
    FAccelerator->setKey(key);
}

// ---- action ----

void TKitSpeedButton::SetAction(TAction* action)
{
    if (action == FAction)
        return;
    if (FAction) {
        FAction->UnregisterClient(this);
        FAction->RemoveFreeNotification(this);
    }
    FAction = action;
    if (!action)
        return;
    action->FreeNotification(this);
    action->RegisterClient(this);
    ActionChange(*action);
}

void TKitSpeedButton::ActionChange(TAction& action)
{
    SetCaption(action.Caption());
    SetHint(action.Hint());
    SetEnabled(action.Enabled());
    SetVisible(action.Visible());
    if (FGroupIndex != 0)
        SetDown(action.Checked());
    if (Glyph().Empty())
        CopyActionImage(action);
}

// The picture on the glyph's transparent colour, so that it shows as the action list draws it.
void TKitSpeedButton::CopyActionImage(const TAction& action)
{
    TImageList* images = action.ActionList() ? action.ActionList()->Images() : nullptr;
    if (!images || action.ImageIndex() < 0 || action.ImageIndex() >= images->Count())
        return;
    TBitmap glyph(images->Width(), images->Height());
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(Rect(0, 0, images->Width(), images->Height()));
    images->Draw(glyph.Canvas(), 0, 0, action.ImageIndex());
    SetGlyph(glyph);
}

void TKitSpeedButton::SetAlignment(TAlignment alignment)
{
    FGlyph.Alignment = alignment;
    Changed();
}

void TKitSpeedButton::SetGlyph(const TBitmap& glyph)
{
    FGlyph.SetGlyph(glyph);
}

void TKitSpeedButton::SetNumGlyphs(int count)
{
    FGlyph.SetNumGlyphs(count);
}

void TKitSpeedButton::SetFlat(bool flat)
{
    FFlat = flat;
    Changed();
}

void TKitSpeedButton::SetGrayedInactive(bool grayed)
{
    FGrayedInactive = grayed;
    Changed();
}

void TKitSpeedButton::SetLayout(TButtonLayout layout)
{
    FLayout = layout;
    Changed();
}

void TKitSpeedButton::SetMargin(int margin)
{
    if (margin < -1)
        return;
    FMargin = margin;
    Changed();
}

void TKitSpeedButton::SetSpacing(int spacing)
{
    FSpacing = spacing;
    Changed();
}

void TKitSpeedButton::SetMarkDropDown(bool mark)
{
    FMarkDropDown = mark;
    Changed();
}

void TKitSpeedButton::SetStyle(TButtonStyle style)
{
    FStyle = style;
    Changed();
}

void TKitSpeedButton::SetTransparent(bool transparent)
{
    FTransparent = transparent;
    Changed();
}

void TKitSpeedButton::SetWordWrap(bool wrap)
{
    FGlyph.WordWrap = wrap;
    Changed();
}

void TKitSpeedButton::SetDropDownMenu(TPopupMenu* menu)
{
    FDropDownMenu = menu;
    if (menu)
        menu->FreeNotification(this);
    Changed();
}

void TKitSpeedButton::Notification(TComponent* component, TOperation operation)
{
    TControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == FDropDownMenu)
        FDropDownMenu = nullptr;
    if (component == FAction)
        FAction = nullptr;
}

void TKitSpeedButton::SetAllowTimer(bool allow)
{
    FAllowTimer = allow;
    if (!allow)
        FRepeatTimer.reset();
}

// ---- groups ----

void TKitSpeedButton::SetGroupIndex(int index)
{
    if (index == FGroupIndex)
        return;
    FGroupIndex = index;
    UpdateExclusive();
}

void TKitSpeedButton::SetAllowAllUp(bool allow)
{
    if (allow == FAllowAllUp)
        return;
    FAllowAllUp = allow;
    UpdateExclusive();
}

void TKitSpeedButton::SetDown(bool down)
{
    if (FGroupIndex == 0)
        down = false;
    if (down == FDown)
        return;
    if (FDown && !FAllowAllUp)
        return;
    FDown = down;
    FState = down ? bsExclusive : bsUp;
    Invalidate();
    if (down)
        UpdateExclusive();
}

void TKitSpeedButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !Parent())
        return;
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TKitSpeedButton*>(parent->Controls(i)); other && other != this)
            other->ButtonPressed(FGroupIndex, this);
}

void TKitSpeedButton::ButtonPressed(int group, TKitSpeedButton* sender)
{
    if (group != FGroupIndex || sender == this || !sender)
        return;
    if (sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
    }
    FAllowAllUp = sender->FAllowAllUp;
}
