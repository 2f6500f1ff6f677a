#include "platform/services/FontConfigWarmUp.h"
#include <QFontDatabase>
#include <fontconfig/fontconfig.h>

// The toolkit's own font set-up calls FcInit too, which then finds the loaded configuration and
// returns.
TFontConfigWarmUp::TFontConfigWarmUp() : TBackgroundWork([] { FcInit(); }) {}

TFontListWarmUp::TFontListWarmUp() : TBackgroundWork([] { (void)QFontDatabase::families(); }) {}
