#include "platform/core/Component.h"
#include "platform/core/SysUtils.h"
#include <algorithm>

namespace {

void EraseOne(std::vector<TComponent*>& list, TComponent* component)
{
    auto it = std::find(list.begin(), list.end(), component);
    if (it != list.end())
        list.erase(it);
}

} // namespace

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    FDestroying = true;
    // Copy first: each notified component drops its link back to this one.
    std::vector<TComponent*> notifies;
    notifies.swap(FFreeNotifies);
    for (TComponent* other : notifies) {
        EraseOne(other->FFreeNotifies, this);
        other->Notification(this, TOperation::opRemove);
    }
    // Owned components go in reverse creation order, each detached before it is freed so that
    // it does not try to leave an owner that is already going.
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        FComponents.pop_back();
        last->FOwner = nullptr;
        delete last;
    }
    if (FOwner)
        FOwner->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const AnsiString& name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* component : FComponents)
        if (SameText(component->FName, name))
            return component;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->FOwner == this)
        return;
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    if (!component || component->FOwner != this)
        return;
    Notification(component, TOperation::opRemove);
    EraseOne(FComponents, component);
    component->FOwner = nullptr;
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (FOwner && component->FOwner == FOwner)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) != FFreeNotifies.end())
        return;
    FFreeNotifies.push_back(component);
    component->FreeNotification(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    EraseOne(FFreeNotifies, component);
    if (component)
        EraseOne(component->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove && component)
        RemoveFreeNotification(component);
    // The component being removed is still in the list while its owner hears of it; it is
    // half destroyed by then and must not be called.
    std::vector<TComponent*> owned = FComponents;
    for (TComponent* other : owned)
        if (other != component)
            other->Notification(component, operation);
}
