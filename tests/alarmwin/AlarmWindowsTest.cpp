#include "alarms/Alarm.h"
#include "alarms/Alarm2.h"
#include "alarms/AlarmSounds.h"
#include "core/TempFolder.h"
#include "forms/FormsFixture.h"
#include "forms/Input.h"
#include "forms/ShownTexts.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/Screen.h"
#include "platform/messages/Timer.h"
#include "platform/services/MediaPlayer.h"
#include <QGuiApplication>
#include <QMediaDevices>
#include <QAudioDevice>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QWidget>

using namespace std::string_literals;

namespace {

// Seconds of silence, 8 kHz mono 8-bit PCM.
std::string SilentWave(std::uint32_t seconds)
{
    std::uint32_t samples = 8000 * seconds;
    std::string wave = "RIFF....WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0data...."s;
    auto put = [&wave](std::size_t at, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i)
            wave[at + i] = static_cast<char>(value >> (8 * i));
    };
    put(4, 36 + samples);
    put(40, samples);
    return wave + std::string(samples, '\x80');
}

class AlarmWindowsTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        Beeps.SetEnabled(true);
        AlarmSounds.BeepTimer = &Beeps;
    }
    void TearDown() override
    {
        AlarmSounds = {};
        FormsTest::TearDown();
    }

    TAlarmForm* Notice(const AnsiString& description)
    {
        TBitmap icon(16, 16);
        auto* form = new TAlarmForm(nullptr);
        form->Fill(icon, "TV1", "20:00", "Uutiset", description);
        form->ShowNotice();
        Flush();
        return form;
    }

    TAlarm2Form* FullScreenNotice()
    {
        auto* form = new TAlarm2Form(nullptr);
        form->Fill("TV1", "20:00", "Uutiset", "Päivän uutiset"_a);
        form->ShowNotice();
        Flush();
        return form;
    }

    // Escape as the user presses it; the window frees itself once the event is handled.
    static bool EscapeFrees(TForm* form)
    {
        QPointer<QWidget> window = form->Widget();
        PressKey(window, Qt::Key_Escape);
        Flush();
        Flush();
        return window.isNull();
    }

    TTimer Beeps{nullptr};
};

} // namespace

TEST_F(AlarmWindowsTest, FilledNoticeShowsTheAlarmOnTopAndCentred)
{
    TAlarmForm* form = Notice("Päivän uutiset"_a);
    EXPECT_EQ(form->Caption(), "TV1: 20:00 Uutiset  ");
    EXPECT_EQ(form->Widget()->windowTitle(), "TV1: 20:00 Uutiset  ");
    EXPECT_EQ(form->l1->Caption(), "TV1");
    EXPECT_EQ(form->l2->Caption(), "20:00 Uutiset");
    EXPECT_EQ(form->Desc->Caption(), "P\xE4iv\xE4n uutiset");
    EXPECT_EQ(form->I1->Picture()->Width(), 16);
    EXPECT_TRUE(form->Widget()->isVisible());
    EXPECT_TRUE(form->Widget()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->Timer->Enabled());
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // Within the frame that the window system adds once the window is placed.
    EXPECT_NEAR(form->Left() + form->Width() / 2, screen.width() / 2, 3);
    EXPECT_NEAR(form->Top() + form->Height() / 2, screen.height() / 2, 3);
    form->Close();
    Flush();
}

TEST_F(AlarmWindowsTest, NoticeHeightFollowsTheDescription)
{
    TAlarmForm* empty = Notice("");
    EXPECT_EQ(empty->Desc->Width(), 305);
    EXPECT_GE(empty->Height(), empty->Desc->Top() + empty->Desc->Height() + 30);

    AnsiString text;
    for (int i = 0; i < 40; ++i)
        text += "Pitkä kuvaus ohjelmasta "_a;
    TAlarmForm* longer = Notice(text);
    EXPECT_EQ(longer->Desc->Width(), 305);
    EXPECT_GT(longer->Desc->Height(), 4 * empty->Desc->Height());
    EXPECT_EQ(longer->Height() - empty->Height(), longer->Desc->Height() - empty->Desc->Height());
    empty->Close();
    longer->Close();
    Flush();
}

TEST_F(AlarmWindowsTest, EveryTickFlipsTheCaptionFlash)
{
    TAlarmForm* form = Notice("");
    bool before = form->CaptionFlashed();
    form->TimerTimer(form->Timer);
    EXPECT_NE(form->CaptionFlashed(), before);
    form->TimerTimer(form->Timer);
    EXPECT_EQ(form->CaptionFlashed(), before);
    // Keeping the top place must not re-create the window.
    EXPECT_TRUE(form->Widget()->isVisible());
    EXPECT_TRUE(form->Widget()->windowFlags() & Qt::WindowStaysOnTopHint);
    form->Close();
    Flush();
}

