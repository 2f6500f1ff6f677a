// System colours (clBtnFace, clWindow, clHighlight...) follow the application palette, and every
// TColor reaches Qt through ToQColor.
#pragma once
#include "platform/core/Colors.h"
#include <QColor>

// Installs the palette as the core's system-colour resolver; the forms layer calls it before
// its first control exists, so callers rarely need to.
void InstallPaletteColors();
QColor ToQColor(TColor color);
