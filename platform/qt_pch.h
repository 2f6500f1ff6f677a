// Precompiled for every Qt-using target; keep it to headers that nearly all of them include.
#pragma once
#include <QtCore>
#include <QtGui>
#include <QtWidgets>
#include <string>
#include <vector>
#include <functional>
#include <memory>
