// TIcon: a small picture for the notification area. The class library's graphics unit has it;
// only what the tray icon needs is here.
#pragma once
#include "platform/core/Object.h"
#include <QIcon>

class TIcon : public TObject {
public:
    bool Empty() const { return FIcon.isNull(); }
    // Copies the picture; OnChange follows.
    void Assign(const TIcon& other);
    void SetImage(const QIcon& icon);
    const QIcon& Handle() const { return FIcon; }

    TNotifyEvent OnChange;

private:
    void Changed();
    QIcon FIcon;
};
