#include "kit/SpeedButton.h"
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include "kit/CancelMode.h"
#include "kit/DrawRoutines.h"
#include "kit/MaxMin.h"
#include "kit/WindowRoutines.h"
#include "platform/messages/Application.h"
#include "platform/messages/Timer.h"
#include "platform/forms/PaletteColors.h"
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

// Top and left edges in one colour, bottom and right in the other; the rectangle shrinks by one.
void Frame3D(QPainter& painter, TRect& rect, TColor topLeft, TColor bottomRight)
{
    int right = rect.Right - 1;
    int bottom = rect.Bottom - 1;
    painter.setPen(ToQColor(topLeft));
    painter.drawLine(rect.Left, bottom, rect.Left, rect.Top);
    painter.drawLine(rect.Left, rect.Top, right, rect.Top);
    painter.setPen(ToQColor(bottomRight));
    painter.drawLine(right, rect.Top, right, bottom);
    painter.drawLine(right, bottom, rect.Left, bottom);
    rect = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
}

QBrush CheckeredBrush()
{
    QImage pattern(8, 8, QImage::Format_RGB32);
    QRgb face = ToQColor(clBtnFace).rgb();
    QRgb light = ToQColor(clBtnHighlight).rgb();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.setPixel(x, y, (x + y) % 2 ? face : light);
    return QBrush(pattern);
}

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

// ---- mouse ----

bool TKitSpeedButton::Inside(QPoint pos) const
{
    return pos.x() >= 0 && pos.x() < Width() && pos.y() >= 0 && pos.y() <= Height();
}

// The point the menu is aligned at: below the button or beside it, by the menu's alignment.
TPoint TKitSpeedButton::MenuPoint() const
{
    TPopupAlignment alignment = FDropDownMenu->Alignment();
    if (alignment == paCenter)
        return ClientToScreen(Point(Width() / 2, Height()));
    bool left = alignment == paLeft;
    if (FMenuPosition == dmpBottom)
        return ClientToScreen(Point(left ? -1 : Width() + 1, Height()));
    return ClientToScreen(Point(left ? Width() : -1, -1));
}

void TKitSpeedButton::PopupDropDownMenu()
{
    if (!FDropDownMenu)
        return;
    SendCancelMode(this);
    FMenuTracking = true;
    FDropDownMenu->SetPopupComponent(this);
    // A press on the button closes the open menu, and the window system then hands that press
    // on to the button; it must not open the menu again. Anything queued behind it has run
    // by the time the next turn of the loop clears the mark.
    QObject::connect(
        FDropDownMenu->Items()->SubMenu(), &QMenu::aboutToHide, Widget(),
        [this] {
            FPressClosedMenu = true;
            QTimer::singleShot(0, Widget(), [this] { FPressClosedMenu = false; });
        },
        Qt::SingleShotConnection);
    TPoint at = MenuPoint();
    FDropDownMenu->Popup(at.X, at.Y);
    FMenuTracking = false;
}

void TKitSpeedButton::mouse_press(const QMouseEvent& event)
{
    if (FMenuTracking || event.button() != Qt::LeftButton || !Enabled())
        return;
    FMouseInControl = true;
    if (!(FDown && FGroupIndex != 0)) {
        FState = bsDown;
        Repaint();
    }
    FDragging = true;
    if (FDropDownMenu && FDropDownMenu->AutoPopup()) {
        PopupDropDownMenu();
        // The menu takes the press; for the button it ends as a release would.
        FDragging = false;
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
        return;
    }
    if (FAllowTimer) {
        if (!FRepeatTimer) {
            FRepeatTimer = std::make_unique<TTimer>(nullptr);
            FRepeatTimer->OnTimer = [this](TObject*) { RepeatTick(); };
        }
        FRepeatTimer->SetEnabled(false);
        FRepeatTimer->SetInterval(FInitPause);
        FRepeatTimer->SetEnabled(true);
    }
}

void TKitSpeedButton::mouse_move(const QMouseEvent& event)
{
    if (!FDragging)
        return;
    TButtonState state = FDown ? bsExclusive : bsUp;
    if (Inside(event.position().toPoint()))
        state = FDown ? bsExclusive : bsDown;
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TKitSpeedButton::mouse_release(const QMouseEvent& event)
{
    if (FRepeatTimer)
        FRepeatTimer->SetEnabled(false);
    if (!FDragging || event.button() != Qt::LeftButton)
        return;
    FDragging = false;
    bool inside = Inside(event.position().toPoint());
    if (FGroupIndex == 0) {
        FState = bsUp;
        FMouseInControl = false;
        if (inside)
            Repaint();
        else
            Invalidate();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown)
            FState = bsExclusive;
        Repaint();
    } else if (FDown) {
        FState = bsExclusive;
        Invalidate();
    }
    if (inside && !FMenuTracking)
        Click();
    UpdateTracking();
}

void TKitSpeedButton::RepeatTick()
{
    FRepeatTimer->SetInterval(FRepeatInterval);
    if (FState == bsDown && FDragging && Widget() && Widget()->underMouse())
        Dispatch([this] { Click(); });
}

void TKitSpeedButton::Click()
{
    if (TForm* form = TForm::FormOf(Widget()))
        if (FModalResult != mrNone)
            form->SetModalResult(FModalResult);
    if (FAction && !OnClick)
        FAction->Execute();
    else
        TControl::Click();
}

void TKitSpeedButton::UpdateTracking()
{
    bool over = Enabled() && Widget() && Widget()->underMouse() && IsThreadWindowActive();
    if (over == FMouseInControl)
        return;
    if (over)
        MouseEnter();
    else if (!FDragging)
        MouseLeave();
}

