// The one modal path. Every modal window (ShowModal, MessageDlg, InputQuery, ShowMessage, the
// exception box) runs here: the other top-level windows are disabled, a nested event loop runs
// (timers and windows opened meanwhile keep working) until the form has a ModalResult or the
// application is terminated.
//
// Tests install a modal handler. It is called once the nested loop runs and answers through the
// ModalBox it is given. A box left unanswered while a handler is installed (or under the
// offscreen platform, where nobody can answer) is reported and closed at once; it never hangs.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/forms/Form.h"
#include <functional>
#include <vector>

enum class TModalKind : int { Form, MessageBox, InputQuery, ShowMessage, ExceptionBox };

class ModalBox {
public:
    ModalBox(TForm* form, TModalKind kind, AnsiString text) : FForm(form), FKind(kind), FText(std::move(text)) {}

    TModalKind Kind() const { return FKind; }
    AnsiString Caption() const { return FForm->Caption(); }
    // The message of a message box, the prompt of an input box; empty for other forms.
    const AnsiString& Text() const { return FText; }
    // Captions of the form's buttons in their order on the form.
    std::vector<AnsiString> Buttons() const;
    TForm* Form() const { return FForm; }

    // Presses the button whose caption matches exactly, or without its '&' and outer blanks;
    // false when there is none.
    bool Press(const AnsiString& caption);
    // The form's edits in their order on the form.
    int EditCount() const;
    AnsiString EditText(int index) const;
    void SetEditText(int index, const AnsiString& text);
    // Ends the box with this result without pressing anything.
    void Close(TModalResult result) { FForm->SetModalResult(result); }
    bool Answered() const { return FForm->ModalResult() != mrNone; }

private:
    TForm* FForm;
    TModalKind FKind;
    AnsiString FText;
};

using TModalHandler = std::function<void(ModalBox& box)>;
// Installs the test handler (nullptr removes it).
void SetModalHandler(TModalHandler handler);
// Where unanswered boxes are reported (a test records a failure); the default writes to stderr.
void SetUnansweredModalReporter(std::function<void(const AnsiString& description)> reporter);

TModalResult RunModal(TForm* form, TModalKind kind, const AnsiString& text);
// A running modal box stays on top and above the program's other windows: a window that stays on
// top too (an alarm notice) and is shown or raised while the box runs is put back under it, so
// the box can always be seen and answered, and moved beside the box where it fits, so it is seen
// too. Forms call this after raising `raised`.
void KeepModalBoxAbove(const TForm* raised);
// True while a modal box runs.
bool ModalBoxRunning();
