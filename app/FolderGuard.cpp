#include "app/FolderGuard.h"
#include "platform/core/Files.h"
#include "platform/forms/Dialogs.h"
#include "platform/services/FolderLock.h"

bool TakeFolderOrBringHolderForward(TFolderLock& lock, int holderAnswerMs)
{
    if (lock.Acquire())
        return true;
    if (!lock.AskHolderToComeForward(holderAnswerMs))
        MessageDlg(UnreachableCopyText(), mtWarning, {mbOK});
    return false;
}

AnsiString UnreachableCopyText()
{
    AnsiString text = "QEX 2000 on jo käynnissä tässä kansiossa, mutta sen ikkunaa ei saatu esiin.\r\n("_a;
    text += ExeFolder();
    text += ")";
    return text;
}
