// The faces a page names, drawn with installed families: the engine ignores the system's
// substitutes for a family it doesn't know and falls back to its standard family instead.
#pragma once
#include <QString>
#include <utility>
#include <vector>

// A style sheet that makes each named face (first) a face of its own, drawn with the installed
// family (second) in every weight and slant that family has. Empty when none is installed.
QString NamedFaceStyleSheet(const std::vector<std::pair<QString, QString>>& faces);
