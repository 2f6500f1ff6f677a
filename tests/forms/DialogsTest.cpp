#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QTimer>
#include "FormsFixture.h"
#include "Input.h"
#include "ShownTexts.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/forms/Button.h"
#include "platform/forms/ScrollBox.h"
#include <QGuiApplication>
#include <QScreen>

using Captions = std::vector<AnsiString>;

TEST_F(FormsTest, MessageBoxesCarryFinnishTitlesAndButtons)
{
    struct Case {
        TMsgDlgType type;
        AnsiString title;
    };
    App.SetTitle("QEX 2000");
    for (const Case& c : {Case{mtWarning, "Varoitus"}, Case{mtError, "Virhe"}, Case{mtInformation, "Info"},
                          Case{mtConfirmation, "Hyväksy"_a}, Case{mtCustom, "QEX 2000"}}) {
        Answers.push_back([&](ModalBox& box) {
            EXPECT_EQ(box.Kind(), TModalKind::MessageBox);
            EXPECT_EQ(box.Caption(), c.title);
            EXPECT_EQ(box.Text(), "Tiedot\r\nhaettu."_a);
            EXPECT_TRUE(box.Press("OK"));
        });
        EXPECT_EQ(MessageDlg("Tiedot\r\nhaettu.", c.type, {mbOK}), mrOk);
    }

    Answers.push_back([](ModalBox& box) {
        EXPECT_EQ(box.Buttons(), (Captions{"&Kyllä"_a, "&Ei", "OK", "Peruuta", "&Keskeytä"_a, "&Uudelleen", "&Ohita",
                                           " &Lisää hälytyksiin "_a, "E&i kaikkiin", "K&yllä kaikkiin"_a, "&Ohje"}));
        box.Press("Lisää hälytyksiin"_a);
    });
    TMsgDlgButtons all{mbHelp, mbYesToAll, mbNoToAll, mbAll, mbIgnore, mbRetry, mbAbort, mbCancel, mbOK, mbNo, mbYes};
    EXPECT_EQ(MessageDlg("?", mtInformation, all), mrAll);

    const std::pair<const char*, TModalResult> answers[] = {{"&Kyllä", mrYes}, {"&Ei", mrNo}, {"Peruuta", mrCancel},
                                                              {"&Keskeytä", mrAbort}, {"&Uudelleen", mrRetry}, {"&Ohita", mrIgnore},
                                                              {"E&i kaikkiin", mrNoToAll}, {"K&yllä kaikkiin", mrYesToAll}};
    for (const auto& [caption, result] : answers) {
        AnsiString bytes = cp1252::FromUtf8(caption);
        Answers.push_back([bytes](ModalBox& box) { EXPECT_TRUE(box.Press(bytes)) << bytes; });
        EXPECT_EQ(MessageDlg("?", mtConfirmation, all), result) << caption;
    }
}

// A message often carries text from outside (a programme's title, a file name): an '&' in it is
// shown as itself, never taken for an accelerator that hides it and underlines the next letter.
TEST_F(FormsTest, TheMessageShowsItsAmpersands)
{
    Answers.push_back([](ModalBox& box) {
        std::vector<const TLabel*> labels;
        for (int i = 0; i < box.Form()->ComponentCount(); ++i)
            if (auto* label = dynamic_cast<const TLabel*>(box.Form()->Components(i)))
                labels.push_back(label);
        ASSERT_EQ(labels.size(), 1u);
        EXPECT_EQ(labels[0]->Caption(), "(14:00 Tom & Jerry)");
        EXPECT_FALSE(labels[0]->ShowAccelChar());
        EXPECT_TRUE(box.Press("OK"));
    });
    MessageDlg("(14:00 Tom & Jerry)", mtInformation, {mbOK});
}

