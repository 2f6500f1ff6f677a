// The browser host on the real engine. Each case that shows a page starts the engine once, so
// the cases that need it are few and each covers a whole behaviour.
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include "platform/core/Strings.h"
#include "platform/messages/Application.h"
#include "platform/services/Registry.h"
#include "platform/services/ShellExecute.h"
#include "shell/BrowserHost.h"
#include "support/WebPageDriver.h"
#include <QFrame>
#include <QMenu>
#include <QTcpServer>
#include <cfenv>
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
        host->Widget()->resize(500, 300);
        host->Widget()->show();
    }
    ~BrowserHostTest() override
    {
        host.reset();
        SetDesktopOpener(nullptr);
        Application = saved;
    }

    QFrame* Frame() const { return qobject_cast<QFrame*>(host->Widget()); }

    // Loads the lines and waits until the engine shows them.
    HRESULT Load(std::initializer_list<AnsiString> lines)
    {
        TStringList list;
        for (const auto& line : lines)
            list.Add(line);
        const HRESULT result = host->LoadHtmlFromStrings(list);
        if (result == S_OK) {
            EXPECT_TRUE(webpage::WaitForPage(*host));
        }
        return result;
    }

    // Waits until `count` navigations arrived, then a while longer for any that should not.
    void ExpectNavigations(const std::vector<AnsiString>& expected)
    {
        webpage::RunUntil([&] { return navigations.size() >= expected.size(); });
        webpage::Settle(*host);
        QDeadlineTimer extra(150);
        webpage::RunUntil([&] { return extra.hasExpired(); });
        EXPECT_EQ(navigations, expected);
        navigations.clear();
    }

    TApplication* saved;
    TApplication app{nullptr};
    std::unique_ptr<TBrowserHost> host;
    std::vector<AnsiString> navigations;
    std::vector<AnsiString> opened;
    bool cancelEverything = false;
};

} // namespace

// Each option alone gives its value, and all of them together the sum.
template <typename Option, std::size_t N>
void ExpectEveryFlag(const std::pair<Option, DWORD> (&values)[N], DWORD (*flagWord)(TSet<Option>))
{
    TSet<Option> all;
    DWORD sum = 0;
    for (const auto& [option, value] : values) {
        EXPECT_EQ(flagWord(TSet<Option>{option}), value) << "option " << static_cast<int>(option);
        all << option;
        sum += value;
    }
    EXPECT_EQ(flagWord(all), sum);
}

