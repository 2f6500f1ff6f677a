// The browser host's events on the real engine, each raised by its real cause, and the download
// flags' effect on what a page may do.
#include "platform/core/Strings.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Modal.h"
#include "platform/messages/Application.h"
#include "shell/BrowserHost.h"
#include "support/WebPageDriver.h"
#include <QDragEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <csignal>
#include <memory>
#include <vector>

namespace {

using Options = TDownloadControlOptions;
using DL = TDownloadControlOption;
const Options kDefaultOptions{DL::DLCTL_DLIMAGES, DL::DLCTL_VIDEOS, DL::DLCTL_BGSOUNDS};

class BrowserHostEventsTest : public ::testing::Test {
protected:
    BrowserHostEventsTest() : saved(Application)
    {
        Application = &app;
        app.SetTitle("QEX 2000");
        host = std::make_unique<TBrowserHost>(nullptr);
        host->Widget()->resize(500, 300);
        host->Widget()->show();
        SetModalHandler([this](ModalBox& box) {
            boxes.push_back(box.Caption() + "|" + box.Text());
            if (answer)
                answer(box);
        });
    }
    ~BrowserHostEventsTest() override
    {
        SetModalHandler(nullptr);
        host.reset();
        Application = saved;
    }

    void Load(std::initializer_list<AnsiString> lines)
    {
        TStringList list;
        for (const auto& line : lines)
            list.Add(line);
        ASSERT_EQ(host->LoadHtmlFromStrings(list), S_OK);
        ASSERT_TRUE(webpage::WaitForPage(*host));
    }

    QString Title() { return webpage::Probe(*host, "title").toString(); }
    // The program's own notice in place of a page that can't be shown.
    bool NoticeShown()
    {
        for (const QLabel* label : host->Widget()->findChildren<QLabel*>())
            if (label->isVisible() && label->text() == QString::fromUtf8("Sivua ei voitu näyttää."))
                return true;
        return false;
    }
    // Out of sight and back, as a window back from the tray.
    void ShowAgain()
    {
        host->Widget()->hide();
        host->Widget()->show();
    }
    bool Setting(const char* name) { return webpage::Probe(*host, "setting", {name}).toBool(); }
    bool TitleBecomes(const QString& title, int timeoutMs = 30000)
    {
        return webpage::RunUntil([&] { return Title() == title; }, timeoutMs);
    }
    // Lets whatever the page would still do happen.
    static void Wait(int ms)
    {
        QDeadlineTimer until(ms);
        webpage::RunUntil([&] { return until.hasExpired(); });
    }

    TApplication* saved;
    TApplication app{nullptr};
    std::unique_ptr<TBrowserHost> host;
    std::vector<AnsiString> boxes;
    std::function<void(ModalBox&)> answer;
};

const AnsiString kBoxesPage = "<SCRIPT>alert('Hei'); document.title = confirm('Jatketaanko?') + ',' + "
                              "prompt('Nimi?', 'Matti');</SCRIPT>";

} // namespace

TEST_F(BrowserHostEventsTest, APageScriptsBoxesReachTheContainerOrTheControlsOwnBoxesAndTheAnswersReachThePage)
{
    std::vector<std::pair<AnsiString, DWORD>> messages;
    host->OnShowMessage = [&](HWND, const AnsiString& text, const AnsiString& caption, DWORD type, const AnsiString&,
                              DWORD, LRESULT& result) {
        EXPECT_EQ(caption, "QEX 2000");
        messages.emplace_back(text, type);
        result = text == "Jatketaanko?" ? IDOK : IDCANCEL;
        return S_OK;
    };
    Load({kBoxesPage});
    ASSERT_TRUE(TitleBecomes("true,null")) << Title().toStdString();
    EXPECT_EQ(messages, (std::vector<std::pair<AnsiString, DWORD>>{
                            {"Hei", MB_OK | MB_ICONWARNING}, {"Jatketaanko?", MB_OKCANCEL | MB_ICONQUESTION},
                            {"Nimi?", MB_OKCANCEL | MB_ICONQUESTION}}));
    EXPECT_TRUE(boxes.empty());

    // The container answers nothing: the control's own boxes ask, and the container hears of
    // each as it comes up, with the program's caption when ReplaceCaption is set.
    host->OnShowMessage = nullptr;
    host->SetReplaceCaption(true);
    std::vector<HWND> dialogs;
    host->OnShowDialog = [&](TObject* sender, HWND dialog) {
        EXPECT_EQ(sender, host.get());
        dialogs.push_back(dialog);
    };
    answer = [](ModalBox& box) {
        if (box.Kind() == TModalKind::InputQuery) {
            box.SetEditText(0, "Liisa");
            box.Close(mrOk);
        } else {
            box.Close(box.Text() == "Jatketaanko?" ? mrCancel : mrOk);
        }
    };
    Load({kBoxesPage});
    ASSERT_TRUE(TitleBecomes("false,Liisa")) << Title().toStdString();
    EXPECT_EQ(boxes, (std::vector<AnsiString>{"QEX 2000|Hei", "QEX 2000|Jatketaanko?", "QEX 2000|Nimi?"}));
    EXPECT_EQ(dialogs.size(), 3u);
}

