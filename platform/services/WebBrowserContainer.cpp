// The container's default answers: a container that answers nothing, and the script error's
// window event read by name.
#include "platform/services/WebBrowser.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

AnsiString TScriptErrorEvent::Property(const AnsiString& name) const
{
    if (SameText(name, "errorLine"))
        return IntToStr(FLine);
    if (SameText(name, "errorCharacter"))
        return IntToStr(FColumn);
    if (SameText(name, "errorCode"))
        return "0"; // the engine tells none
    if (SameText(name, "errorMessage"))
        return FMessage;
    if (SameText(name, "errorUrl"))
        return FUrl;
    throw Exception("'" + name + "' not supported.");
}

HRESULT TWebBrowser::ShowContextMenu(DWORD, TPoint*, void*, void*) { return S_FALSE; }
HRESULT TWebBrowser::GetHostInfo(TDocHostUIInfo&) { return E_NOTIMPL; }
HRESULT TWebBrowser::TranslateAccelerator(const TMsg&, const void*, DWORD) { return S_FALSE; }
HRESULT TWebBrowser::ShowUI() { return S_FALSE; }
HRESULT TWebBrowser::HideUI() { return S_FALSE; }
HRESULT TWebBrowser::UpdateUI() { return S_FALSE; }
HRESULT TWebBrowser::OnDocWindowActivate(bool) { return S_FALSE; }
HRESULT TWebBrowser::Exec(TCommandGroup, DWORD, bool*) { return OLECMDERR_E_UNKNOWNGROUP; }
HRESULT TWebBrowser::TranslateUrl(DWORD, const AnsiString&, AnsiString&) { return S_FALSE; }
HRESULT TWebBrowser::ShowMessage(HWND, const AnsiString&, const AnsiString&, DWORD, const AnsiString&, DWORD, LRESULT&)
{
    return S_FALSE;
}
HRESULT TWebBrowser::ShowHelp(HWND, const AnsiString&, UINT, DWORD, TPoint, void*) { return S_FALSE; }
HRESULT TWebBrowser::EnableModeless(bool) { return S_FALSE; }
HRESULT TWebBrowser::OnFrameWindowActivate(bool) { return S_FALSE; }
HRESULT TWebBrowser::ResizeBorder(const TRect*, void*, bool) { return S_FALSE; }
HRESULT TWebBrowser::GetDropTarget(void*, void*& replacement)
{
    replacement = nullptr;
    return S_OK;
}
HRESULT TWebBrowser::FilterDataObject(void*, void*& replacement)
{
    replacement = nullptr;
    return S_FALSE;
}
HRESULT TWebBrowser::Invoke(int, const void*, int, WORD, void*, int*, void*, void*) { return DISP_E_MEMBERNOTFOUND; }
bool TWebBrowser::TranslatesKey(WORD, bool) const { return true; }