// Each option stands for the platform's flag of its name; the words are their sums.
TEST(BrowserHostFlags, EveryOptionGivesThePlatformsValueOfItsName)
{
    using DL = TDownloadControlOption;
    const std::pair<DL, DWORD> download[] = {
        {DL::DLCTL_DLIMAGES, 0x10},          {DL::DLCTL_VIDEOS, 0x20},
        {DL::DLCTL_BGSOUNDS, 0x40},          {DL::DLCTL_NO_SCRIPTS, 0x80},
        {DL::DLCTL_NO_JAVA, 0x100},          {DL::DLCTL_NO_RUNACTIVEXCTLS, 0x200},
        {DL::DLCTL_NO_DLACTIVEXCTLS, 0x400}, {DL::DLCTL_DOWNLOADONLY, 0x800},
        {DL::DLCTL_NO_FRAMEDOWNLOAD, 0x1000}, {DL::DLCTL_RESYNCHRONIZE, 0x2000},
        {DL::DLCTL_PRAGMA_NO_CACHE, 0x4000}, {DL::DLCTL_NO_BEHAVIORS, 0x8000},
        {DL::DLCTL_NO_METACHARSET, 0x10000}, {DL::DLCTL_URL_ENCODING_DISABLE_UTF8, 0x20000},
        {DL::DLCTL_URL_ENCODING_ENABLE_UTF8, 0x40000}, {DL::DLCTL_FORCEOFFLINE, 0x10000000},
        {DL::DLCTL_NO_CLIENTPULL, 0x20000000}, {DL::DLCTL_SILENT, 0x40000000},
        {DL::DLCTL_OFFLINE, 0x80000000},
    };
    ExpectEveryFlag(download, DownloadControlFlags);

    using UI = TUserInterfaceOption;
    const std::pair<UI, DWORD> userInterface[] = {
        {UI::DIALOG, 0x1},                      {UI::DISABLE_HELP_MENU, 0x2},
        {UI::NO3DBORDER, 0x4},                  {UI::SCROLL_NO, 0x8},
        {UI::DISABLE_SCRIPT_INACTIVE, 0x10},    {UI::OPENNEWWIN, 0x20},
        {UI::DISABLE_OFFSCREEN, 0x40},          {UI::FLAT_SCROLLBAR, 0x80},
        {UI::DIV_BLOCKDEFAULT, 0x100},          {UI::ACTIVATE_CLIENTHIT_ONLY, 0x200},
        {UI::OVERRIDEBEHAVIORFACTORY, 0x400},   {UI::CODEPAGELINKEDFONTS, 0x800},
        {UI::URL_ENCODING_DISABLE_UTF8, 0x1000}, {UI::URL_ENCODING_ENABLE_UTF8, 0x2000},
        {UI::ENABLE_FORMS_AUTOCOMPLETE, 0x4000}, {UI::ENABLE_INPLACE_NAVIGATION, 0x10000},
        {UI::IME_ENABLE_RECONVERSION, 0x20000},
    };
    ExpectEveryFlag(userInterface, UserInterfaceFlags);
}

TEST_F(BrowserHostTest, PagesLoadAsWindows1252WithNoScriptNoNetworkAndOnlyTheFirstLoadNavigatesToBlank)
{
    host->SetDownloadOptions(host->DownloadOptions() << TDownloadControlOption::DLCTL_NO_SCRIPTS);
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost));
    const AnsiString port = std::to_string(listener.serverPort());
    EXPECT_EQ(webpage::ViewOf(*host), nullptr); // no engine until a page is shown

    ASSERT_EQ(Load({"<HTML><HEAD><TITLE>Alku</TITLE></HEAD><BODY BGCOLOR=\"#C0C0C0\">",
                    "H\xE4lytykset \x80 5 \xA4\xA4 x", "<P>04:00 &nbsp</P><P>a&nbsp;b</P>",
                    "<SCRIPT>document.title = 'skripti';</SCRIPT>",
                    "<IMG SRC=\"http://127.0.0.1:" + port + "/kuva.gif\">",
                    "<LINK REL=\"stylesheet\" HREF=\"http://127.0.0.1:" + port + "/tyyli.css\">",
                    "</BODY></HTML>"}),
              S_OK);
    EXPECT_EQ(navigations, (std::vector<AnsiString>{"about:blank"}));
    AnsiString text = webpage::DocumentText(*host);
    EXPECT_NE(text.find("H\xE4lytykset \x80 5 \xA4\xA4 x"), AnsiString::npos) << text;
    EXPECT_NE(text.find("04:00 \xA0"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("&nbsp"), AnsiString::npos) << text;
    EXPECT_NE(text.find("a\xA0" "b"), AnsiString::npos) << text;
    EXPECT_EQ(webpage::Probe(*host, "title").toString(), "Alku"); // the page's script never ran
    EXPECT_EQ(webpage::Run(*host, "getComputedStyle(document.body).backgroundColor").toString(),
              "rgb(192, 192, 192)");
    EXPECT_FALSE(listener.hasPendingConnections());
    EXPECT_FALSE(listener.waitForNewConnection(100));

    ASSERT_EQ(Load({"<HTML><BODY>Toinen sivu</BODY></HTML>"}), S_OK);
    EXPECT_EQ(navigations, (std::vector<AnsiString>{"about:blank"}));
    EXPECT_NE(webpage::DocumentText(*host).find("Toinen sivu"), AnsiString::npos);
}

