// Message boxes and input boxes with the program's Finnish titles and button captions. All of
// them are modal through RunModal (so a test's modal handler answers them).
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/forms/Form.h"
#include "platform/forms/Set.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
// In the class library's order, which is also the order of the buttons in a box.
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// Titles "Varoitus", "Virhe", "Info", "Hyväksy" (a custom box takes the application's title).
// The default button is OK, else Yes, else Retry; Escape and the close box answer as Cancel,
// else No, else OK would. Returns mrYes, mrNo, mrOk...
TModalResult MessageDlg(const AnsiString& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
// An OK box titled with the application's title.
void ShowMessage(const AnsiString& text);
// A prompt with an edit (at most 255 characters) and "OK" / "Peruuta"; true and the entered
// text on OK, false and `value` untouched otherwise.
bool InputQuery(const AnsiString& caption, const AnsiString& prompt, AnsiString& value);
// The entered text, or `defaultValue` when cancelled.
AnsiString InputBox(const AnsiString& caption, const AnsiString& prompt, const AnsiString& defaultValue);
// Sets Application->ExceptionBox to an error box titled with the application's title.
void InstallDefaultExceptionBox();
