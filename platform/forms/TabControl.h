// TTabControl drawn as a row of flat tab buttons. TabIndex set from code raises no event; a
// click raises OnChanging (which may refuse) and then OnChange.
#pragma once
#include "platform/core/Strings.h"
#include "platform/forms/WinControl.h"
#include <vector>

class QToolButton;

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TTabControl : public TWinControl {
public:
    explicit TTabControl(TComponent* owner);

    // The captions; changing them rebuilds the buttons.
    TStringList* Tabs() { return &FTabs; }
    int TabIndex() const { return FTabIndex; }
    // An index outside the tabs selects none.
    void SetTabIndex(int index);
    int TabWidth() const { return FTabWidth; }
    // 0 sizes each button to its caption.
    void SetTabWidth(int width);
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int height);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    void font_changed() override;

private:
    void Rebuild();
    void UpdateButtons();
    void UserClicked(int index);

    TStringList FTabs;
    std::vector<QToolButton*> FButtons;
    int FTabIndex = -1;
    int FTabWidth = 0;
    int FTabHeight = 22;
};
