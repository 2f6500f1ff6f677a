// How a form built in code puts each control in place: named, on its parent, and at its bounds
// or aligned, in one call that hands the control back for what else it needs.
#pragma once
#include "platform/forms/Control.h"

template <typename T>
T* PlaceControl(T* control, TWinControl* parent, const char* name, int left, int top, int width, int height)
{
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

template <typename T>
T* PlaceControl(T* control, TWinControl* parent, const char* name, TAlign align = alNone)
{
    control->SetName(name);
    control->SetParent(parent);
    control->SetAlign(align);
    return control;
}