TEST_F(BrowserHostEventsTest, AScriptErrorReachesOnScriptErrorWhichDecidesOnTheDialogAndTheScripts)
{
    const std::initializer_list<AnsiString> page = {
        "<HTML><BODY>", "<SCRIPT>setTimeout(function () { document.title = 'jatkui'; }, 300);</SCRIPT>",
        "<SCRIPT>", "  eiOleOlemassa();", "</SCRIPT>", "<SCRIPT>document.title = 'seuraava';</SCRIPT></BODY></HTML>"};
    std::vector<std::vector<AnsiString>> errors;
    bool goOn = false;
    host->OnScriptError = [&](TObject* sender, const AnsiString& line, const AnsiString& character,
                              const AnsiString& code, const AnsiString& message, const AnsiString& url,
                              bool& continueScript, bool& showDialog) {
        EXPECT_EQ(sender, host.get());
        EXPECT_TRUE(continueScript && showDialog);
        errors.push_back({line, character, code, message, url});
        continueScript = goOn;
        showDialog = false;
    };
    Load(page);
    ASSERT_TRUE(webpage::RunUntil([&] { return !errors.empty(); }));
    EXPECT_EQ(errors[0][0], "4");
    EXPECT_EQ(errors[0][1], "3"); // the column, counted from 1
    EXPECT_EQ(errors[0][2], "0");
    EXPECT_NE(errors[0][3].find("eiOleOlemassa"), AnsiString::npos) << errors[0][3];
    EXPECT_EQ(errors[0][4].rfind("qexpage:", 0), 0u) << errors[0][4];
    // The page's scripts were stopped, the next block included.
    EXPECT_FALSE(TitleBecomes("jatkui", 1000)) << Title().toStdString();
    EXPECT_NE(Title(), "seuraava");
    EXPECT_EQ(errors.size(), 1u);

    goOn = true;
    Load(page);
    EXPECT_TRUE(TitleBecomes("jatkui")); // the scripts go on
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_TRUE(boxes.empty());

    // Without a handler the control's own box asks; "no" stops the scripts.
    host->OnScriptError = nullptr;
    answer = [](ModalBox& box) { box.Close(mrNo); };
    Load(page);
    ASSERT_TRUE(webpage::RunUntil([&] { return !boxes.empty(); }));
    EXPECT_NE(boxes[0].find("eiOleOlemassa"), AnsiString::npos) << boxes[0];
    EXPECT_FALSE(TitleBecomes("jatkui", 1000));
}

TEST_F(BrowserHostEventsTest, WithNoScriptsTheFlagKeepsEveryScriptEventAway)
{
    int events = 0;
    host->OnShowMessage = [&](HWND, const AnsiString&, const AnsiString&, DWORD, const AnsiString&, DWORD, LRESULT&) {
        ++events;
        return S_OK;
    };
    host->OnScriptError = [&](TObject*, const AnsiString&, const AnsiString&, const AnsiString&, const AnsiString&,
                              const AnsiString&, bool&, bool&) { ++events; };
    host->OnCloseQuery = [&](TObject*, bool&) { ++events; };
    host->SetDownloadOptions(kDefaultOptions + Options{DL::DLCTL_NO_SCRIPTS});
    Load({"<TITLE>Alku</TITLE><SCRIPT>document.title = 'ajettu'; alert('Hei'); eiOle(); window.close();</SCRIPT>"});
    Wait(500);
    EXPECT_EQ(Title(), "Alku");
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(host->HasDocument());

    host->SetDownloadOptions(kDefaultOptions);
    Load({"<TITLE>Alku</TITLE><SCRIPT>document.title = 'ajettu'; alert('Hei');</SCRIPT>"});
    EXPECT_TRUE(TitleBecomes("ajettu"));
    EXPECT_EQ(events, 1);
}

