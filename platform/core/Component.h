// Components own the components made with them as owner and free them when they are freed.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Persistent.h"
#include <vector>

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const AnsiString& Name() const { return FName; }
    void SetName(const AnsiString& name) { FName = name; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(index); }
    TComponent* FindComponent(const AnsiString& name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    // This component and `component` each tell the other when freed (Notification with
    // opRemove), as for a reference to a component of another owner. Components of the same
    // owner hear of each other through the owner already.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    bool Destroying() const { return FDestroying; }

    int Tag = 0;

protected:
    // Tells this component that `component` joined or leaves; the default passes the news to
    // every owned component and forgets a freed one's free notification. Overrides clear their
    // references to a component being removed, then call the base.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    TComponent* FOwner = nullptr;
    AnsiString FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    bool FDestroying = false;
};
