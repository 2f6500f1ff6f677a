// Drag and drop between the kit's controls, as the class library does it: a control in automatic
// drag mode starts a drag when the mouse moves a few pixels with the left button down; the
// control under the pointer hears OnDragOver (enter, move, leave) and says whether it would take
// the drop; releasing over a control that would take it raises its OnDragDrop. Escape cancels.
// A control whose DragKind is dkDock is dragged to dock instead: released over a dock site (a
// windowed control with DockSite) it moves into that site at the pointer.
#pragma once
#include "platform/core/Object.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Types.h"
#include <functional>

class TControl;
class QWidget;

enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDragKind { dkDrag, dkDock };

constexpr TCursor crDrag = static_cast<TCursor>(-12);
constexpr TCursor crNoDrop = static_cast<TCursor>(-13);
constexpr TCursor crMultiDrag = static_cast<TCursor>(-16);

using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
// DragObject starts empty; an object put there stands for the source in the targets' events.
using TStartDragEvent = std::function<void(TObject* Sender, TObject*& DragObject)>;
// Target is the control that took the drop (X, Y in its coordinates), or nullptr.
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
// DragObject starts empty; a dock drag has no use for one but lets the handler see the start.
using TStartDockEvent = std::function<void(TObject* Sender, TObject*& DragObject)>;

// What a control needs to take part; the kit's list boxes carry it.
class TDragControl {
public:
    TDragControl();
    virtual ~TDragControl();

    TDragMode DragMode = dmManual;
    TDragKind DragKind = dkDrag;
    // Shown while a drop here would be taken.
    TCursor DragCursor = crDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    // A drag from this control begins / ends, dropped or not.
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    // A dock drag from this control begins / ends; Target is the dock site that took it (X, Y in
    // its coordinates), or nullptr.
    TStartDockEvent OnStartDock;
    TEndDragEvent OnEndDock;

    // The control itself, and the widget whose coordinates the drag events use.
    virtual TControl* DragControl() = 0;
    virtual QWidget* DragWidget() = 0;
    // Called when a drag from this control ends, dropped or not.
    virtual void drag_ended() {}
};

// Starts a drag from `source` with the pointer at `global` (screen coordinates); unless
// `immediate`, it begins only once the pointer has moved the platform's drag distance.
void BeginDrag(TDragControl* source, TPoint global, bool immediate);
bool Dragging();
// A drag asked for but not yet begun (the pointer has not moved far enough).
bool DragPending();
TDragControl* DragSource();
// The pointer moved / was released / the drag was cancelled.
void DragMoveTo(TPoint global);
void DragDropAt(TPoint global);
void CancelDrag();
// The cursor the drag shows now (crDefault when no drag runs).
TCursor DragCursorShown();
