// TButton: a push button. With a ModalResult it ends the modal form it sits on; the default
// button answers Enter and the cancel button Escape.
#pragma once
#include "platform/forms/Form.h"

class QPushButton;

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

    AnsiString Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result) { FModalResult = result; }
    bool Default() const { return FDefault; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool isCancel) { FCancel = isCancel; }

    // What a press does: the form's ModalResult, then OnClick.
    void Click() override;

private:
    QPushButton* FButton;
    AnsiString FCaption;
    TModalResult FModalResult = mrNone;
    bool FDefault = false;
    bool FCancel = false;
};
