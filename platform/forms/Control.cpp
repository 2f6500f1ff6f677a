#include "platform/forms/Control.h"
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWidget>
#include "platform/messages/Application.h"
#include "platform/forms/FormsInit.h"
#include "platform/forms/HandOn.h"
#include "platform/forms/PaletteColors.h"
#include "platform/forms/PopupMenu.h"
#include "platform/forms/QtText.h"
#include "platform/forms/WinControl.h"

namespace {
constexpr const char* kControlProperty = "qexControl";
// Set while a control deletes its widget: the events Qt sends to the widgets going down with it
// (hide, focus out) must not reach program code of a form that is being freed.
int tearingDown = 0;
}

class ControlEventFilter : public QObject {
public:
    explicit ControlEventFilter(TControl* control) : FControl(control) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return tearingDown == 0 && !IsHandedOn(event) && !IsInputToDisabledWidget(watched, event) &&
               FControl->widget_event(watched, event);
    }

private:
    TControl* FControl;
};

// Qt hands a disabled widget's input to the event filters before it ignores it, so program code
// would see clicks on the windows that a modal window has disabled.
bool IsInputToDisabledWidget(const QObject* receiver, const QEvent* event)
{
    if (!receiver->isWidgetType() || static_cast<const QWidget*>(receiver)->isEnabled())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Enter:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
        return true;
    default:
        return false;
    }
}

AnsiString GetShortHint(const AnsiString& hint)
{
    return hint.substr(0, hint.find('|'));
}

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    EnsureFormsInitialized();
    FFont.OnChange = [this](TObject*) {
        if (!FApplyingParentFont)
            FParentFont = false;
        font_changed();
    };
    FConstraints.OnChange = [this](TObject*) { SetBounds(Left(), Top(), Width(), Height()); };
}

TControl::~TControl()
{
    if (FParent)
        FParent->RemoveControl(this);
    // The filter goes first: the widget's last events must not reach a control half gone.
    delete FFilter;
    FFilter = nullptr;
    if (FWidget) {
        FWidget->setProperty(kControlProperty, QVariant());
        ++tearingDown;
        delete FWidget.data();
        --tearingDown;
    }
}

void TControl::SetWidget(QWidget* widget)
{
    FWidget = widget;
    FFilter = new ControlEventFilter(this);
    widget->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(this)));
    widget->installEventFilter(FFilter);
    font_changed();
}

void TControl::WatchWidget(QWidget* inner)
{
    if (inner && FFilter)
        inner->installEventFilter(FFilter);
}

TControl* TControl::FromWidget(const QObject* widget)
{
    for (const QObject* object = widget; object; object = object->parent()) {
        QVariant value = object->property(kControlProperty);
        if (value.isValid())
            return static_cast<TControl*>(value.value<void*>());
        if (object->isWidgetType() && static_cast<const QWidget*>(object)->isWindow())
            break;
    }
    return nullptr;
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == FParent)
        return;
    if (FParent)
        FParent->RemoveControl(this);
    FParent = parent;
    if (FWidget) {
        FWidget->setParent(parent ? parent->ClientWidget() : nullptr);
        FWidget->setVisible(FVisible && parent);
    }
    if (parent) {
        parent->InsertControl(this);
        ApplyParentFont();
        FollowParent();
        UpdateAnchorRules();
    }
}

void TControl::SetAlign(TAlign align)
{
    if (align == FAlign)
        return;
    FAlign = align;
    if (FParent)
        FParent->AlignControls();
}

int TControl::Left() const { return FWidget ? FWidget->x() : 0; }
int TControl::Top() const { return FWidget ? FWidget->y() : 0; }
int TControl::Width() const { return FWidget ? FWidget->width() : 0; }
int TControl::Height() const { return FWidget ? FWidget->height() : 0; }
int TControl::ClientWidth() const { return Width(); }
int TControl::ClientHeight() const { return Height(); }

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (!FWidget)
        return;
    Place(left, top, width, height);
    UpdateAnchorRules();
    if (FAlign != alNone && FParent)
        FParent->AlignControls();
}

