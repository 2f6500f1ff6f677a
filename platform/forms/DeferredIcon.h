// An icon made the first time it is drawn or measured: for pictures that windows ask for when
// they are made but seldom show.
#pragma once
#include <QIcon>
#include <functional>

// An icon that stands for make()'s, calling it on first use. It reports itself not null without
// making it: give it only pictures that are never null.
QIcon DeferredIcon(std::function<QIcon()> make);