// A message taller than the screen scrolls inside a box that fits the screen's free area, so its
// buttons can be pressed and the text can be read to its last line.
TEST_F(FormsTest, AMessageTallerThanTheScreenScrollsInABoxThatFits)
{
    AnsiString text = "Alku\r\n";
    for (int i = 1; i <= 200; ++i)
        text += "Rivi " + IntToStr(i) + "\r\n";
    text += "Loppu";
    Answers.push_back([](ModalBox& box) {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(screen.contains(box.Form()->Widget()->frameGeometry())) << box.Form()->Height();
        const TLabel* message = nullptr;
        TScrollBox* scroller = nullptr;
        for (int i = 0; i < box.Form()->ComponentCount(); ++i) {
            TComponent* component = box.Form()->Components(i);
            if (auto* button = dynamic_cast<TButton*>(component)) {
                const QWidget* shown = button->Widget();
                EXPECT_TRUE(screen.contains(QRect(shown->mapToGlobal(QPoint(0, 0)), shown->size())));
            }
            if (auto* label = dynamic_cast<TLabel*>(component))
                message = label;
            if (auto* area = dynamic_cast<TScrollBox*>(component))
                scroller = area;
        }
        ASSERT_NE(message, nullptr);
        ASSERT_NE(scroller, nullptr);
        EXPECT_EQ(ShownText(*message).substr(0, 12), "Alku\nRivi 1\n");
        scroller->SetVertPosition(message->Height());
        const QPoint lastLine = message->Widget()->mapTo(scroller->Widget(), QPoint(0, message->Height() - 1));
        EXPECT_LT(lastLine.y(), scroller->Height());
        EXPECT_TRUE(box.Press("OK"));
    });
    EXPECT_EQ(MessageDlg(text, mtInformation, {mbOK}), mrOk);
}

TEST_F(FormsTest, EnterEscapeAndTheCloseBoxFollowTheDefaultAndCancelRules)
{
    auto key = [](int qtKey) {
        return [qtKey](ModalBox& box) { PressKey(box.Form()->Widget(), qtKey); };
    };
    Answers.push_back(key(Qt::Key_Escape));
    EXPECT_EQ(MessageDlg("?", mtConfirmation, {mbYes, mbNo}), mrNo);
    Answers.push_back(key(Qt::Key_Return));
    EXPECT_EQ(MessageDlg("?", mtConfirmation, {mbYes, mbNo}), mrYes);
    Answers.push_back(key(Qt::Key_Escape));
    EXPECT_EQ(MessageDlg("?", mtInformation, {mbOK}), mrOk);
    Answers.push_back(key(Qt::Key_Escape));
    EXPECT_EQ(MessageDlg("?", mtConfirmation, {mbOK, mbCancel}), mrCancel);
    Answers.push_back(key(Qt::Key_Return));
    EXPECT_EQ(MessageDlg("?", mtError, {mbAbort, mbRetry, mbIgnore}), mrRetry);
    Answers.push_back([](ModalBox& box) { box.Form()->Widget()->close(); });
    EXPECT_EQ(MessageDlg("?", mtConfirmation, {mbYes, mbNo}), mrNo);
}

TEST_F(FormsTest, InputQueryKeepsAtMost255Characters)
{
    AnsiString value = "Star Wars";
    Answers.push_back([](ModalBox& box) {
        EXPECT_EQ(box.Kind(), TModalKind::InputQuery);
        EXPECT_EQ(box.Caption(), "The Internet Movie Database haku");
        EXPECT_EQ(box.Text(), "Etsi tekstillä:"_a);
        EXPECT_EQ(box.EditText(0), "Star Wars");
        box.SetEditText(0, AnsiString(300, 'x'));
        box.Press("OK");
    });
    EXPECT_TRUE(InputQuery("The Internet Movie Database haku", "Etsi tekstillä:"_a, value));
    EXPECT_EQ(value, AnsiString(255, 'x'));

    Answers.push_back([](ModalBox& box) {
        box.SetEditText(0, "ei käytetä"_a);
        box.Press("Peruuta");
    });
    EXPECT_FALSE(InputQuery("Etsi", "Etsi tekstillä:"_a, value));
    EXPECT_EQ(value, AnsiString(255, 'x'));

    Answers.push_back([](ModalBox& box) { box.Press("Peruuta"); });
    EXPECT_EQ(InputBox("Etsi", "?", "oletus"), "oletus");
}

