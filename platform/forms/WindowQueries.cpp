#include "platform/forms/WindowQueries.h"

QEvent::Type TMinMaxQuery::Kind()
{
    static const auto kind = static_cast<QEvent::Type>(QEvent::registerEventType());
    return kind;
}

QEvent::Type TMenuPopupQuery::Kind()
{
    static const auto kind = static_cast<QEvent::Type>(QEvent::registerEventType());
    return kind;
}
