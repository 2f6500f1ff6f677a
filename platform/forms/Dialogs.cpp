#include "platform/forms/Dialogs.h"
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include "platform/messages/Application.h"
#include "platform/forms/Button.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Label.h"
#include "platform/forms/Modal.h"
#include "platform/forms/ScrollBox.h"

namespace {

struct ButtonInfo {
    const char* caption;
    TModalResult result;
};

const ButtonInfo& InfoOf(TMsgDlgBtn button)
{
    static const AnsiString yes = "&Kyllä"_a, abort = "&Keskeytä"_a, all = " &Lisää hälytyksiin "_a,
                            yesToAll = "K&yllä kaikkiin"_a;
    static const ButtonInfo infos[] = {
        {yes.c_str(), mrYes},         {"&Ei", mrNo},          {"OK", mrOk},
        {"Peruuta", mrCancel},        {abort.c_str(), mrAbort}, {"&Uudelleen", mrRetry},
        {"&Ohita", mrIgnore},         {all.c_str(), mrAll},   {"E&i kaikkiin", mrNoToAll},
        {yesToAll.c_str(), mrYesToAll}, {"&Ohje", mrNone},
    };
    return infos[button];
}

AnsiString TitleOf(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return "Varoitus";
    case mtError: return "Virhe";
    case mtInformation: return "Info";
    case mtConfirmation: return "Hyväksy"_a;
    default: return Application ? Application->Title() : AnsiString();
    }
}

QStyle::StandardPixmap IconOf(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return QStyle::SP_MessageBoxWarning;
    case mtError: return QStyle::SP_MessageBoxCritical;
    case mtInformation: return QStyle::SP_MessageBoxInformation;
    case mtConfirmation: return QStyle::SP_MessageBoxQuestion;
    default: return QStyle::SP_CustomBase;
    }
}

// Line breaks in the program's texts are CR LF (or LF CR); the label wants one LF each.
AnsiString DisplayText(const AnsiString& text)
{
    AnsiString shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            char other = c == '\r' ? '\n' : '\r';
            if (i + 1 < text.size() && text[i + 1] == other)
                ++i;
            shown += '\n';
        } else {
            shown += c;
        }
    }
    return shown;
}

constexpr int kMargin = 12;
constexpr int kButtonHeight = 25;
constexpr int kButtonSpacing = 8;

// Room the title bar and the borders take around a box, more than window managers usually give.
constexpr int kFrameAllowance = 40;

// A message taller than the screen's free area leaves beside it scrolls in an area of its own,
// so the box and its buttons stay on the screen and all of the text can still be read. The
// control that holds the text in the box: the message itself or that area.
// The screen the box comes up on: the one of the window the user works in, else the primary one;
// none at all while no screen is connected.
QScreen* BoxScreen()
{
    if (const QWidget* active = QApplication::activeWindow())
        if (QScreen* screen = active->screen())
            return screen;
    return QGuiApplication::primaryScreen();
}

TControl* ScrolledWhenTooTall(TForm& form, TLabel* message)
{
    const QScreen* screen = BoxScreen();
    // Without a screen there is no height to keep within; the box is shown whole when one comes.
    if (!screen)
        return message;
    const int room = screen->availableGeometry().height() - kFrameAllowance - (3 * kMargin + 4 + kButtonHeight);
    if (message->Height() <= room)
        return message;
    auto* scroller = new TScrollBox(&form);
    scroller->SetParent(&form);
    auto* area = static_cast<QScrollArea*>(scroller->Widget());
    const int barWidth = area->verticalScrollBar()->sizeHint().width();
    scroller->SetBounds(message->Left(), message->Top(), message->Width() + barWidth + 2 * area->frameWidth(), room);
    scroller->SetVertRange(message->Height());
    message->SetParent(scroller);
    message->SetLeft(0);
    message->SetTop(0);
    return scroller;
}

int ButtonWidth(TButton* button)
{
    return std::max(75, button->Widget()->sizeHint().width());
}

