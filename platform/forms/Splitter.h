// TSplitter: a bar between two aligned controls; dragging it resizes the control it is aligned
// against (the one beside it on the same side), keeping that control at least MinSize.
#pragma once
#include "platform/forms/Control.h"

class TSplitter : public TControl {
public:
    explicit TSplitter(TComponent* owner);

    int MinSize() const { return FMinSize; }
    void SetMinSize(int size) { FMinSize = std::max(0, size); }

    TNotifyEvent OnMoved;

protected:
    bool widget_event(QObject* watched, QEvent* event) override;

private:
    TControl* FindNeighbour() const;
    void UpdateCursor();

    int FMinSize = 30;
    TControl* FNeighbour = nullptr;
    int FStartSize = 0;
    int FStartPos = 0;
};
