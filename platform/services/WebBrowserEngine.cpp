#include "platform/services/WebBrowserEngine.h"
#include "platform/services/WebPageHelperProcess.h"
#include "platform/services/WebPageProxy.h"
#include <QWidget>
#include <QtDebug>

std::unique_ptr<WebPageView> CreateWebPageView(QWidget* parent, WebPageEvents events)
{
    QString failure;
    const std::optional<WebPageHelper> helper = StartWebPageHelper(failure);
    if (!helper) {
        static bool told = false;
        if (!std::exchange(told, true))
            qWarning().noquote() << "The browser engine could not be started:" << failure;
        return nullptr;
    }
    return std::make_unique<WebPageProxy>(parent, std::move(events), *helper);
}
