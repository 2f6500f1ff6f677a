// Set-up that every control needs once per process: the style and default font, palette colours,
// the key routing of menus and forms, and Qt's habit of quitting when the last window closes
// switched off (the application object decides when the program ends).
#pragma once

void EnsureFormsInitialized();
