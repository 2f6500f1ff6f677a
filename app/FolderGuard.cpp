#include "app/FolderGuard.h"
#include "platform/core/Files.h"
#include "platform/forms/Dialogs.h"
#include "platform/services/FolderLock.h"

TFolderStart TakeFolderOrBringHolderForward(TFolderLock& lock, int holderAnswerMs)
{
    if (lock.Acquire())
        return TFolderStart::Runs;
    // Running without the lock would let two copies write their own alarm lists over each other.
    if (lock.Refusal() == TFolderLock::TRefusal::Unavailable)
        MessageDlg(UnavailableLockText(lock.LockFilePath(), lock.LockError()), mtError, {mbOK});
    else if (lock.HeldByAnotherUser())
        MessageDlg(AnotherUsersCopyText(lock.HolderUserName()), mtWarning, {mbOK});
    else if (lock.AskHolderToComeForward(holderAnswerMs))
        return TFolderStart::HolderCameForward;
    else
        MessageDlg(UnreachableCopyText(), mtWarning, {mbOK});
    return TFolderStart::Refused;
}

AnsiString UnreachableCopyText()
{
    AnsiString text = "QEX 2000 on jo käynnissä tässä kansiossa, mutta sen ikkunaa ei saatu esiin.\r\n("_a;
    text += ExeFolder();
    text += ")";
    return text;
}

AnsiString AnotherUsersCopyText(const AnsiString& user)
{
    AnsiString text = "QEX 2000 on jo käynnissä tässä kansiossa käyttäjän "_a + user + " ohjelmana.\r\n"_a;
    text += "Samassa kansiossa voi olla käynnissä vain yksi QEX 2000. Sulje se ensin tai käynnistä "
            "ohjelma omasta kansiostasi.\r\n("_a;
    text += ExeFolder();
    text += ")";
    return text;
}

AnsiString UnavailableLockText(const AnsiString& lockFile, const AnsiString& reason)
{
    AnsiString text = "QEX 2000 ei voi käynnistyä: kansion lukkotiedostoa ei saatu lukittua.\r\n"_a;
    text += lockFile + " (" + reason + ")\r\n";
    text += "Tarkista tiedoston ja kansion oikeudet tai käynnistä ohjelma kansiosta, johon sinulla on "
            "kirjoitusoikeus."_a;
    return text;
}
