#include "platform/core/Streams.h"
#include "platform/core/Strings.h"
#include "platform/messages/Application.h"
#include "platform/services/Registry.h"
#include "platform/services/ShellExecute.h"
#include "shell/BrowserHost.h"
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTextBrowser>
#include <QTimer>
#include <cfenv>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

const AnsiString kUserAgentKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";

class BrowserHostTest : public ::testing::Test {
protected:
    BrowserHostTest() : saved(Application)
    {
        Application = &app;
        host = std::make_unique<TBrowserHost>(nullptr);
        host->OnBeforeNavigate2 = [this](TObject* sender, void*, const AnsiString& url, int, const AnsiString&,
                                         const AnsiString&, const AnsiString&, bool& cancel) {
            EXPECT_EQ(sender, host.get());
            navigations.push_back(url);
            cancel = cancelEverything || url.find("##&") != AnsiString::npos;
        };
        SetDesktopOpener([this](const AnsiString& target) {
            opened.push_back(target);
            return true;
        });
        View()->resize(400, 300);
        View()->show();
    }
    ~BrowserHostTest() override
    {
        host.reset();
        SetDesktopOpener(nullptr);
        Application = saved;
    }

    QTextBrowser* View() const { return qobject_cast<QTextBrowser*>(host->Widget()); }

    HRESULT Load(std::initializer_list<AnsiString> lines)
    {
        TStringList list;
        for (const auto& line : lines)
            list.Add(line);
        return host->LoadHtmlFromStrings(list);
    }

    // A left click in the middle of the first occurrence of `text`.
    void ClickOn(const QString& text)
    {
        QTextCursor cursor = View()->document()->find(text);
        ASSERT_FALSE(cursor.isNull()) << text.toStdString();
        cursor.setPosition(cursor.selectionStart() + 1);
        QPoint at = View()->cursorRect(cursor).center();
        QWidget* viewport = View()->viewport();
        QPointF global = viewport->mapToGlobal(QPointF(at));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &press);
        QApplication::sendEvent(viewport, &release);
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(View(), &press);
    }

    TApplication* saved;
    TApplication app{nullptr};
    std::unique_ptr<TBrowserHost> host;
    std::vector<AnsiString> navigations;
    std::vector<AnsiString> opened;
    bool cancelEverything = false;
};

} // namespace

TEST_F(BrowserHostTest, AProgrammeLinkClickPassesItsRawTargetAndIsCancelled)
{
    ASSERT_EQ(Load({"<HTML><BODY><TABLE><TR>",
                    "<TD><A HREF=\"##&3-7\">Uutiset</A></TD>",
                    "<TD><A HREF=\"http://www.example.fi/ohjelma?id=1&x=%41\">Kotisivu</A></TD>",
                    "<TD><A HREF=\"javascript:alert(1)\">Skripti</A></TD>",
                    "</TR></TABLE></BODY></HTML>"}),
              S_OK);
    EXPECT_EQ(navigations, (std::vector<AnsiString>{"about:blank"}));
    const AnsiString page = host->DocumentText();

    ClickOn("Uutiset");
    ASSERT_EQ(navigations.size(), 2u);
    EXPECT_EQ(navigations[1], "##&3-7");
    EXPECT_EQ(host->DocumentText(), page);
    EXPECT_TRUE(opened.empty());

    // Links that are not cancelled: web addresses go to the desktop's browser, others nowhere.
    ClickOn("Kotisivu");
    ClickOn("Skripti");
    ASSERT_EQ(navigations.size(), 4u);
    EXPECT_EQ(navigations[2], "http://www.example.fi/ohjelma?id=1&x=%41");
    EXPECT_EQ(navigations[3], "javascript:alert(1)");
    EXPECT_EQ(opened, (std::vector<AnsiString>{"http://www.example.fi/ohjelma?id=1&x=%41"}));
    EXPECT_EQ(host->DocumentText(), page);
}

