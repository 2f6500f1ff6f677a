// Ownership: owners free what they own, in reverse order; freed components tell who asked.
#include "platform/core/Component.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class Recorder : public TComponent {
public:
    Recorder(TComponent* owner, std::string name, std::vector<std::string>& log)
        : TComponent(owner), FLog(log), FLabel(std::move(name)) {}
    ~Recorder() override { FLog.push_back("free " + FLabel); }

    TComponent* Watched = nullptr;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == TOperation::opRemove && component == Watched) {
            Watched = nullptr;
            FLog.push_back(FLabel + " lost watched");
        }
        TComponent::Notification(component, operation);
    }

private:
    std::vector<std::string>& FLog;
    std::string FLabel;
};

} // namespace

TEST(Component, OwnerFreesOwnedInReverseCreationOrder)
{
    std::vector<std::string> log;
    auto* form = new Recorder(nullptr, "form", log);
    new Recorder(form, "a", log);
    new Recorder(form, "b", log);
    new Recorder(form, "c", log);
    EXPECT_EQ(form->ComponentCount(), 3);
    delete form;
    EXPECT_EQ(log, (std::vector<std::string> {"free form", "free c", "free b", "free a"}));
}

TEST(Component, FreedFirstLeavesItsOwner)
{
    std::vector<std::string> log;
    Recorder form(nullptr, "form", log);
    auto* a = new Recorder(&form, "a", log);
    auto* b = new Recorder(&form, "b", log);
    delete a;
    ASSERT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Components(0), b);
    EXPECT_EQ(b->Owner(), &form);
}

TEST(Component, SiblingsHearThatOneIsFreed)
{
    std::vector<std::string> log;
    Recorder form(nullptr, "form", log);
    auto* menu = new Recorder(&form, "menu", log);
    auto* button = new Recorder(&form, "button", log);
    button->Watched = menu;
    delete menu;
    EXPECT_EQ(button->Watched, nullptr);
    EXPECT_EQ(log, (std::vector<std::string> {"free menu", "button lost watched"}));
}

TEST(Component, FreeNotificationReachesAcrossOwners)
{
    std::vector<std::string> log;
    Recorder formA(nullptr, "A", log);
    Recorder formB(nullptr, "B", log);
    auto* viewer = new Recorder(&formA, "viewer", log);
    auto* source = new Recorder(&formB, "source", log);
    viewer->Watched = source;
    source->FreeNotification(viewer);
    delete source;
    EXPECT_EQ(viewer->Watched, nullptr);

    // Either side may go first: the survivor forgets the link, nothing dangles.
    auto* other = new Recorder(&formB, "other", log);
    other->FreeNotification(viewer);
    delete viewer;
    delete other;
}

TEST(Component, FindComponentIgnoresCase)
{
    std::vector<std::string> log;
    Recorder form(nullptr, "form", log);
    auto* edit = new Recorder(&form, "edit", log);
    edit->SetName("Edit1");
    EXPECT_EQ(form.FindComponent("EDIT1"), edit);
    EXPECT_EQ(form.FindComponent("Edit2"), nullptr);
    EXPECT_EQ(form.FindComponent(""), nullptr);
}

TEST(Component, MovingToAnotherOwner)
{
    std::vector<std::string> log;
    auto* first = new Recorder(nullptr, "first", log);
    Recorder second(nullptr, "second", log);
    auto* child = new Recorder(first, "child", log);
    second.InsertComponent(child);
    EXPECT_EQ(first->ComponentCount(), 0);
    EXPECT_EQ(child->Owner(), &second);
    delete first;
    EXPECT_EQ(log, (std::vector<std::string> {"free first"}));
}
