// Text from listing files and settings written into the table pages: there it is text, never
// markup, whatever characters it holds.
#pragma once
#include "platform/core/AnsiString.h"

// '&', '<', '>' and '"' written as "&amp;", "&lt;", "&gt;" and "&quot;"; a text without them
// comes back byte for byte.
AnsiString HtmlEscape(const AnsiString& text);
// The text again: exactly those four references turned back into their characters, everything
// else (the pages' own "&nbsp" included) as it stands.
AnsiString HtmlUnescape(const AnsiString& html);
