// TSizeConstraints: the smallest and largest width and height a control may take; 0 leaves that
// limit open. A minimum above the maximum raises the maximum with it, and a maximum below the
// minimum lowers the minimum.
#pragma once
#include "platform/core/Object.h"

class TSizeConstraints : public TObject {
public:
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int value);
    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int value);

    int ConstrainWidth(int width) const { return Constrain(width, FMinWidth, FMaxWidth); }
    int ConstrainHeight(int height) const { return Constrain(height, FMinHeight, FMaxHeight); }

    TNotifyEvent OnChange;

private:
    static int Constrain(int size, int least, int most);
    void Changed();

    int FMinWidth = 0;
    int FMinHeight = 0;
    int FMaxWidth = 0;
    int FMaxHeight = 0;
};