// A hidden widget gets its resize event only when it is shown; the children of a hidden
// container are laid out at once all the same, since start-up code reads their sizes.
void TControl::Place(int left, int top, int width, int height)
{
    QRect geometry(left, top, std::max(0, FConstraints.ConstrainWidth(width)),
                   std::max(0, FConstraints.ConstrainHeight(height)));
    if (!FWidget || FWidget->geometry() == geometry)
        return;
    FWidget->setGeometry(geometry);
    if (!FWidget->isVisible())
        if (auto* container = dynamic_cast<TWinControl*>(this))
            container->AlignControls();
}

void TControl::SetVisible(bool visible)
{
    if (visible == FVisible)
        return;
    FVisible = visible;
    if (FWidget && (FParent || !visible))
        FWidget->setVisible(visible);
    if (FAlign != alNone && FParent)
        FParent->AlignControls();
}

bool TControl::Showing() const
{
    return FWidget && FWidget->isVisible();
}

void TControl::SetEnabled(bool enabled)
{
    FEnabled = enabled;
    if (FWidget)
        FWidget->setEnabled(enabled);
}

void TControl::SetParentFont(bool parentFont)
{
    FParentFont = parentFont;
    ApplyParentFont();
}

void TControl::ApplyParentFont()
{
    if (!FParentFont || !FParent)
        return;
    FApplyingParentFont = true;
    FFont.Assign(*FParent->Font());
    FApplyingParentFont = false;
}

void TControl::SetColor(TColor color)
{
    FParentColor = false;
    FColor = color;
    color_changed();
    PassOnToChildren();
}

void TControl::SetParentColor(bool parentColor)
{
    FParentColor = parentColor;
    FollowParent();
}

void TControl::SetHint(const AnsiString& hint)
{
    FHint = hint;
}

void TControl::SetShowHint(bool showHint)
{
    FParentShowHint = false;
    FShowHint = showHint;
    PassOnToChildren();
}

void TControl::SetParentShowHint(bool parentShowHint)
{
    FParentShowHint = parentShowHint;
    FollowParent();
}

void TControl::SetCtl3D(bool ctl3D)
{
    FParentCtl3D = false;
    if (ctl3D != FCtl3D) {
        FCtl3D = ctl3D;
        ctl3d_changed();
    }
    PassOnToChildren();
}

void TControl::SetParentCtl3D(bool parentCtl3D)
{
    FParentCtl3D = parentCtl3D;
    FollowParent();
}

void TControl::SetBiDiMode(TBiDiMode mode)
{
    FParentBiDiMode = false;
    if (mode != FBiDiMode) {
        FBiDiMode = mode;
        bidi_mode_changed();
    }
    PassOnToChildren();
}

void TControl::SetParentBiDiMode(bool parentBiDiMode)
{
    FParentBiDiMode = parentBiDiMode;
    FollowParent();
}

void TControl::FollowParent()
{
    if (FParent) {
        if (FParentShowHint)
            FShowHint = FParent->FShowHint;
        if (FParentColor && FColor != FParent->FColor) {
            FColor = FParent->FColor;
            color_changed();
        }
        if (FParentCtl3D && FCtl3D != FParent->FCtl3D) {
            FCtl3D = FParent->FCtl3D;
            ctl3d_changed();
        }
        if (FParentBiDiMode && FBiDiMode != FParent->FBiDiMode) {
            FBiDiMode = FParent->FBiDiMode;
            bidi_mode_changed();
        }
    }
    PassOnToChildren();
}

void TControl::PassOnToChildren()
{
    if (auto* container = dynamic_cast<TWinControl*>(this))
        for (TControl* control : container->FControls)
            control->FollowParent();
}

void TControl::bidi_mode_changed()
{
    if (FWidget)
        FWidget->setLayoutDirection(UseRightToLeftScrollBar() ? Qt::RightToLeft : Qt::LeftToRight);
}

void TControl::SetAnchors(TAnchors anchors)
{
    FAnchors = anchors;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    if (!FParent || !FWidget)
        return;
    FAnchorBounds = BoundsRect();
    FAnchorArea = FParent->AlignArea();
}

