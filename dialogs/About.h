// TAboutForm: the small box that names the program and its version.
#pragma once
#include "platform/forms/Form.h"

class TButton;
class TLabel;

class TAboutForm : public TForm {
public:
    explicit TAboutForm(TComponent* owner);

    TLabel* Label1 = nullptr;
    TButton* Button1 = nullptr;
};

// The instance made at start-up (never shown; the menu command makes a box of its own).
extern TAboutForm* AboutForm;