TEST_F(BrowserHostTest, PagesLoadAsWindows1252AndOnlyTheFirstLoadNavigatesToBlank)
{
    ASSERT_EQ(Load({"<HTML><BODY>", "H\xE4lytykset \x80 5 \xA4\xA4 x", "<P>04:00 &nbsp</P><P>a&nbsp;b</P>",
                    "</BODY></HTML>"}),
              S_OK);
    AnsiString text = host->DocumentText();
    EXPECT_NE(text.find("H\xE4lytykset \x80 5 \xA4\xA4 x"), AnsiString::npos) << text;
    // Qt's plain text turns the no-break space into a blank; an unmended "&nbsp" would show as is.
    EXPECT_NE(text.find("04:00  "), AnsiString::npos) << text;
    EXPECT_EQ(text.find("&nbsp"), AnsiString::npos) << text;
    EXPECT_NE(text.find("a b"), AnsiString::npos) << text;

    ASSERT_EQ(Load({"<HTML><BODY>Toinen sivu</BODY></HTML>"}), S_OK);
    EXPECT_EQ(navigations, (std::vector<AnsiString>{"about:blank"}));
    EXPECT_NE(host->DocumentText().find("Toinen sivu"), AnsiString::npos);
}

TEST_F(BrowserHostTest, AFailedLoadReturnsOneAndNeverWaitsForADocument)
{
    cancelEverything = true;
    EXPECT_EQ(Load({"<HTML><BODY>Ei n\xE4y</BODY></HTML>"}), 1);
    EXPECT_FALSE(host->HasDocument());
    EXPECT_EQ(host->DocumentText(), "");
    TStringStream stream("<P>x</P>");
    EXPECT_THROW(host->LoadHtmlFromStream(stream), Exception);

    cancelEverything = false;
    ASSERT_EQ(Load({"<P>N\xE4kyy</P>"}), S_OK);
    EXPECT_EQ(host->ReadyState(), READYSTATE_COMPLETE);
}

TEST_F(BrowserHostTest, TheUserAgentValueExistsExactlyWhileTheHostDoes)
{
    TRegistry registry;
    host->Loaded();
    ASSERT_TRUE(registry.OpenKeyReadOnly(kUserAgentKey));
    EXPECT_TRUE(registry.ValueExists(""));
    EXPECT_EQ(registry.GetDataType(""), TRegDataType::rdString);
    EXPECT_EQ(registry.ReadString(""), "");
    host.reset();
    EXPECT_FALSE(registry.ValueExists(""));
}

TEST_F(BrowserHostTest, BackspaceEnterAndThePlainArrowsAreNotOfferedForTranslation)
{
    std::vector<WPARAM> offered;
    host->OnTranslateAccelerator = [&](const TMsg* message, const void*, DWORD) {
        offered.push_back(message->wParam);
        return S_FALSE;
    };
    ASSERT_EQ(Load({"<P><A HREF=\"##&1-2\">Elokuva</A></P>"}), S_OK);
    QTextCursor cursor = View()->document()->find("Elokuva");
    View()->setTextCursor(cursor);

    Key(Qt::Key_Backspace);
    Key(Qt::Key_Left);
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    Key(Qt::Key_Left, Qt::KeypadModifier); // the keypad's arrow is no extended key
    Key(Qt::Key_Down);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(offered, (std::vector<WPARAM>{VK_LEFT, VK_DOWN, 'C'}));
    // Enter follows the link under the cursor, with its raw target.
    EXPECT_EQ(navigations, (std::vector<AnsiString>{"about:blank", "##&1-2"}));

    // A key the container takes goes no further.
    host->OnTranslateAccelerator = [&](const TMsg*, const void*, DWORD) { return S_OK; };
    bool refreshed = false;
    host->OnRefresh = [&](TObject*, DWORD, bool&) { refreshed = true; };
    Key(Qt::Key_F5);
    EXPECT_FALSE(refreshed);
    host->OnTranslateAccelerator = nullptr;
    Key(Qt::Key_F5);
    EXPECT_TRUE(refreshed);
}

TEST_F(BrowserHostTest, TheContextMenuIsTheHandlersToSuppress)
{
    ASSERT_EQ(Load({"<P>Teksti</P>"}), S_OK);
    QPoint at(20, 10);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, View()->viewport()->mapToGlobal(at));

    // Without a handler the control shows its own menu.
    bool menuShown = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            menuShown = true;
            popup->close();
        }
    });
    QApplication::sendEvent(View()->viewport(), &request);
    EXPECT_TRUE(menuShown);

    std::vector<DWORD> ids;
    host->OnShowContextMenu = [&](DWORD id, TPoint* point, void*, void*) {
        ids.push_back(id);
        EXPECT_EQ(point->X, 20);
        return S_OK;
    };
    QApplication::sendEvent(View()->viewport(), &request); // would block in the menu if one opened
    EXPECT_EQ(ids, (std::vector<DWORD>{CONTEXT_MENU_DEFAULT}));
}

