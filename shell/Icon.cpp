#include "shell/Icon.h"

void TIcon::Assign(const TIcon& other)
{
    SetImage(other.FIcon);
}

void TIcon::SetImage(const QIcon& icon)
{
    FIcon = icon;
    Changed();
}

void TIcon::Changed()
{
    if (auto handler = OnChange)
        handler(this);
}
