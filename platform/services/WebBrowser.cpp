#include "platform/services/WebBrowser.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/QtText.h"
#include "platform/messages/Application.h"
#include "platform/services/ShellExecute.h"
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTextBrowser>

// The Qt face of the control. It follows no link on its own: clicks and Enter on a link reach
// the control with the target as written, and nothing is ever fetched.
class BrowserView : public QTextBrowser {
public:
    explicit BrowserView(TWebBrowser* owner) : FOwner(owner)
    {
        setOpenLinks(false);
        setOpenExternalLinks(false);
        setUndoRedoEnabled(false);
        connect(this, &QTextEdit::selectionChanged, this, [this] { Dispatch([this] { FOwner->UpdateUI(); }); });
    }

    QVariant loadResource(int, const QUrl&) override { return QVariant(); }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        FPressedAnchor = event->button() == Qt::LeftButton ? anchorAt(event->position().toPoint()) : QString();
        QTextBrowser::mousePressEvent(event);
    }

    // The raw target comes from anchorAt: the URL of anchorClicked is re-encoded ("#%23&3-7").
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QString anchor = event->button() == Qt::LeftButton ? anchorAt(event->position().toPoint()) : QString();
        bool click = !anchor.isEmpty() && anchor == FPressedAnchor;
        FPressedAnchor.clear();
        QPointer<BrowserView> alive = this;
        QTextBrowser::mouseReleaseEvent(event);
        if (click && alive)
            Dispatch([&] { FOwner->LinkActivated(FromQString(anchor)); });
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        bool handled = false;
        Dispatch([&] { handled = FOwner->KeyPressed(*event); });
        if (!handled)
            QTextBrowser::keyPressEvent(event);
    }

    void contextMenuEvent(QContextMenuEvent* event) override
    {
        QPoint at = event->pos();
        TPoint point{at.x(), at.y()};
        DWORD id = anchorAt(at).isEmpty() ? CONTEXT_MENU_DEFAULT : CONTEXT_MENU_ANCHOR;
        HRESULT answer = S_FALSE;
        Dispatch([&] { answer = FOwner->ShowContextMenu(id, &point, nullptr, nullptr); });
        if (answer == S_OK)
            return;
        std::unique_ptr<QMenu> menu(createStandardContextMenu(at));
        menu->exec(event->globalPos());
    }

    void focusInEvent(QFocusEvent* event) override
    {
        QTextBrowser::focusInEvent(event);
        Dispatch([this] {
            FOwner->OnDocWindowActivate(true);
            FOwner->ShowUI();
        });
    }

    void focusOutEvent(QFocusEvent* event) override
    {
        QTextBrowser::focusOutEvent(event);
        Dispatch([this] {
            FOwner->HideUI();
            FOwner->OnDocWindowActivate(false);
        });
    }

private:
    TWebBrowser* FOwner;
    QString FPressedAnchor;
};

