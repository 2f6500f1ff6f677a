// The kit's controls in one place: list boxes (the kit's own, the text list and the check list)
// and the glyph speed button.
#pragma once
#include "kit/CheckListBox.h"
#include "kit/KitListBox.h"
#include "kit/SpeedButton.h"
#include "kit/TextListBox.h"
