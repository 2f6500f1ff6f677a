// The clipboard's text, in Windows-1252.
#pragma once
#include "platform/core/AnsiString.h"

class TClipboard {
public:
    AnsiString AsText() const;
    void SetAsText(const AnsiString& text);
};

TClipboard* Clipboard();