// Each direction keeps the distance to the anchored edge; anchored to both edges the control
// stretches, to neither its centre keeps its share of the parent.
void TControl::ApplyAnchors(const TRect& area)
{
    if (FAnchorArea.Width() <= 0 || FAnchorArea.Height() <= 0) {
        // The bounds were given before the parent had a size: they hold for the size it has now.
        UpdateAnchorRules();
        return;
    }
    auto along = [](bool nearEdge, bool farEdge, int start, int size, int oldStart, int oldEnd, int newStart,
                    int newEnd, int& place, int& extent) {
        place = start;
        extent = size;
        if (farEdge && nearEdge)
            extent = size + (newEnd - oldEnd);
        else if (farEdge)
            place = start + (newEnd - oldEnd);
        else if (!nearEdge && oldEnd > oldStart)
            place = newStart + static_cast<int>((static_cast<long long>(start - oldStart) * 2 + size) *
                                                (newEnd - newStart) / (2LL * (oldEnd - oldStart))) -
                    size / 2;
    };
    const TRect& b = FAnchorBounds;
    int left, width, top, height;
    along(FAnchors.Contains(akLeft), FAnchors.Contains(akRight), b.Left, b.Width(), FAnchorArea.Left,
          FAnchorArea.Right, area.Left, area.Right, left, width);
    along(FAnchors.Contains(akTop), FAnchors.Contains(akBottom), b.Top, b.Height(), FAnchorArea.Top,
          FAnchorArea.Bottom, area.Top, area.Bottom, top, height);
    Place(left, top, width, height);
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    FPopupMenu = menu;
    if (menu)
        menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FPopupMenu)
        FPopupMenu = nullptr;
}

void TControl::BringToFront()
{
    if (FWidget)
        FWidget->raise();
}

void TControl::SendToBack()
{
    if (FWidget)
        FWidget->lower();
}

void TControl::Invalidate()
{
    if (FWidget)
        FWidget->update();
}

void TControl::Repaint()
{
    if (FWidget)
        FWidget->repaint();
}

TPoint TControl::ClientToScreen(TPoint point) const
{
    if (!FWidget)
        return point;
    QPoint global = FWidget->mapToGlobal(QPoint(point.X, point.Y));
    return Point(global.x(), global.y());
}

TPoint TControl::ScreenToClient(TPoint point) const
{
    if (!FWidget)
        return point;
    QPoint local = FWidget->mapFromGlobal(QPoint(point.X, point.Y));
    return Point(local.x(), local.y());
}

void TControl::font_changed()
{
    if (!FWidget)
        return;
    FWidget->setFont(FFont.ToQFont());
    if (FFont.Color() == clWindowText)
        return;
    QPalette palette = FWidget->palette();
    QColor text = ToQColor(FFont.Color());
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, role, text);
    FWidget->setPalette(palette);
}

void TControl::color_changed()
{
    if (!FWidget)
        return;
    QPalette palette = FWidget->palette();
    palette.setColor(FWidget->backgroundRole(), ToQColor(FColor));
    FWidget->setPalette(palette);
    FWidget->setAutoFillBackground(true);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

namespace {

TMouseButton ButtonOf(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        return mbRight;
    if (button == Qt::MiddleButton)
        return mbMiddle;
    return mbLeft;
}

TShiftState ShiftOf(const QMouseEvent& event)
{
    TShiftState shift = ShiftStateOf(event.modifiers());
    if (event.buttons() & Qt::LeftButton)
        shift << ssLeft;
    if (event.buttons() & Qt::RightButton)
        shift << ssRight;
    if (event.buttons() & Qt::MiddleButton)
        shift << ssMiddle;
    if (event.type() == QEvent::MouseButtonDblClick)
        shift << ssDouble;
    return shift;
}

} // namespace

bool TControl::widget_event(QObject* watched, QEvent* event)
{
    if (IsHandedOn(event))
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return HandleMouse(watched, event);
    case QEvent::ContextMenu:
        return HandleContextMenu(event);
    case QEvent::ToolTip:
        return HandleHint(event);
    case QEvent::Enter:
        // Qt reports moves without a button only to widgets that ask for them.
        if (OnMouseMove && watched == InputWidget() && !InputWidget()->hasMouseTracking())
            InputWidget()->setMouseTracking(true);
        return false;
    case QEvent::MouseMove:
        return HandleMouseMove(watched, event);
    default:
        return false;
    }
}

