// Controls placed on one form and watched for the events they raise for the user (clicks, mouse
// buttons, keys), then handled with mouse and keyboard all at once.
#pragma once
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <deque>
#include <functional>
#include <map>
#include <vector>
#include "Input.h"
#include "platform/forms/Form.h"
#include "platform/forms/Modal.h"
#include "platform/forms/PopupMenu.h"

class WatchedControls {
public:
    explicit WatchedControls(TForm& form) : FForm(form) {}

    template <typename T>
    T* Add(T* control, int left, int top, int width, int height)
    {
        control->SetParent(&FForm);
        control->SetBounds(left, top, width, height);
        control->SetPopupMenu(Popup);
        Watch(control);
        FControls.push_back(control);
        return control;
    }
    // Every control and the form itself.
    void HandleAll()
    {
        for (TControl* control : FControls)
            HandleWithMouseAndKeys(control->Widget());
        HandleWithMouseAndKeys(FForm.Widget());
        QCoreApplication::processEvents();
    }
    // Handles them all while a modal form runs over theirs, through the test's answers: none may
    // raise anything; `state` checks what else must stay as it was before the modal form ends.
    void HandleAllUnderAModalForm(std::deque<std::function<void(ModalBox&)>>& answers, std::function<void()> state)
    {
        answers.push_back([this, state](ModalBox& box) {
            HandleAll();
            for (TControl* control : FControls)
                EXPECT_EQ(Raised(control), 0) << control->Widget()->metaObject()->className();
            state();
            box.Close(mrOk);
        });
        TForm modal(nullptr);
        modal.SetCaption("Asetukset");
        EXPECT_EQ(modal.ShowModal(), mrOk);
    }
    int Raised(const TControl* control) const
    {
        auto found = FRaised.find(control);
        return found == FRaised.end() ? 0 : found->second;
    }
    const std::vector<TControl*>& Controls() const { return FControls; }

    // Given to every control added from now on.
    TPopupMenu* Popup = nullptr;

private:
    void Watch(TControl* control)
    {
        auto count = [this, control](auto&&...) { ++FRaised[control]; };
        control->OnClick = count;
        control->OnDblClick = count;
        control->OnMouseDown = count;
        control->OnMouseUp = count;
        if (auto* winControl = dynamic_cast<TWinControl*>(control)) {
            winControl->OnKeyDown = count;
            winControl->OnKeyUp = count;
            winControl->OnKeyPress = count;
        }
    }

    TForm& FForm;
    std::vector<TControl*> FControls;
    std::map<const TControl*, int> FRaised;
};