TEST_F(FormsTest, ShowMessageAndTheExceptionBoxUseTheApplicationTitle)
{
    App.SetTitle("QEX 2000");
    Answers.push_back([](ModalBox& box) {
        EXPECT_EQ(box.Kind(), TModalKind::ShowMessage);
        EXPECT_EQ(box.Caption(), "QEX 2000");
        EXPECT_EQ(box.Buttons(), Captions{"OK"});
        box.Press("OK");
    });
    ShowMessage("1234 x 100001");

    InstallDefaultExceptionBox();
    Answers.push_back([](ModalBox& box) {
        EXPECT_EQ(box.Kind(), TModalKind::ExceptionBox);
        EXPECT_EQ(box.Caption(), "QEX 2000");
        EXPECT_EQ(box.Text(), "Tiedostoa ei voi avata.");
        box.Press("OK");
    });
    Dispatch([] { throw EFOpenError("Tiedostoa ei voi avata"); });
}

TEST_F(FormsTest, ModalLoopKeepsTimersAndNewWindowsAliveAndDisablesTheRest)
{
    TForm main(nullptr);
    main.Show();
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    TForm* notice = nullptr;
    Answers.push_back([&](ModalBox& box) {
        EXPECT_TRUE(timerRan);
        EXPECT_FALSE(main.Widget()->isEnabled());
        notice = new TForm(nullptr);
        notice->Show();
        Flush();
        EXPECT_TRUE(notice->Widget()->isEnabled());
        box.Press("OK");
    });
    MessageDlg("?", mtInformation, {mbOK});
    EXPECT_TRUE(main.Widget()->isEnabled());
    delete notice;
}

TEST_F(FormsTest, UnansweredBoxIsReportedAndNeverHangs)
{
    std::vector<AnsiString> reports;
    SetUnansweredModalReporter([&](const AnsiString& description) { reports.push_back(description); });
    Answers.push_back([](ModalBox&) {});
    EXPECT_EQ(MessageDlg("Haluatko varmasti?", mtConfirmation, {mbYes, mbNo}), mrNo);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("Haluatko varmasti?"), AnsiString::npos);

    // Ending the application answers every open box with Cancel.
    Answers.push_back([this](ModalBox&) { App.Terminate(); });
    EXPECT_EQ(MessageDlg("?", mtConfirmation, {mbOK, mbCancel}), mrCancel);
    EXPECT_EQ(reports.size(), 1u);
}

// Each kind of message shows the platform's picture of its kind; a plain one shows none.
TEST_F(FormsTest, EachKindOfMessageShowsThePictureOfItsKind)
{
    const auto pictureOf = [](QStyle::StandardPixmap kind) {
        return QApplication::style()->standardPixmap(kind).toImage();
    };
    const std::pair<TMsgDlgType, QStyle::StandardPixmap> kinds[] = {
        {mtWarning, QStyle::SP_MessageBoxWarning},
        {mtError, QStyle::SP_MessageBoxCritical},
        {mtInformation, QStyle::SP_MessageBoxInformation},
        {mtConfirmation, QStyle::SP_MessageBoxQuestion},
    };
    // The four pictures differ, so a box showing the wrong one is seen.
    for (std::size_t i = 0; i < std::size(kinds); ++i)
        for (std::size_t j = i + 1; j < std::size(kinds); ++j)
            ASSERT_NE(pictureOf(kinds[i].second), pictureOf(kinds[j].second)) << i << " " << j;

    const auto shownPictures = [](ModalBox& box) {
        std::vector<QImage> pictures;
        for (QLabel* label : box.Form()->Widget()->findChildren<QLabel*>())
            if (!label->pixmap().isNull())
                pictures.push_back(label->pixmap().toImage());
        return pictures;
    };
    for (const auto& [type, kind] : kinds) {
        Answers.push_back([&, type = type, kind = kind](ModalBox& box) {
            const std::vector<QImage> pictures = shownPictures(box);
            ASSERT_EQ(pictures.size(), 1u) << "type " << type;
            EXPECT_EQ(pictures[0], pictureOf(kind)) << "type " << type;
            box.Close(mrOk);
        });
        MessageDlg("?", type, {mbOK});
    }
    Answers.push_back([&](ModalBox& box) {
        EXPECT_TRUE(shownPictures(box).empty());
        box.Close(mrOk);
    });
    MessageDlg("?", mtCustom, {mbOK});
}
