// TPanel: a plain container, most often aligned to a side of its parent.
#pragma once
#include "platform/forms/WinControl.h"

class QFrame;

enum TPanelBevel { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);

    AnsiString Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);
    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel bevel);

protected:
    bool widget_event(QObject* watched, QEvent* event) override;

private:
    QFrame* FFrame;
    AnsiString FCaption;
    TPanelBevel FBevelOuter = bvRaised;
};