// The hint of the nearest control up from here that shows hints; a control without a hint of
// its own shows its parent's.
bool TControl::HandleHint(QEvent* event)
{
    const TControl* shower = this;
    while (shower && !shower->FShowHint)
        shower = shower->FParent;
    AnsiString hint;
    for (const TControl* control = shower; control && hint.empty(); control = control->FParent)
        hint = GetShortHint(control->FHint);
    if (hint.empty()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), ToQString(hint), FWidget);
    return true;
}

// A move over a child control is the child's, even when the child leaves it to its parent.
bool TControl::HandleMouseMove(QObject* watched, QEvent* event)
{
    if (!OnMouseMove || !watched->isWidgetType())
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    QPoint pos = mouse->position().toPoint();
    QWidget* child = static_cast<QWidget*>(watched)->childAt(pos);
    if (child && FromWidget(child) != this)
        return false;
    QPointer<QObject> guard = watched;
    HandOn(watched, event);
    if (!guard)
        return true;
    TShiftState shift = ShiftOf(*mouse);
    Dispatch([&] { OnMouseMove(this, shift, pos.x(), pos.y()); });
    return true;
}

// The class library raises the mouse events after the control's own handling (a list box has
// selected the row by the time OnMouseDown runs), so the event is handed on first.
bool TControl::HandleMouse(QObject* watched, QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    bool release = event->type() == QEvent::MouseButtonRelease;
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick && FControlStyle.Contains(csDoubleClicks);
    const TMouseEvent& handler = release ? OnMouseUp : OnMouseDown;
    if (!handler && !(doubleClick && OnDblClick) && !FWantsAfterMouse)
        return false;
    QPointer<QObject> guard = watched;
    HandOn(watched, event);
    if (!guard)
        return true;
    Dispatch([&] { after_mouse_event(event); });
    QPoint pos = mouse->position().toPoint();
    TMouseButton button = ButtonOf(mouse->button());
    TShiftState shift = ShiftOf(*mouse);
    if (!doubleClick)
        shift >> ssDouble;
    Dispatch([&] {
        if (handler)
            handler(this, button, shift, pos.x(), pos.y());
        if (doubleClick && OnDblClick)
            OnDblClick(this);
    });
    return true;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COPY) {
        copy_message();
        return 0;
    }
    if ((msg != WM_LBUTTONDOWN && msg != WM_LBUTTONUP) || !InputWidget())
        return 0;
    QWidget* target = InputWidget();
    QPointF pos(static_cast<std::int16_t>(lParam & 0xFFFF), static_cast<std::int16_t>((lParam >> 16) & 0xFFFF));
    Qt::KeyboardModifiers modifiers;
    if (wParam & MK_SHIFT)
        modifiers |= Qt::ShiftModifier;
    if (wParam & MK_CONTROL)
        modifiers |= Qt::ControlModifier;
    bool press = msg == WM_LBUTTONDOWN;
    QMouseEvent event(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, pos,
                      target->mapToGlobal(pos), Qt::LeftButton, press ? Qt::LeftButton : Qt::NoButton, modifiers);
    QCoreApplication::sendEvent(target, &event);
    return 0;
}

bool TControl::HandleContextMenu(QEvent* event)
{
    auto* menuEvent = static_cast<QContextMenuEvent*>(event);
    if (FPopupMenu && FPopupMenu->AutoPopup()) {
        QPoint global = menuEvent->globalPos();
        TPopupMenu* menu = FPopupMenu;
        Dispatch([&] { menu->Popup(global.x(), global.y()); });
        return true;
    }
    return FSuppressQtContextMenu;
}
