// The shipped helper runs no probe: a probe is answered, so that nothing waits for it, and
// nothing else happens.
#include "platform/services/WebPageProbes.h"

void RunWebPageProbe(const WebPageProbeTarget&, const QString&, const QJsonArray&,
                     std::function<void(const QJsonValue&)> answer)
{
    answer(QJsonValue());
}
