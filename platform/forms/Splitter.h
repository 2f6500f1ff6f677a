// TSplitter: a bar between two aligned controls; dragging it resizes the control it is aligned
// against (the one beside it on the same side). Both sides keep at least MinSize, whether the
// size comes from a drag, from code or from a stored setting.
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
    void parent_aligning() override;

private:
    TControl* FindNeighbour() const;
    // The length the neighbour and the far side share: the parent's, less this bar and the
    // other controls aligned on the same axis.
    int SharedSpace(const TControl* neighbour) const;
    int SizeOf(const TControl* control) const;
    void SetSizeOf(TControl* control, int size);
    void UpdateCursor();

    int FMinSize = 30;
    TControl* FNeighbour = nullptr;
    int FStartSize = 0;
    int FStartPos = 0;
};