TEST_F(BrowserHostTest, EveryActivationOfALinkReachesTheWindowOnceWithItsRawTarget)
{
    const std::initializer_list<AnsiString> page = {
        "<HTML><BODY><TABLE BORDER=1><TR>",
        "<TD><A HREF=\"##&3-7\"><FONT SIZE=\"2\">Uutiset</FONT></A></TD>",
        "<TD><A HREF=\"http://www.example.fi/ohjelma?id=1&x=%41\">Kotisivu</A></TD>",
        "<TD><A HREF=\"javascript:alert(1)\">Skripti</A></TD>",
        "<TD><A NAME=\"ankkuri\">Ankkuri</A></TD>",
        "</TR></TABLE></BODY></HTML>"};
    ASSERT_EQ(Load(page), S_OK);
    navigations.clear();
    const AnsiString shown = webpage::DocumentText(*host);
    const QPoint news = webpage::CentreOf(*host, "Uutiset");

    webpage::Click(*host, news);
    ExpectNavigations({"##&3-7"});
    webpage::Click(*host, news, Qt::MiddleButton);
    ExpectNavigations({"##&3-7"});
    webpage::Click(*host, news, Qt::LeftButton, 2); // a double click is two clicks
    ExpectNavigations({"##&3-7", "##&3-7"});
    webpage::Click(*host, webpage::CentreOf(*host, "Ankkuri")); // no target: nothing
    ExpectNavigations({});

    // Enter on the focused link: the engine activates it, the host adds nothing of its own.
    webpage::InputWidget(*host)->setFocus();
    webpage::Run(*host, "document.links[0].focus(); document.activeElement === document.links[0]");
    webpage::Key(*host, Qt::Key_Return);
    ExpectNavigations({"##&3-7"});

    // Links that are not cancelled: web addresses go to the desktop's browser, others nowhere.
    webpage::Click(*host, webpage::CentreOf(*host, "Kotisivu"));
    ExpectNavigations({"http://www.example.fi/ohjelma?id=1&x=%41"});
    webpage::Click(*host, webpage::CentreOf(*host, "Skripti"));
    ExpectNavigations({"javascript:alert(1)"});
    EXPECT_EQ(opened, (std::vector<AnsiString>{"http://www.example.fi/ohjelma?id=1&x=%41"}));
    EXPECT_EQ(webpage::DocumentText(*host), shown);

    // The same page again: the new document has the host script once, not twice.
    ASSERT_EQ(Load(page), S_OK);
    webpage::Click(*host, webpage::CentreOf(*host, "Uutiset"));
    ExpectNavigations({"##&3-7"});
}

TEST_F(BrowserHostTest, FailedLoadsReturnOneWithoutStartingTheEngine)
{
    cancelEverything = true;
    EXPECT_EQ(Load({"<HTML><BODY>Ei n\xE4y</BODY></HTML>"}), 1);
    EXPECT_FALSE(host->HasDocument());
    EXPECT_EQ(webpage::DocumentText(*host), "");
    TStringStream stream("<P>x</P>");
    EXPECT_THROW(host->LoadHtmlFromStream(stream), Exception);
    EXPECT_EQ(webpage::ViewOf(*host), nullptr);
}

