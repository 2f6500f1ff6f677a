// Components own the components made with them as owner and free them when they are freed.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Object.h"
#include <vector>

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
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

    // Asks `component` to tell this one when it is freed (Notification with opRemove).
    void FreeNotification(TComponent* component);
    bool Destroying() const { return FDestroying; }

    int Tag = 0;

protected:
    virtual void Notification(TComponent* component, TOperation operation);

private:
    TComponent* FOwner = nullptr;
    AnsiString FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    bool FDestroying = false;
};
