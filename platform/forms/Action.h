// TAction: a command that several controls can share. Its caption, hint, enabled and checked
// state, visibility and picture (by index in its action list's images) reach every control
// linked to it whenever they change, and a linked control's click executes it.
#pragma once
#include "platform/core/Component.h"
#include "platform/core/Strings.h"
#include <vector>

class TImageList;
class TAction;

// The pictures of the actions in the list.
class TActionList : public TComponent {
public:
    using TComponent::TComponent;
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TImageList* FImages = nullptr;
};

// What a control linked to an action implements: it takes the action's state after every change.
class TActionClient {
public:
    virtual ~TActionClient() = default;
    virtual void ActionChange(TAction& action) = 0;
};

class TAction : public TComponent {
public:
    using TComponent::TComponent;

    TActionList* ActionList() const { return FActionList; }
    void SetActionList(TActionList* list);
    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);
    const AnsiString& Hint() const { return FHint; }
    void SetHint(const AnsiString& hint);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    bool Checked() const { return FChecked; }
    void SetChecked(bool checked);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    // -1: no picture.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);

    // Runs OnExecute; false when there is none.
    bool Execute();
    TNotifyEvent OnExecute;

    // The controls told of every change; a control unregisters before it goes away.
    void RegisterClient(TActionClient* client);
    void UnregisterClient(TActionClient* client);

private:
    void Changed();

    TActionList* FActionList = nullptr;
    AnsiString FCaption;
    AnsiString FHint;
    bool FEnabled = true;
    bool FChecked = false;
    bool FVisible = true;
    int FImageIndex = -1;
    std::vector<TActionClient*> FClients;
};