namespace {

// The point the platform's message record carries for reflected key messages.
constexpr int kReflectedPoint = 0x115DE1F1;
constexpr UINT WM_KEYDOWN = 0x0100;

bool IsExtendedKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_Home: case Qt::Key_End: case Qt::Key_PageUp: case Qt::Key_PageDown:
    case Qt::Key_Insert: case Qt::Key_Delete:
        return !(event.modifiers() & Qt::KeypadModifier);
    case Qt::Key_Enter:
        return true;
    default:
        return false;
    }
}

} // namespace

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner), FView(new BrowserView(this))
{
    SetWidget(FView);
    // The vertical bar stays, as the desktop's own browser control keeps it: a bar that appears
    // half-way through would make a long table lay out twice.
    FView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

TWebBrowser::~TWebBrowser() = default;

void TWebBrowser::Navigate(const AnsiString& address)
{
    AnsiString URL = address;
    AnsiString translated;
    if (TranslateUrl(0, address, translated) == S_OK)
        URL = translated;
    bool cancel = false;
    if (OnBeforeNavigate2)
        OnBeforeNavigate2(this, nullptr, URL, 0, AnsiString(), AnsiString(), AnsiString(), cancel);
    if (cancel)
        return;
    if (SameText(URL, "about:blank")) {
        FView->clear();
        FHasDocument = true;
        FReadyState = READYSTATE_COMPLETE;
        AmbientPropertyChange();
    } else if (!URL.empty() && URL[0] == '#') {
        FView->scrollToAnchor(ToQString(URL.substr(1)));
    } else {
        ShellExecute(0, "open", URL, AnsiString(), AnsiString(), SW_SHOWNORMAL, TShellSource::Network);
    }
}

HRESULT TWebBrowser::LoadDocument(const AnsiString& html)
{
    if (!FHasDocument)
        return E_NOINTERFACE;
    FView->setHtml(ToQString(html));
    FReadyState = READYSTATE_COMPLETE;
    return S_OK;
}

AnsiString TWebBrowser::DocumentText() const
{
    return FromQString(FView->toPlainText());
}

void TWebBrowser::LinkActivated(const AnsiString& href)
{
    Navigate(href);
}

bool TWebBrowser::KeyPressed(QKeyEvent& event)
{
    const WORD key = VirtualKeyOf(event);
    const bool extended = IsExtendedKey(event);
    if (key != 0 && TranslatesKey(key, extended)) {
        TMsg message;
        message.hwnd = reinterpret_cast<HWND>(FView);
        message.message = WM_KEYDOWN;
        message.wParam = key;
        message.lParam = extended ? (1 << 24) : 0;
        message.time = static_cast<DWORD>(event.timestamp());
        message.pt = TPoint{kReflectedPoint, kReflectedPoint};
        if (TranslateAccelerator(message, nullptr, 0) == S_OK)
            return true;
    }
    // What the control itself does with the key.
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        QTextCharFormat format = FView->textCursor().charFormat();
        if (format.isAnchor() && !format.anchorHref().isEmpty())
            LinkActivated(FromQString(format.anchorHref()));
        return true;
    }
    case Qt::Key_Backspace:
        return true; // no history to go back in
    case Qt::Key_F5:
        Exec(TCommandGroup::DocHostCommandHandler, IDM_REFRESH); // a page from text has nothing to reload
        return true;
    default:
        return false;
    }
}

void TWebBrowser::AmbientPropertyChange()
{
    TDocHostUIInfo info;
    if (GetHostInfo(info) != S_OK)
        return;
    FView->setFrameShape(info.dwFlags & DOCHOSTUIFLAG_NO3DBORDER ? QFrame::NoFrame : QFrame::StyledPanel);
    bool noScrolling = info.dwFlags & DOCHOSTUIFLAG_SCROLL_NO;
    FView->setHorizontalScrollBarPolicy(noScrolling ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    FView->setVerticalScrollBarPolicy(noScrolling ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
}

HRESULT TWebBrowser::ShowContextMenu(DWORD, TPoint*, void*, void*) { return S_FALSE; }
HRESULT TWebBrowser::GetHostInfo(TDocHostUIInfo&) { return E_NOTIMPL; }
HRESULT TWebBrowser::TranslateAccelerator(const TMsg&, const void*, DWORD) { return S_FALSE; }
HRESULT TWebBrowser::ShowUI() { return S_FALSE; }
HRESULT TWebBrowser::HideUI() { return S_FALSE; }
HRESULT TWebBrowser::UpdateUI() { return S_FALSE; }
HRESULT TWebBrowser::OnDocWindowActivate(bool) { return S_FALSE; }
HRESULT TWebBrowser::Exec(TCommandGroup, DWORD) { return OLECMDERR_E_UNKNOWNGROUP; }
HRESULT TWebBrowser::TranslateUrl(DWORD, const AnsiString&, AnsiString&) { return S_FALSE; }
bool TWebBrowser::TranslatesKey(WORD, bool) const { return true; }
