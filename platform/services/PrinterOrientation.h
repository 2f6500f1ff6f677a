// Page orientation as the class library's printer unit names it.
#pragma once

enum TPrinterOrientation { poPortrait, poLandscape };
