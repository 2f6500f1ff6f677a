// Every window of the program opened at its designed size: each caption, label, tab and button
// text must fit in the room its control gives it, measured in the font the control draws with.
#include "app/MainWindowFixture.h"
#include "alarms/Alarm.h"
#include "alarms/Alarm2.h"
#include "dialogs/Asetukset.h"
#include "dialogs/Tulostus.h"
#include "dialogs/Tvtanaan.h"
#include "kit/DualList.h"
#include "kit/FileDialog.h"
#include "platform/forms/Bitmap.h"
#include "printing/PrintProgress.h"
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <sstream>

namespace app_test {
namespace {

// A push button's frame and focus rectangle take this much on either side of its text.
constexpr int kButtonTextMargin = 4;
// The title bar keeps this much for the window's icon and its buttons.
constexpr int kTitleBarReserve = 80;

QString Displayed(const QString& text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

int TextWidth(const QWidget* widget, const QString& text)
{
    QFontMetrics metrics(widget->font());
    int widest = 0;
    for (const QString& line : text.split('\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line.trimmed()));
    return widest;
}

// Collects every text of a window that is wider than its room.
class RoomCheck {
public:
    void Window(QWidget* window, const std::string& name)
    {
        FWindow = name;
        QFont titleFont = window->font();
        titleFont.setBold(true);
        Expect("window caption", QFontMetrics(titleFont).horizontalAdvance(window->windowTitle()),
               window->frameGeometry().width() - kTitleBarReserve);
        for (QWidget* widget : window->findChildren<QWidget*>())
            if (widget->isVisibleTo(window))
                Control(widget);
    }

    std::string Report() const { return FFaults.str(); }
    bool Clean() const { return FFaults.str().empty(); }

private:
    void Control(QWidget* widget)
    {
        if (auto* bar = qobject_cast<QTabBar*>(widget))
            return Tabs(bar);
        if (auto* menu = qobject_cast<QMenuBar*>(widget))
            return Menu(menu);
        if (auto* label = qobject_cast<QLabel*>(widget))
            return Label(label);
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            return Button(button);
    }

    // Every tab shows its whole caption, and the strip needs no scroll arrows.
    void Tabs(QTabBar* bar)
    {
        int strip = 0;
        for (int i = 0; i < bar->count(); ++i) {
            strip += bar->tabRect(i).width();
            Expect("tab " + bar->tabText(i).toStdString(), TextWidth(bar, Displayed(bar->tabText(i))),
                   bar->tabRect(i).width());
        }
        Expect("tab strip", strip, bar->width());
    }

    // A menu bar whose items pass its right edge hides them behind an extension button.
    void Menu(QMenuBar* menu)
    {
        for (QAction* action : menu->actions())
            if (action->isVisible())
                Expect("menu " + Displayed(action->text()).toStdString(), menu->actionGeometry(action).right() + 1,
                       menu->width());
    }

    void Label(QLabel* label)
    {
        if (label->text().isEmpty() || label->wordWrap() || qobject_cast<QTabBar*>(label->parentWidget()))
            return;
        int room = label->width();
        if (QWidget* parent = label->parentWidget())
            room = std::min(room, parent->width() - label->x());
        Expect("label " + label->text().toStdString(), label->sizeHint().width(), room);
    }

    void Button(QAbstractButton* button)
    {
        if (button->text().isEmpty())
            return;
        const QString text = Displayed(button->text());
        int need = TextWidth(button, text);
        const QStyle* style = button->style();
        if (qobject_cast<QCheckBox*>(button))
            need += style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button) +
                    style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
        else if (qobject_cast<QRadioButton*>(button))
            need += style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
                    style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
        else
            need += 2 * kButtonTextMargin;
        int room = button->width();
        if (QWidget* parent = button->parentWidget())
            room = std::min(room, parent->width() - button->x());
        Expect("button " + text.toStdString(), need, room);
    }

    void Expect(const std::string& what, int need, int room)
    {
        if (need > room)
            FFaults << FWindow << ": " << what << " needs " << need << " pixels, has " << room << "\n";
    }

    std::string FWindow;
    std::ostringstream FFaults;
};

class TextFitTest : public MainWindowTest {
protected:
    void Check(TForm* form, const std::string& name)
    {
        Flush();
        Room.Window(form->Widget(), name);
    }
    // A modal window opened by the program: checked, then closed.
    void ExpectChecked(const std::string& name)
    {
        ExpectBox([this, name](ModalBox& box) {
            Check(box.Form(), name);
            box.Close(mrCancel);
        });
    }
    void TearDown() override
    {
        EXPECT_TRUE(Room.Clean()) << Room.Report();
        MainWindowTest::TearDown();
    }
    RoomCheck Room;
};

TEST_F(TextFitTest, TheMainWindowAndEveryWindowItOpens)
{
    WriteUsualSettings();
    WriteWeek7("TV1", WednesdayProgrammes());
    StartWindow();
    app.CreateForm(PrintForm);
    app.CreateForm(TVTanaanForm);
    Check(MainForm, "main window");

    // The settings dialog, page by page, with the channel chooser its view page opens.
    ExpectBox([this](ModalBox& box) {
        auto* pages = box.Form()->Widget()->findChild<QTabWidget*>();
        ASSERT_NE(pages, nullptr);
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            Check(box.Form(), "settings, page " + pages->tabText(i).toStdString());
        }
        ExpectChecked("channel chooser");
        static_cast<TAsetuksetForm*>(box.Form())->NComboEditClick(nullptr);
        box.Close(mrCancel);
    });
    MainForm->MM_AsetuksetClick(nullptr);

    ExpectChecked("about box");
    MainForm->MM_OhjelmastaClick(nullptr);

    ExpectChecked("add alarm");
    MainForm->Lishlytyksiinvalitutasetukset1Click(nullptr);

    ExpectChecked("print chooser");
    ExpectChecked("print form");
    MainForm->Valitunpivntiedot141Click(nullptr);

    TVTanaanForm->Show();
    Check(TVTanaanForm, "TV today");
    delete TVTanaanForm;
    TVTanaanForm = nullptr;
    delete PrintForm;
    PrintForm = nullptr;
}

TEST_F(TextFitTest, TheAlarmNoticesAndTheWindowsOfTheKit)
{
    TAlarmForm notice(nullptr);
    notice.Fill(TBitmap(), "MTV3", "21:00", "Elokuva: Tuntematon sotilas", "Sotaelokuva vuodelta 1955.");
    notice.ShowNotice();
    Check(&notice, "alarm notice");

    TAlarm2Form fullScreen(nullptr);
    fullScreen.Fill("MTV3", "21:00", "Elokuva: Tuntematon sotilas", "Sotaelokuva vuodelta 1955.");
    fullScreen.ShowNotice();
    Check(&fullScreen, "full-screen notice");

    TPPPrnPrgDlg progress(nullptr);
    progress.Show();
    Check(&progress, "print progress");

    TDualListDialog chooser(nullptr);
    chooser.List1()->Add("TV1");
    chooser.List2()->Add("MTV3");
    ExpectChecked("dual-list chooser");
    chooser.Execute();

    TOpenDialog files(nullptr);
    files.Filter = "Ohjelmat (*.exe)|*.exe|Kaikki tiedostot (*.*)|*.*";
    ExpectChecked("file dialog");
    files.Execute();
}

} // namespace
} // namespace app_test