TEST_F(BrowserHostEventsTest, APageAskingToCloseItsWindowClosesTheDocumentWhenOnCloseQueryLetsIt)
{
    bool canClose = false;
    int asked = 0;
    host->OnCloseQuery = [&](TObject* sender, bool& CanClose) {
        EXPECT_EQ(sender, host.get());
        EXPECT_TRUE(CanClose);
        ++asked;
        CanClose = canClose;
    };
    int unloads = 0;
    host->OnUnload = [&](TObject*) { ++unloads; };
    Load({"<BUTTON ONCLICK=\"window.close()\">Sulje</BUTTON>"});
    // Refused, the page stays, and every later request is asked again.
    for (int times = 1; times <= 2; ++times) {
        webpage::Click(*host, webpage::CentreOf(*host, "Sulje"));
        ASSERT_TRUE(webpage::RunUntil([&] { return asked == times; })) << "request " << times;
    }
    EXPECT_TRUE(host->HasDocument());
    EXPECT_NE(webpage::DocumentText(*host).find("Sulje"), AnsiString::npos);
    EXPECT_EQ(unloads, 0);
    // So is a request of the next page in the same view.
    Load({"<BUTTON ONCLICK=\"window.close()\">Sulje</BUTTON>"});
    webpage::Click(*host, webpage::CentreOf(*host, "Sulje"));
    ASSERT_TRUE(webpage::RunUntil([&] { return asked == 3; }));
    EXPECT_EQ(unloads, 1); // for the page replaced

    canClose = true;
    webpage::Click(*host, webpage::CentreOf(*host, "Sulje"));
    ASSERT_TRUE(webpage::RunUntil([&] { return !host->HasDocument(); }));
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(unloads, 2);
    EXPECT_EQ(webpage::ViewOf(*host), nullptr);
    // The next page opens a document again, also one given out of sight: it shows once in sight.
    host->Widget()->hide();
    TStringList hidden;
    hidden.Add("<P>Piilossa</P>");
    ASSERT_EQ(host->LoadHtmlFromStrings(hidden), S_OK);
    EXPECT_EQ(webpage::ViewOf(*host), nullptr);
    host->Widget()->show();
    ASSERT_TRUE(webpage::RunUntil([&] { return webpage::ViewOf(*host) != nullptr; })) << "the page is lost";
    ASSERT_TRUE(webpage::WaitForPage(*host));
    EXPECT_NE(webpage::DocumentText(*host).find("Piilossa"), AnsiString::npos);
    Load({"<P>Uusi</P>"});
    EXPECT_NE(webpage::DocumentText(*host).find("Uusi"), AnsiString::npos);
}

TEST_F(BrowserHostEventsTest, OnUnloadComesBeforeEachShownDocumentIsReplaced)
{
    std::vector<AnsiString> unloaded;
    host->OnUnload = [&](TObject* sender) {
        EXPECT_EQ(sender, host.get());
        unloaded.push_back(webpage::DocumentText(*host));
    };
    Load({"<P>Ensimm\xE4inen</P>"});
    EXPECT_TRUE(unloaded.empty());
    Load({"<P>Toinen</P>"});
    ASSERT_EQ(unloaded.size(), 1u);
    EXPECT_NE(unloaded[0].find("Ensimm\xE4inen"), AnsiString::npos) << unloaded[0];
}

