// TAboutForm: the small modal box that names the program, its version and its maker, with a
// mail link and a web link. The menu command makes one, shows it and frees it.
#pragma once
#include "platform/forms/Form.h"

class TButton;
class TImage;
class TLabel;

// The maker's addresses behind the two links.
extern const char* const MakerMailAddress;
extern const char* const MakerHomePage;

class TAboutForm : public TForm {
public:
    explicit TAboutForm(TComponent* owner);

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr; // the mail link
    TLabel* Label5 = nullptr; // the web link
    TButton* Button1 = nullptr;

    void Button1Click(TObject* Sender);
    void Label4Click(TObject* Sender);
    void Label5Click(TObject* Sender);

private:
    TLabel* AddLink(const char* name, const AnsiString& target, int left, int top);
};

// The instance made at start-up (never shown; the menu command makes a box of its own).
extern TAboutForm* AboutForm;
