// The platform's virtual-key codes and their X11 counterparts.
#pragma once

// The X keysym of a virtual-key code, 0 when the key has none. Letters give their lower-case
// keysyms (the key, not the character); the punctuation keys follow the US layout.
unsigned KeysymOfVirtualKey(unsigned virtualKey);