TEST_F(BrowserHostEventsTest, DragsOntoThePageGoToTheContainersTargetOrCarryItsData)
{
    Load({"<TEXTAREA ID=\"t\" COLS=\"30\" ROWS=\"4\"></TEXTAREA>"});
    const QVariantList box = webpage::Run(*host, "var r = document.getElementById('t').getBoundingClientRect();"
                                                 "[r.x + r.width / 2, r.y + r.height / 2];")
                                 .toList();
    ASSERT_EQ(box.size(), 2);
    // Dragged onto the page's window, which is the helper's: the program hears of it there.
    auto drag = [&](const char* text) { webpage::Probe(*host, "drag", {box[0].toInt(), box[1].toInt(), text}); };

    // The container gives its own target: the drag goes there, not to the page.
    struct Target : QObject {
        std::vector<QEvent::Type> seen;
        bool event(QEvent* e) override
        {
            seen.push_back(e->type());
            e->accept();
            return true;
        }
    } target;
    std::vector<void*> ownTargets;
    host->OnGetDropTarget = [&](void* own, void*& replacement) {
        ownTargets.push_back(own);
        replacement = &target;
        return S_OK;
    };
    drag("vedetty");
    webpage::RunUntil([&] { return target.seen.size() >= 3; });
    ASSERT_EQ(ownTargets.size(), 1u);
    EXPECT_EQ(ownTargets[0], static_cast<void*>(webpage::ViewOf(*host)->Widget()));
    EXPECT_EQ(target.seen, (std::vector<QEvent::Type>{QEvent::DragEnter, QEvent::DragMove, QEvent::Drop}));
    Wait(300);
    EXPECT_EQ(webpage::Run(*host, "document.getElementById('t').value").toString(), "");

    // The engine takes the drag, with the data the container put in place of what was dragged.
    host->OnGetDropTarget = nullptr;

    std::vector<QString> filtered;
    QMimeData replaced;
    replaced.setText("korvattu");
    host->OnFilterDataObject = [&](void* data, void*& replacement) {
        filtered.push_back(static_cast<QMimeData*>(data)->text());
        replacement = &replaced;
        return S_OK;
    };
    drag("vedetty");
    EXPECT_EQ(filtered, (std::vector<QString>{"vedetty"}));
    QString value;
    webpage::RunUntil([&] { return (value = webpage::Run(*host, "document.getElementById('t').value").toString()) != ""; });
    EXPECT_EQ(value, "korvattu");
}

TEST_F(BrowserHostEventsTest, ModalBoxesActivationAndResizingOfTheFrameReachTheirEvents)
{
    Load({"<P>Sivu</P>"});
    std::vector<bool> modeless, activations;
    host->OnEnableModeless = [&](bool enable) {
        modeless.push_back(enable);
        return S_OK;
    };
    host->OnOnFrameWindowActivate = [&](bool activate) {
        activations.push_back(activate);
        return S_OK;
    };
    answer = [&](ModalBox& box) {
        EXPECT_EQ(modeless, (std::vector<bool>{false}));
        box.Close(mrOk);
    };
    MessageDlg("Ohjelman oma laatikko", mtInformation, {mbOK});
    EXPECT_EQ(modeless, (std::vector<bool>{false, true}));

    QWidget other;
    other.show();
    other.activateWindow();
    webpage::RunUntil([&] { return QApplication::activeWindow() == &other; });
    host->Widget()->activateWindow();
    webpage::RunUntil([&] { return QApplication::activeWindow() == host->Widget(); });
    ASSERT_GE(activations.size(), 2u);
    EXPECT_EQ(activations[activations.size() - 2], false);
    EXPECT_EQ(activations.back(), true);

    std::vector<TRect> borders;
    host->OnResizeBorder = [&](const TRect* border, void*, bool frameWindow) {
        EXPECT_TRUE(frameWindow);
        borders.push_back(*border);
        return S_OK;
    };
    host->Widget()->resize(640, 480);
    webpage::RunUntil([&] { return !borders.empty(); });
    ASSERT_FALSE(borders.empty());
    EXPECT_EQ(borders.back(), Rect(0, 0, 640, 480));
}

