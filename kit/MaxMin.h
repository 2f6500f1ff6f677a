// Integer maximum and minimum, as the kit's layout code spells them.
#pragma once

inline int IntMax(int a, int b) { return a > b ? a : b; }
inline int IntMin(int a, int b) { return a < b ? a : b; }