TEST_F(AlarmWindowsTest, EscapeClosesTheNoticeAndEndsTheBeepsOfEveryAlarm)
{
    TAlarmForm* first = Notice("");
    TAlarmForm* second = Notice("");
    TTimer* flashing = second->Timer;
    ASSERT_TRUE(Beeps.Enabled());
    EXPECT_TRUE(EscapeFrees(first));
    EXPECT_FALSE(Beeps.Enabled());
    // The other notice stays open and keeps flashing.
    EXPECT_TRUE(second->Widget()->isVisible());
    EXPECT_TRUE(flashing->Enabled());
    second->Close();
    Flush();
}

TEST_F(AlarmWindowsTest, NoticeOpenedWhileAModalBoxRunsStaysUsable)
{
    Answers.push_back([this](ModalBox& box) {
        TAlarmForm* notice = Notice("");
        EXPECT_TRUE(notice->Widget()->isEnabled());
        EXPECT_TRUE(EscapeFrees(notice));
        box.Press("OK");
    });
    MessageDlg("Asetukset tallennettu", mtInformation, {mbOK});
    EXPECT_FALSE(Beeps.Enabled());
}

TEST_F(AlarmWindowsTest, FullScreenNoticeCoversTheScreen)
{
    TAlarm2Form* form = FullScreenNotice();
    int width = Screen->Width();
    int height = Screen->Height();
    EXPECT_EQ(form->Widget()->frameGeometry(), QRect(0, 0, width, height));
    EXPECT_TRUE(form->Widget()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form->Widget()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form->Widget()->palette().color(form->Widget()->backgroundRole()), QColor(Qt::black));

    EXPECT_EQ(form->Label1->Caption(), "ESC sulkee ikkunan");
    EXPECT_EQ(form->Label1->Top(), height - 20);
    EXPECT_EQ(form->Label1->Left(), 25);
    EXPECT_EQ(form->Label1->Font()->Height(), -11);
    EXPECT_EQ(form->Label1->Font()->Color(), clSilver);
    EXPECT_EQ(form->l1->Caption(), "TV1");
    EXPECT_EQ(form->l2->Caption(), "20:00 Uutiset");
    EXPECT_EQ(form->l3->Caption(), "P\xE4iv\xE4n uutiset");
    EXPECT_EQ(form->l3->Width(), width - 2 * 25 - 5);
    for (TLabel* label : {form->l1, form->l2, form->l3}) {
        EXPECT_EQ(label->Font()->Height(), -32);
        EXPECT_EQ(label->Font()->Color(), clBlue);
        EXPECT_TRUE(label->Font()->Style().Contains(fsBold));
    }
    EXPECT_EQ(form->l2->Top(), 72);
    EXPECT_EQ(form->l3->Top(), 120);
    EXPECT_TRUE(EscapeFrees(form));
    EXPECT_FALSE(Beeps.Enabled());
}

// Channels, titles and descriptions come from the listings: an '&' in them is a character, not
// an accelerator that hides itself and underlines the next one.
TEST_F(AlarmWindowsTest, BothNoticesShowListingTextAsWritten)
{
    const AnsiString channel = "Ei&<kanava>", title = "Tom & Jerry", description = "Tom && Jerry & muut";
    TBitmap icon(16, 16);
    auto* notice = new TAlarmForm(nullptr);
    notice->Fill(icon, channel, "14:00", title, description);
    notice->ShowNotice();
    auto* fullScreen = new TAlarm2Form(nullptr);
    fullScreen->Fill(channel, "14:00", title, description);
    fullScreen->ShowNotice();
    Flush();
    const std::pair<TLabel*, AnsiString> shown[] = {
        {notice->l1, channel},     {notice->l2, "14:00 " + title},     {notice->Desc, description},
        {fullScreen->l1, channel}, {fullScreen->l2, "14:00 " + title}, {fullScreen->l3, description},
    };
    for (const auto& [label, text] : shown)
        EXPECT_EQ(ShownText(*label), text) << label->Name();
    EXPECT_EQ(notice->Widget()->windowTitle(), "Ei&<kanava>: 14:00 Tom & Jerry  ");
    notice->Close();
    fullScreen->Close();
    Flush();
}

TEST_F(AlarmWindowsTest, ClosingStopsAPlayingSound)
{
    // Qt's audio thread fails without an output device; nothing would be playing anyway.
    if (QMediaDevices::defaultAudioOutput().isNull())
        GTEST_SKIP() << "no audio output";
    TempFolder folder;
    TempFolder::Write(folder / "silence.wav", SilentWave(5));
    TMediaPlayer player(nullptr);
    AlarmSounds.Player = &player;
    player.SetFileName(folder / "silence.wav");
    player.Open();
    player.Play();
    ASSERT_EQ(player.Mode(), TMPModes::mpPlaying);
    TAlarm2Form* form = FullScreenNotice();
    form->Close();
    Flush();
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
    EXPECT_FALSE(Beeps.Enabled());
    player.Close();
}
