#include "platform/forms/Action.h"
#include <algorithm>
#include "platform/forms/ImageList.h"

void TActionList::SetImages(TImageList* images)
{
    FImages = images;
    if (images)
        images->FreeNotification(this);
}

void TActionList::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FImages)
        FImages = nullptr;
}

void TAction::SetActionList(TActionList* list)
{
    FActionList = list;
    Changed();
}

void TAction::SetCaption(const AnsiString& caption)
{
    FCaption = caption;
    Changed();
}

void TAction::SetHint(const AnsiString& hint)
{
    FHint = hint;
    Changed();
}

void TAction::SetEnabled(bool enabled)
{
    FEnabled = enabled;
    Changed();
}

void TAction::SetChecked(bool checked)
{
    FChecked = checked;
    Changed();
}

void TAction::SetVisible(bool visible)
{
    FVisible = visible;
    Changed();
}

void TAction::SetImageIndex(int index)
{
    FImageIndex = index;
    Changed();
}

bool TAction::Execute()
{
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

void TAction::RegisterClient(TActionClient* client)
{
    if (std::find(FClients.begin(), FClients.end(), client) == FClients.end())
        FClients.push_back(client);
}

void TAction::UnregisterClient(TActionClient* client)
{
    FClients.erase(std::remove(FClients.begin(), FClients.end(), client), FClients.end());
}

void TAction::Changed()
{
    // A client may unregister while it is told; work on a copy.
    std::vector<TActionClient*> clients = FClients;
    for (TActionClient* client : clients)
        client->ActionChange(*this);
}
