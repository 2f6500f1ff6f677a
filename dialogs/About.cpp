#include "dialogs/About.h"
#include <QApplication>
#include <QIcon>
#include <QWidget>
#include "platform/forms/Button.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/services/ShellExecute.h"

TAboutForm* AboutForm = nullptr;

// Each is shown whole on one line from 88 pixels into a box 282 pixels wide: 194 pixels at most
// in the box's Arial 12 px.
const char* const MakerMailAddress = "qex2000@kelvaro.example";
const char* const MakerHomePage = "http://kelvaro.example/qex2000/";

namespace {

constexpr int kIconSize = 32;

// The program's own picture, as the application gives it to every window.
TBitmap ProgramPicture()
{
    TBitmap picture;
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        picture.Assign(icon.pixmap(kIconSize, kIconSize).toImage());
    return picture;
}

} // namespace

TAboutForm::TAboutForm(TComponent* owner) : TForm(owner)
{
    SetName("AboutForm");
    SetCaption("Ohjelmasta");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    Font()->SetName("Arial");
    Font()->SetHeight(-12);
    SetClientWidth(282);
    SetClientHeight(172);

    Image1 = new TImage(this);
    Image1->SetName("Image1");
    Image1->SetParent(this);
    Image1->SetPicture(ProgramPicture());
    Image1->SetBounds(8, 8, kIconSize, kIconSize);

    Label1 = AddLabel(this, "Label1", "QEX 2000\r\nVersio 4.76 (build 3061)\r\nTekijä: Kelvaro"_a, 48, 16);
    Label1->SetTransparent(true);
    Label2 = AddLabel(this, "Label2", "Email:", 48, 80);
    Label3 = AddLabel(this, "Label3", "WWW:", 48, 96);
    Label4 = AddLink("Label4", MakerMailAddress, 88, 80);
    Label5 = AddLink("Label5", MakerHomePage, 88, 96);

    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(this);
    Button1->SetCaption("OK");
    Button1->SetBounds(104, 132, 75, 25);
    Button1->SetDefault(true);
    Button1->SetCancel(true);

    Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
    Label4->OnClick = [this](TObject* sender) { Label4Click(sender); };
    Label5->OnClick = [this](TObject* sender) { Label5Click(sender); };
}

TLabel* TAboutForm::AddLink(const char* name, const AnsiString& target, int left, int top)
{
    TLabel* link = AddLabel(this, name, target, left, top);
    link->Font()->SetColor(clBlue);
    link->Widget()->setCursor(Qt::PointingHandCursor);
    return link;
}

void TAboutForm::Button1Click(TObject*)
{
    Close();
}

// Nothing is reported when no mail program or browser takes the link.
void TAboutForm::Label4Click(TObject*)
{
    ShellExecute(0, "Open", AnsiString("mailto:") + MakerMailAddress, "", "", SW_SHOWMAXIMIZED);
}

void TAboutForm::Label5Click(TObject*)
{
    ShellExecute(0, "Open", MakerHomePage, "", "", SW_SHOWMAXIMIZED);
}
