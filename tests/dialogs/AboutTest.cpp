#include "DialogsFixture.h"
#include "dialogs/About.h"
#include "platform/forms/Button.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/services/ShellExecute.h"
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <memory>

namespace {

class AboutTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        SetDesktopOpener([this](const AnsiString& target) {
            Opened.push_back(target);
            return true;
        });
    }
    void TearDown() override
    {
        SetDesktopOpener(nullptr);
        QApplication::setWindowIcon(QIcon());
        DialogsTest::TearDown();
    }

    std::vector<AnsiString> Opened;
};

} // namespace

TEST_F(AboutTest, NamesTheProgramItsVersionAndItsMaker)
{
    TAboutForm about(nullptr);
    EXPECT_EQ(about.Caption(), "Ohjelmasta");
    EXPECT_EQ(about.ClientWidth(), 282);
    EXPECT_EQ(about.ClientHeight(), 172);
    const AnsiString text = about.Label1->Caption();
    EXPECT_EQ(text.substr(0, text.rfind("\r\n")), "QEX 2000\r\nVersio 4.76 (build 3061)");
    EXPECT_EQ(about.Label2->Caption(), "Email:");
    EXPECT_EQ(about.Label3->Caption(), "WWW:");
    EXPECT_EQ(about.Label4->Caption(), MakerMailAddress);
    EXPECT_EQ(about.Label5->Caption(), MakerHomePage);
    EXPECT_EQ(about.Label4->Font()->Color(), clBlue);
    EXPECT_EQ(about.Button1->Caption(), "OK");
    EXPECT_TRUE(about.Button1->Default());
}

TEST_F(AboutTest, TheLinksOpenTheMailProgramAndTheBrowser)
{
    TAboutForm about(nullptr);
    about.Label4Click(about.Label4);
    about.Label5Click(about.Label5);
    EXPECT_EQ(Opened, (std::vector<AnsiString>{AnsiString("mailto:") + MakerMailAddress, MakerHomePage}));
}

TEST_F(AboutTest, ShowsTheProgramsPictureAndOkCloses)
{
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(picture)));
    TAboutForm about(nullptr);
    EXPECT_EQ(about.Image1->Picture()->Width(), 32);
    EXPECT_EQ(about.Image1->Picture()->Image().pixelColor(16, 16), QColor(Qt::red));
    Answers.push_back([](ModalBox& box) {
        EXPECT_EQ(box.Caption(), "Ohjelmasta");
        EXPECT_TRUE(box.Press("OK"));
    });
    about.ShowModal();
    EXPECT_FALSE(about.Visible());
}