TModalResult ShowBox(TModalKind kind, const AnsiString& title, const AnsiString& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    TForm form(nullptr);
    form.SetCaption(title);
    form.SetBorderStyle(bsDialog);
    form.SetPosition(poScreenCenter);
    form.KeyPreview = true;

    int left = kMargin;
    QStyle::StandardPixmap icon = IconOf(type);
    if (icon != QStyle::SP_CustomBase) {
        auto* iconLabel = new QLabel(form.ClientWidget());
        iconLabel->setPixmap(QApplication::style()->standardPixmap(icon));
        iconLabel->setGeometry(kMargin, kMargin, 32, 32);
        left += 32 + kMargin;
    }
    auto* message = new TLabel(&form);
    message->SetParent(&form);
    // Messages carry outside text (titles, file names): an '&' there is text, not an accelerator.
    message->SetShowAccelChar(false);
    message->SetCaption(DisplayText(text));
    message->SetLeft(left);
    message->SetTop(kMargin);
    int textWidth = std::min(message->Width(), 500);
    if (message->Width() > textWidth) {
        message->SetWidth(textWidth);
        message->SetWordWrap(true);
    }
    TControl* textBlock = ScrolledWhenTooTall(form, message);

    TMsgDlgBtn defaultButton = buttons.Contains(mbOK) ? mbOK : buttons.Contains(mbYes) ? mbYes : mbRetry;
    TMsgDlgBtn cancelButton = buttons.Contains(mbCancel) ? mbCancel : buttons.Contains(mbNo) ? mbNo : mbOK;
    std::vector<TButton*> made;
    TButton* focus = nullptr;
    for (int b = mbYes; b <= mbHelp; ++b) {
        auto button = static_cast<TMsgDlgBtn>(b);
        if (!buttons.Contains(button))
            continue;
        auto* control = new TButton(&form);
        control->SetParent(&form);
        control->SetCaption(InfoOf(button).caption);
        control->SetModalResult(InfoOf(button).result);
        control->SetDefault(button == defaultButton);
        control->SetCancel(button == cancelButton);
        if (button == defaultButton)
            focus = control;
        made.push_back(control);
    }
    int rowWidth = 0;
    for (TButton* button : made)
        rowWidth += ButtonWidth(button) + (rowWidth ? kButtonSpacing : 0);
    int iconHeight = icon != QStyle::SP_CustomBase ? 32 : 0;
    int buttonTop = kMargin + std::max(iconHeight, textBlock->Height()) + kMargin + 4;
    int clientWidth = std::max(left + textBlock->Width() + kMargin, rowWidth + 2 * kMargin);
    int x = (clientWidth - rowWidth) / 2;
    for (TButton* button : made) {
        int width = ButtonWidth(button);
        button->SetBounds(x, buttonTop, width, kButtonHeight);
        x += width + kButtonSpacing;
    }
    form.SetClientWidth(clientWidth);
    form.SetClientHeight(buttonTop + kButtonHeight + kMargin);
    if (focus)
        focus->SetFocus();

    TModalResult result = RunModal(&form, kind, text);
    // The close box gives mrCancel; a box without a Cancel button answers as Escape would.
    if (result == mrCancel && !buttons.Contains(mbCancel))
        result = InfoOf(cancelButton).result;
    return result;
}

} // namespace

TModalResult MessageDlg(const AnsiString& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext)
{
    (void)helpContext;
    return ShowBox(TModalKind::MessageBox, TitleOf(type), text, type, buttons);
}

void ShowMessage(const AnsiString& text)
{
    ShowBox(TModalKind::ShowMessage, TitleOf(mtCustom), text, mtCustom, {mbOK});
}

bool InputQuery(const AnsiString& caption, const AnsiString& prompt, AnsiString& value)
{
    TForm form(nullptr);
    form.SetCaption(caption);
    form.SetBorderStyle(bsDialog);
    form.SetPosition(poScreenCenter);
    form.KeyPreview = true;

    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetCaption(prompt);
    label->SetBounds(kMargin, kMargin, label->Width(), label->Height());
    int clientWidth = std::max(280, label->Width() + 2 * kMargin);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetMaxLength(255);
    edit->SetText(value);
    edit->SetBounds(kMargin, label->Top() + label->Height() + 6, clientWidth - 2 * kMargin, 21);
    edit->SelectAll();
    int buttonTop = edit->Top() + edit->Height() + kMargin;
    auto* ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetCaption("OK");
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    auto* cancel = new TButton(&form);
    cancel->SetParent(&form);
    cancel->SetCaption("Peruuta");
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
    int x = (clientWidth - (2 * 75 + kButtonSpacing)) / 2;
    ok->SetBounds(x, buttonTop, 75, kButtonHeight);
    cancel->SetBounds(x + 75 + kButtonSpacing, buttonTop, 75, kButtonHeight);
    form.SetClientWidth(clientWidth);
    form.SetClientHeight(buttonTop + kButtonHeight + kMargin);
    edit->SetFocus();

    if (RunModal(&form, TModalKind::InputQuery, prompt) != mrOk)
        return false;
    value = edit->Text();
    return true;
}

AnsiString InputBox(const AnsiString& caption, const AnsiString& prompt, const AnsiString& defaultValue)
{
    AnsiString value = defaultValue;
    return InputQuery(caption, prompt, value) ? value : defaultValue;
}

void InstallDefaultExceptionBox()
{
    if (!Application)
        return;
    Application->ExceptionBox = [](const AnsiString& title, const AnsiString& message) {
        ShowBox(TModalKind::ExceptionBox, title, message, mtError, {mbOK});
    };
}
