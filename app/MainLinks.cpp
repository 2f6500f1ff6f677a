// What the main window answers the browser of the table views: programme links never navigate,
// and the browser's own context menu is never shown.
#include "app/Main.h"
#include "shell/BrowserHost.h"

void TMainForm::WWWBeforeNavigate2(TObject*, void*, const AnsiString& URL, int, const AnsiString&, const AnsiString&,
                                   const AnsiString&, bool& Cancel)
{
    // A programme link ("##&" column "-" row) points into ListingGrid, not at a page. The
    // programme's information box with its add-to-alarms button is not built yet; until it is,
    // the link is only kept from navigating. Every other address proceeds.
    if (URL.find("##&") != AnsiString::npos)
        Cancel = true;
}

HRESULT TMainForm::WWWShowContextMenu(DWORD, TPoint*, void*, void*)
{
    return S_OK; // handled: no menu
}