TEST_F(BrowserHostTest, OptionsBecomeTheirFlagWordsAndReachTheControl)
{
    EXPECT_EQ(host->DownloadFlags(), 0x70u);
    EXPECT_EQ(host->UIFlags(), 0u);
    int result = 0;
    EXPECT_EQ(host->Invoke(DISPID_AMBIENT_DLCONTROL, nullptr, 0, DISPATCH_PROPERTYGET, nullptr, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result, 0x70);
    EXPECT_EQ(host->Invoke(-501, nullptr, 0, DISPATCH_PROPERTYGET, nullptr, &result, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);

    TDownloadControlOptions all;
    for (int i = 0; i < 19; ++i)
        all << static_cast<TDownloadControlOption>(i);
    EXPECT_EQ(DownloadControlFlags(all), 0xF007FFF0u);
    TUserInterfaceOptions everyUi;
    for (int i = 0; i < 17; ++i)
        everyUi << static_cast<TUserInterfaceOption>(i);
    EXPECT_EQ(UserInterfaceFlags(everyUi), 0x37FFFu);

    ASSERT_EQ(Load({"<P>x</P>"}), S_OK);
    EXPECT_NE(View()->frameShape(), QFrame::NoFrame);
    host->SetUserInterfaceOptions({TUserInterfaceOption::NO3DBORDER, TUserInterfaceOption::SCROLL_NO});
    EXPECT_EQ(host->UIFlags(), 0xCu);
    EXPECT_EQ(View()->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(View()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(BrowserHostTest, ContainerAnswersAreTheEventsOrTheirDefaults)
{
    int anything = 0;
    void* out = &anything;
    EXPECT_EQ(host->GetDropTarget(nullptr, out), S_OK);
    EXPECT_EQ(out, nullptr);
    out = &anything;
    EXPECT_EQ(host->GetExternal(out), S_FALSE);
    EXPECT_EQ(out, nullptr);
    AnsiString key = "x";
    EXPECT_EQ(host->GetOverrideKeyPath(key, 0), S_OK);
    EXPECT_EQ(key, "");
    EXPECT_EQ(host->GetOptionKeyPath(key, 0), S_FALSE);
    int count = 5;
    EXPECT_EQ(host->GetTypeInfoCount(count), E_NOTIMPL);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(host->QueryService(nullptr, nullptr, out), E_NOINTERFACE);
    LRESULT shown = 0;
    EXPECT_EQ(host->ShowMessage(0, "t", "c", 0, "", 0, shown), S_FALSE);
    host->OnShowMessage = [](HWND, const AnsiString&, const AnsiString&, DWORD, const AnsiString&, DWORD, LRESULT& r) {
        r = 7;
        return S_OK;
    };
    EXPECT_EQ(host->ShowMessage(0, "t", "c", 0, "", 0, shown), S_OK);
    EXPECT_EQ(shown, 7);

    EXPECT_EQ(host->Exec(TCommandGroup::None, 1), OLECMDERR_E_UNKNOWNGROUP);
    int unloads = 0;
    host->OnUnload = [&](TObject*) { ++unloads; };
    EXPECT_EQ(host->Exec(TCommandGroup::Explorer, SHDVID_UNLOAD), OLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(host->Exec(TCommandGroup::DocHostCommandHandler, IDM_REFRESH), OLECMDERR_E_NOTSUPPORTED);
    std::vector<DWORD> refreshes;
    host->OnRefresh = [&](TObject*, DWORD command, bool& cancel) {
        refreshes.push_back(command);
        cancel = command == 6042;
    };
    EXPECT_EQ(host->Exec(TCommandGroup::DocHostCommandHandler, 6041), OLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(host->Exec(TCommandGroup::DocHostCommandHandler, 6042), S_OK);
    EXPECT_EQ(host->Exec(TCommandGroup::DocHostCommandHandler, 40), OLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(refreshes, (std::vector<DWORD>{6041, 6042}));
}

TEST_F(BrowserHostTest, FpExceptionsFalseMasksEverythingAndTrueRestoresTheStartState)
{
    const int atStart = fegetexcept();
    feenableexcept(FE_DIVBYZERO);
    host->SetfpExceptions(false);
    EXPECT_EQ(fegetexcept(), 0);
    EXPECT_FALSE(host->fpExceptions());
    feenableexcept(FE_INVALID);
    host->SetfpExceptions(true);
    EXPECT_EQ(fegetexcept(), atStart);
}
