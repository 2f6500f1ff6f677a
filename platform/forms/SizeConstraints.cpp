#include "platform/forms/SizeConstraints.h"

namespace {

// A limit of 0 or less is no limit.
int Limit(int value) { return value > 0 ? value : 0; }

} // namespace

int TSizeConstraints::Constrain(int size, int least, int most)
{
    if (least > 0 && size < least)
        return least;
    if (most > 0 && size > most)
        return most;
    return size;
}

void TSizeConstraints::SetMinWidth(int value)
{
    FMinWidth = Limit(value);
    if (FMaxWidth > 0 && FMinWidth > FMaxWidth)
        FMaxWidth = FMinWidth;
    Changed();
}

void TSizeConstraints::SetMinHeight(int value)
{
    FMinHeight = Limit(value);
    if (FMaxHeight > 0 && FMinHeight > FMaxHeight)
        FMaxHeight = FMinHeight;
    Changed();
}

void TSizeConstraints::SetMaxWidth(int value)
{
    FMaxWidth = Limit(value);
    if (FMaxWidth > 0 && FMaxWidth < FMinWidth)
        FMinWidth = FMaxWidth;
    Changed();
}

void TSizeConstraints::SetMaxHeight(int value)
{
    FMaxHeight = Limit(value);
    if (FMaxHeight > 0 && FMaxHeight < FMinHeight)
        FMinHeight = FMaxHeight;
    Changed();
}

void TSizeConstraints::Changed()
{
    if (OnChange)
        OnChange(this);
}