TEST_F(BrowserHostEventsTest, DownloadFlagsDecideImagesMediaSoundAndTheControlsOwnBoxes)
{
    Load({"<P>Sivu</P>"});
    EXPECT_TRUE(Setting("AutoLoadImages"));
    EXPECT_FALSE(Setting("PlaybackRequiresUserGesture"));
    EXPECT_FALSE(webpage::Probe(*host, "muted").toBool());
    host->SetDownloadOptions({});
    EXPECT_FALSE(Setting("AutoLoadImages"));
    EXPECT_TRUE(Setting("PlaybackRequiresUserGesture"));
    EXPECT_TRUE(webpage::Probe(*host, "muted").toBool());

    // A page's refresh of itself never runs: it would reload what is shown, at best.
    const int loadsBefore = webpage::Probe(*host, "loads").toInt();
    Load({"<META HTTP-EQUIV=\"refresh\" CONTENT=\"0\"><P>P\xE4ivittyy</P>"});
    Wait(1000);
    EXPECT_EQ(webpage::Probe(*host, "loads").toInt() - loadsBefore, 1);
    EXPECT_NE(webpage::DocumentText(*host).find("P\xE4ivittyy"), AnsiString::npos);

    // Silent: the control's own boxes never come up; a confirm counts as cancelled.
    host->SetDownloadOptions(kDefaultOptions + Options{DL::DLCTL_SILENT});
    Load({"<SCRIPT>alert('Hei'); document.title = 'c' + confirm('Jatketaanko?');</SCRIPT>"});
    EXPECT_TRUE(TitleBecomes("cfalse"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(BrowserHostEventsTest, NamedFacesAreDrawnWithTheFormsFamilies)
{
    // Widths of one text in a face, bold, so the family that draws it shows.
    auto width = [&](const char* face) {
        return webpage::Run(*host, QStringLiteral("var s = document.createElement('b'); s.textContent = "
                                                  "'Maanantai 12.05 Uutiset ja s\\u00e4\\u00e4';"
                                                  "if (%1) s.style.fontFamily = %1; document.body.appendChild(s);"
                                                  "var w = s.getBoundingClientRect().width; s.remove(); w;")
                                       .arg(face ? QStringLiteral("'\"%1\"'").arg(face) : QStringLiteral("''")))
            .toDouble();
    };
    Load({"<HTML><BODY><FONT FACE=\"Verdana\">x</FONT></BODY></HTML>"});
    Wait(200);
    const double verdana = width("Verdana");
    EXPECT_DOUBLE_EQ(verdana, width("DejaVu Sans"));
    EXPECT_NE(verdana, width("DejaVu Serif"));
    EXPECT_DOUBLE_EQ(width("Tahoma"), width("Liberation Sans"));
    EXPECT_DOUBLE_EQ(width(nullptr), width("Liberation Sans")); // the standard family: the forms' default
    EXPECT_NE(width("Liberation Sans"), width("Liberation Serif"));
}

TEST_F(BrowserHostEventsTest, OutOfSightForItsIdleTimeTheControlFreesTheEngineAndShowsTheNextPageAgain)
{
    host->SetEngineIdleTime(400);
    int unloads = 0;
    host->OnUnload = [&](TObject*) { ++unloads; };
    Load({"<P>Taulukko</P>"});
    const qint64 renderer = webpage::Probe(*host, "renderer").toLongLong();
    ASSERT_GT(renderer, 0);
    const pid_t helper = webpage::ViewOf(*host)->HelperPid();
    Wait(1000); // in sight: kept
    EXPECT_TRUE(host->HasDocument());

    // Covered by a sibling, as the main window's other views cover it.
    QWidget parent;
    parent.resize(500, 300);
    host->Widget()->setParent(&parent);
    host->Widget()->setGeometry(0, 0, 500, 300);
    QWidget cover(&parent);
    cover.setGeometry(0, 0, 500, 300);
    parent.show();
    ASSERT_TRUE(webpage::RunUntil([&] { return !host->HasDocument(); }));
    EXPECT_EQ(webpage::ViewOf(*host), nullptr);
    EXPECT_EQ(unloads, 1);
    EXPECT_TRUE(webpage::RunUntil([&] { return ::kill(static_cast<pid_t>(renderer), 0) != 0; }, 10000))
        << "the page process " << renderer << " still runs";
    EXPECT_TRUE(webpage::RunUntil([&] { return ::kill(helper, 0) != 0; }, 10000))
        << "the engine's process " << helper << " still runs";

    // In sight again (the window back from the tray, the view raised): the page comes back.
    cover.lower();
    ASSERT_TRUE(webpage::RunUntil([&] { return host->HasDocument(); }));
    ASSERT_TRUE(webpage::WaitForPage(*host));
    EXPECT_NE(webpage::ViewOf(*host)->HelperPid(), helper);
    EXPECT_NE(webpage::DocumentText(*host).find("Taulukko"), AnsiString::npos);
    Load({"<P>Taas</P>"});
    EXPECT_NE(webpage::DocumentText(*host).find("Taas"), AnsiString::npos);
    Wait(1000);
    EXPECT_TRUE(host->HasDocument());

    // A page loaded while the freed one waits takes its place, starting no engine out of sight.
    cover.raise();
    ASSERT_TRUE(webpage::RunUntil([&] { return !host->HasDocument(); }));
    TStringList next;
    next.Add("<P>Uusi</P>");
    EXPECT_EQ(host->LoadHtmlFromStrings(next), S_OK);
    EXPECT_EQ(webpage::ViewOf(*host), nullptr);
    cover.lower();
    ASSERT_TRUE(webpage::RunUntil([&] { return webpage::ViewOf(*host) != nullptr; }));
    EXPECT_NE(webpage::DocumentText(*host).find("Uusi"), AnsiString::npos);
    host->Widget()->setParent(nullptr);
}

TEST_F(BrowserHostEventsTest, TheEngineRunsApartAndItsDeathMidPageLeavesTheControlUsable)
{
    Load({"<P>Taulukko</P>"});
    QFile maps("/proc/self/maps");
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    EXPECT_FALSE(maps.readAll().contains("libQt6WebEngine")) << "the engine's libraries are in the program";

    const pid_t helper = webpage::ViewOf(*host)->HelperPid();
    ASSERT_GT(helper, 0);
    ASSERT_EQ(::kill(helper, SIGKILL), 0);
    ASSERT_TRUE(webpage::RunUntil([&] { return !host->HasDocument(); }));
    EXPECT_EQ(webpage::DocumentText(*host), "");

    // The next page starts a new helper.
    Load({"<P>Seuraava</P>"});
    ASSERT_NE(webpage::ViewOf(*host), nullptr);
    EXPECT_NE(webpage::ViewOf(*host)->HelperPid(), helper);
    EXPECT_NE(webpage::DocumentText(*host).find("Seuraava"), AnsiString::npos);
}

TEST_F(BrowserHostEventsTest, WhileAModalBoxOfTheProgramRunsThePageTakesNoClick)
{
    std::vector<AnsiString> navigations;
    host->OnBeforeNavigate2 = [&](TObject*, void*, const AnsiString& url, int, const AnsiString&, const AnsiString&,
                                  const AnsiString&, bool& cancel) {
        if (url == "about:blank")
            return;
        navigations.push_back(url);
        cancel = true;
    };
    Load({"<P><A HREF=\"##&1-2\">Elokuva</A></P>"});
    const QPoint link = webpage::CentreOf(*host, "Elokuva");
    answer = [&](ModalBox& box) {
        webpage::Click(*host, link);
        webpage::Click(*host, link, Qt::LeftButton, 2);
        webpage::Settle(*host);
        box.Close(mrOk);
    };
    MessageDlg("Ohjelman oma laatikko", mtInformation, {mbOK});
    webpage::Settle(*host);
    EXPECT_TRUE(navigations.empty()) << navigations[0];

    // The box gone, the same click is the link's.
    answer = nullptr;
    webpage::Click(*host, link);
    ASSERT_TRUE(webpage::RunUntil([&] { return !navigations.empty(); }));
    EXPECT_EQ(navigations, (std::vector<AnsiString>{"##&1-2"}));
}

TEST_F(BrowserHostEventsTest, AHelperThatStopsOrIsKilledLeavesTheNoticeAndTheNextShowOrPageStartsANewOne)
{
    Load({"<P>Taulukko</P>"});
    const pid_t stopped = webpage::ViewOf(*host)->HelperPid();
    ASSERT_EQ(::kill(stopped, SIGSTOP), 0);
    ASSERT_TRUE(webpage::RunUntil([&] { return !host->HasDocument(); }, 30000)) << "the stopped helper is kept";
    EXPECT_TRUE(NoticeShown());
    EXPECT_TRUE(webpage::RunUntil([&] { return ::kill(stopped, 0) != 0; }, 10000)) << "the stopped helper still runs";
    EXPECT_EQ(webpage::ViewOf(*host), nullptr);

    // Shown again, the page comes back in a new helper.
    ShowAgain();
    ASSERT_TRUE(webpage::RunUntil([&] { return host->HasDocument(); }));
    ASSERT_TRUE(webpage::WaitForPage(*host));
    EXPECT_FALSE(NoticeShown());
    EXPECT_NE(webpage::DocumentText(*host).find("Taulukko"), AnsiString::npos);

    // Killed just before the next page comes: that page shows, in a new helper or after the
    // notice at the next show; never the page before.
    const pid_t killed = webpage::ViewOf(*host)->HelperPid();
    ASSERT_NE(killed, stopped);
    ASSERT_EQ(::kill(killed, SIGKILL), 0);
    TStringList next;
    next.Add("<P>Seuraava</P>");
    host->LoadHtmlFromStrings(next);
    const auto newPageLoaded = [&] {
        return host->HasDocument() && host->ReadyState() == READYSTATE_COMPLETE &&
               webpage::ViewOf(*host)->HelperPid() != killed;
    };
    ASSERT_TRUE(webpage::RunUntil([&] { return NoticeShown() || newPageLoaded(); }, 30000));
    if (NoticeShown())
        ShowAgain();
    ASSERT_TRUE(webpage::RunUntil(newPageLoaded, 30000));
    const AnsiString text = webpage::DocumentText(*host);
    EXPECT_NE(text.find("Seuraava"), AnsiString::npos) << text;
    EXPECT_FALSE(NoticeShown());
}
