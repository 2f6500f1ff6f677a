// TAsetuksetForm: the settings dialog. This far it is the frame that the main window opens (on
// the first run and from the settings menu): its caption, the page the opener asks for and the
// two buttons. The pages themselves are still to come.
#pragma once
#include "platform/forms/Form.h"

class TButton;

class TAsetuksetForm : public TForm {
public:
    explicit TAsetuksetForm(TComponent* owner);

    // The page the dialog opens on: "Yleiset", "Hälytykset", "Kanavat", "Väritys" or "Näkymät".
    const AnsiString& ActivePage() const { return FActivePage; }
    void SetActivePage(const AnsiString& page) { FActivePage = page; }

    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;

private:
    AnsiString FActivePage = "Yleiset";
};