TEST_F(BrowserHostTest, KeysTheContainerMayTakeAndTheContextMenuTheWindowSuppresses)
{
    std::vector<WPARAM> offered;
    host->OnTranslateAccelerator = [&](const TMsg* message, const void*, DWORD) {
        offered.push_back(message->wParam);
        return S_FALSE;
    };
    ASSERT_EQ(Load({"<P><A HREF=\"##&1-2\">Elokuva</A> ja teksti\xE4</P>"}), S_OK);
    navigations.clear();
    webpage::Key(*host, Qt::Key_Backspace);
    webpage::Key(*host, Qt::Key_Left);
    webpage::Key(*host, Qt::Key_Right);
    webpage::Key(*host, Qt::Key_Return);
    webpage::Key(*host, Qt::Key_Left, Qt::KeypadModifier); // the keypad's arrow is no extended key
    webpage::Key(*host, Qt::Key_Down);
    webpage::Key(*host, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(offered, (std::vector<WPARAM>{VK_LEFT, VK_DOWN, 'C'}));
    ExpectNavigations({}); // Enter with no link focused activates nothing

    // A key the container takes goes no further.
    host->OnTranslateAccelerator = [&](const TMsg*, const void*, DWORD) { return S_OK; };
    std::vector<DWORD> refreshes;
    host->OnRefresh = [&](TObject*, DWORD command, bool&) { refreshes.push_back(command); };
    webpage::Key(*host, Qt::Key_F5);
    EXPECT_TRUE(refreshes.empty());
    // F5 reloads; Ctrl+F5 reloads past the cache.
    host->OnTranslateAccelerator = nullptr;
    webpage::Key(*host, Qt::Key_F5);
    webpage::Key(*host, Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(refreshes, (std::vector<DWORD>{2300, 6042}));
    std::vector<UINT> helped;
    host->OnShowHelp = [&](HWND, const AnsiString&, UINT command, DWORD, TPoint, void*) {
        helped.push_back(command);
        return S_OK;
    };
    webpage::Key(*host, Qt::Key_F1);
    EXPECT_EQ(helped, (std::vector<UINT>{HELP_CONTEXT}));

    // Without a handler the control's own menu shows, with nothing in it that leaves the page.
    const QPoint link = webpage::CentreOf(*host, "Elokuva");
    const QPoint text = webpage::CentreOf(*host, "teksti");
    webpage::Click(*host, text, Qt::RightButton);
    ASSERT_TRUE(webpage::RunUntil([] { return QApplication::activePopupWidget() != nullptr; }));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions().size(), 2);
    menu->close();

    std::vector<DWORD> ids;
    host->OnShowContextMenu = [&](DWORD id, TPoint* point, void*, void*) {
        ids.push_back(id);
        EXPECT_GT(point->X, 0);
        return S_OK;
    };
    webpage::Click(*host, text, Qt::RightButton);
    webpage::Click(*host, link, Qt::RightButton);
    webpage::RunUntil([&] { return ids.size() >= 2; });
    EXPECT_EQ(ids, (std::vector<DWORD>{CONTEXT_MENU_DEFAULT, CONTEXT_MENU_ANCHOR}));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    ExpectNavigations({});

    host->SetUserInterfaceOptions({TUserInterfaceOption::SCROLL_NO});
    EXPECT_FALSE(webpage::Probe(*host, "setting", {"ShowScrollBars"}).toBool());
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

TEST_F(BrowserHostTest, OptionsBecomeTheirFlagWordsAndReachTheControl)
{
    EXPECT_EQ(host->DownloadFlags(), 0x70u);
    EXPECT_EQ(host->UIFlags(), 0u);
    int result = 0;
    EXPECT_EQ(host->Invoke(DISPID_AMBIENT_DLCONTROL, nullptr, 0, DISPATCH_PROPERTYGET, nullptr, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result, 0x70);
    EXPECT_EQ(host->Invoke(-501, nullptr, 0, DISPATCH_PROPERTYGET, nullptr, &result, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);

    // The border answers at once; the scroll bars reach the engine's view when it is made.
    EXPECT_NE(Frame()->frameShape(), QFrame::NoFrame);
    host->SetUserInterfaceOptions({TUserInterfaceOption::NO3DBORDER, TUserInterfaceOption::SCROLL_NO});
    EXPECT_EQ(host->UIFlags(), 0xCu);
    EXPECT_EQ(Frame()->frameShape(), QFrame::NoFrame);
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