void TKitSpeedButton::MouseEnter()
{
    FMouseInControl = true;
    if (FFlat)
        Invalidate();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TKitSpeedButton::MouseLeave()
{
    FMouseInControl = false;
    if (FFlat)
        Invalidate();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

bool TKitSpeedButton::HandleDragMouse(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    QPoint point = mouse->globalPosition().toPoint();
    TPoint global = Point(point.x(), point.y());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (DragMode != dmAutomatic || mouse->button() != Qt::LeftButton || !Enabled() || DragSource())
            return false;
        BeginDrag(this, global, false);
        return true;
    case QEvent::MouseMove:
        if (DragSource() != this)
            return false;
        DragMoveTo(global);
        return true;
    case QEvent::MouseButtonRelease:
        if (DragSource() != this)
            return false;
        if (Dragging())
            DragDropAt(global);
        else
            CancelDrag();
        return true;
    default:
        return false;
    }
}

bool TKitSpeedButton::widget_event(QObject* watched, QEvent* event)
{
    if (watched == Widget()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            if (HandleDragMouse(event))
                return true;
            break;
        default:
            break;
        }
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (FPressClosedMenu && mouse->button() == Qt::LeftButton && Inside(mouse->position().toPoint())) {
                FPressClosedMenu = false;
                return true;
            }
            // A double click on a down button is a double click; otherwise a second press.
            if (event->type() == QEvent::MouseButtonDblClick && FDown && !FMenuTracking) {
                if (OnDblClick)
                    Dispatch([this] { OnDblClick(this); });
                return true;
            }
            Dispatch([&] { mouse_press(*mouse); });
            break;
        }
        case QEvent::MouseMove:
            Dispatch([&] { mouse_move(*static_cast<QMouseEvent*>(event)); });
            break;
        case QEvent::MouseButtonRelease:
            Dispatch([&] { mouse_release(*static_cast<QMouseEvent*>(event)); });
            break;
        case QEvent::Enter:
            if (Enabled() && IsThreadWindowActive() && !FMouseInControl)
                Dispatch([this] { MouseEnter(); });
            break;
        case QEvent::Leave:
            if (FMouseInControl && !FDragging)
                Dispatch([this] { MouseLeave(); });
            break;
        case QEvent::EnabledChange:
            FState = Enabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
            Invalidate();
            break;
        default:
            break;
        }
    }
    return TControl::widget_event(watched, event);
}

// ---- painting ----

void TKitSpeedButton::PaintButton(QPainter& painter)
{
    Paint(painter);
}

TRect TKitSpeedButton::DrawFrame(QPainter& painter, TRect rect, bool pressed)
{
    bool newStyle = NewStyle();
    if (!pressed) {
        if (newStyle) {
            if (!FFlat)
                Frame3D(painter, rect, clBtnHighlight, clWindowFrame);
            Frame3D(painter, rect, FFlat ? clBtnHighlight : clBtnFace, clBtnShadow);
        } else if (!FFlat) {
            Frame3D(painter, rect, clWindowFrame, clWindowFrame);
            Frame3D(painter, rect, clBtnHighlight, clBtnShadow);
        } else {
            Frame3D(painter, rect, clBtnHighlight, clWindowFrame);
        }
    } else if (newStyle) {
        Frame3D(painter, rect, clWindowFrame, clBtnHighlight);
        if (!FFlat)
            Frame3D(painter, rect, clBtnShadow, clBtnFace);
    } else if (!FFlat) {
        Frame3D(painter, rect, clWindowFrame, clWindowFrame);
        painter.setPen(ToQColor(clBtnShadow));
        painter.drawLine(rect.Left, rect.Bottom - 1, rect.Left, rect.Top);
        painter.drawLine(rect.Left, rect.Top, rect.Right - 1, rect.Top);
    } else {
        Frame3D(painter, rect, clWindowFrame, clBtnHighlight);
    }
    return Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
}

void TKitSpeedButton::Paint(QPainter& target)
{
    if (Enabled() && FState == bsDisabled)
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    else if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    }
    TButtonState paintState = FFlat && !FMouseInControl ? bsInactive : FState;

    QImage image(IntMax(Width(), 1), IntMax(Height(), 1), QImage::Format_ARGB32_Premultiplied);
    image.fill(ToQColor(clBtnFace));
    QPainter painter(&image);
    if (FTransparent)
        PaintParentBackground(this, painter);

    TRect face = ClientRect();
    bool exclusive = FState == bsExclusive;
    bool pressed = FState == bsDown || exclusive;
    if (FFlat && paintState == bsInactive && !exclusive)
        face = Rect(face.Left + 2, face.Top + 2, face.Right - 2, face.Bottom - 2);
    else
        face = DrawFrame(painter, face, pressed);
    if (exclusive && !FTransparent && (!FFlat || paintState == bsInactive))
        painter.fillRect(QRect(face.Left - 1, face.Top - 1, face.Width() + 2, face.Height() + 2), CheckeredBrush());
    TPoint offset = pressed ? Point(1, 1) : Point(0, 0);
    TButtonState passed = FState == bsDisabled || !FGrayedInactive ? FState : paintState;
    bool mark = FMarkDropDown && FDropDownMenu;
    PaintGlyph(painter, face, offset, passed, mark);
    painter.end();
    target.drawImage(0, 0, image);
}

void TKitSpeedButton::PaintGlyph(QPainter& painter, const TRect& rect, TPoint offset, TButtonState state, bool drawMark)
{
    FGlyph.Draw(painter, rect, offset, FCaption, FLayout, FMargin, FSpacing, state, drawMark, *Font());
}
