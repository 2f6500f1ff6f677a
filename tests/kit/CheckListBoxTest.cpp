#include <gtest/gtest.h>
#include <QListWidget>
#include <QTemporaryDir>
#include "forms/FormsFixture.h"
#include "forms/Input.h"
#include "kit/CheckListBox.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/Files.h"
#include "platform/core/IniFile.h"
#include "platform/forms/Form.h"
#include "platform/forms/PaletteColors.h"

namespace {

class TChannelsForm : public TForm {
public:
    using TForm::TForm;
};

class CheckListBoxTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        Form.SetBounds(0, 0, 300, 300);
        List = new TKitCheckListBox(&Form);
        List->SetName("Kanavat");
        List->SetParent(&Form);
        List->SetBounds(5, 5, 200, 200);
        for (const char* name : {"TV1", "TV2", "MTV3", "Nelonen"})
            List->Items()->Add(name);
    }
    QWidget* View() const { return static_cast<QListWidget*>(List->Widget())->viewport(); }
    std::vector<TCheckBoxState> States() const
    {
        std::vector<TCheckBoxState> states;
        for (int i = 0; i < List->Items()->Count(); ++i)
            states.push_back(List->State(i));
        return states;
    }
    TChannelsForm Form{nullptr};
    TKitCheckListBox* List = nullptr;
};

using S = std::vector<TCheckBoxState>;

} // namespace

TEST_F(CheckListBoxTest, StatesToggleAndBadIndexesRaise)
{
    EXPECT_EQ(States(), (S{cbUnchecked, cbUnchecked, cbUnchecked, cbUnchecked}));
    int clicks = 0;
    std::vector<int> changed;
    List->OnClickCheck = [&](TObject*) { ++clicks; };
    List->OnStateChange = [&](TObject*, int index) { changed.push_back(index); };
    List->ToggleClickCheck(1);
    EXPECT_EQ(List->State(1), cbChecked);
    List->SetAllowGrayed(true);
    List->ToggleClickCheck(2);
    EXPECT_EQ(List->State(2), cbGrayed);
    List->ToggleClickCheck(2);
    EXPECT_EQ(List->State(2), cbChecked);
    List->ToggleClickCheck(2);
    EXPECT_EQ(List->State(2), cbUnchecked);
    EXPECT_EQ(clicks, 4);
    EXPECT_EQ(changed, (std::vector<int>{1, 2, 2, 2}));
    List->SetState(1, cbChecked);
    EXPECT_EQ(changed.size(), 4u);

    for (int bad : {-1, 4}) {
        try {
            List->State(bad);
            FAIL() << bad;
        } catch (const EStringListError& error) {
            EXPECT_EQ(error.Message, "List index out of bounds (" + std::to_string(bad) + ")");
        }
        EXPECT_THROW(List->SetState(bad, cbChecked), EStringListError);
        EXPECT_THROW(List->ItemEnabled(bad), EStringListError);
        EXPECT_THROW(List->SetItemEnabled(bad, false), EStringListError);
    }
    EXPECT_EQ(List->Items()->Count(), 4);

    // Moving and exchanging items carries their states.
    List->SetItemEnabled(3, false);
    List->Items()->Move(1, 3);
    EXPECT_EQ(List->Items()->Get(3), "TV2");
    EXPECT_EQ(List->State(3), cbChecked);
    EXPECT_FALSE(List->ItemEnabled(2));
    List->Items()->Exchange(0, 3);
    EXPECT_EQ(List->State(0), cbChecked);
    EXPECT_EQ(List->State(3), cbUnchecked);
}

TEST_F(CheckListBoxTest, RadioListKeepsExactlyOneChecked)
{
    EXPECT_EQ(List->CheckKind(), ckCheckBoxes);
    List->SetCheckKind(ckRadioButtons);
    EXPECT_EQ(List->CheckKind(), ckRadioButtons);
    EXPECT_EQ(List->CheckedIndex(), 0);
    List->SetChecked(0, false);
    EXPECT_EQ(List->CheckedIndex(), 0);
    List->SetChecked(2, true);
    EXPECT_EQ(States(), (S{cbUnchecked, cbUnchecked, cbChecked, cbUnchecked}));
    List->SetAllowGrayed(true);
    EXPECT_FALSE(List->AllowGrayed());
    List->ApplyStateToAll(cbChecked, false);
    EXPECT_EQ(List->CheckedIndex(), 2);
    List->SetCheckedIndex(-5);
    EXPECT_EQ(List->CheckedIndex(), 0);
    List->SetCheckedIndex(3);
    EXPECT_EQ(List->CheckedIndex(), 3);
    try {
        List->SetCheckedIndex(4);
        FAIL() << "an index past the list was taken";
    } catch (const EStringListError& error) {
        EXPECT_EQ(error.Message, "List index out of bounds (4)");
    }
    EXPECT_EQ(List->CheckedIndex(), 3);
    // Back to check boxes the grayed state the list was allowed comes back.
    List->SetCheckKind(ckCheckBoxes);
    EXPECT_EQ(List->CheckKind(), ckCheckBoxes);
    EXPECT_TRUE(List->AllowGrayed());

    TKitCheckListBox filled(nullptr);
    filled.SetCheckKind(ckRadioButtons);
    filled.Items()->Add("a");
    filled.Items()->Add("b");
    EXPECT_EQ(filled.CheckedIndex(), -1);
    filled.Loaded();
    EXPECT_EQ(filled.CheckedIndex(), 0);
}

TEST_F(CheckListBoxTest, DisabledItemsIgnoreKeysAndClicks)
{
    List->SetItemEnabled(1, false);
    Form.Show();
    List->SetFocus();
    List->SetItemIndex(1);
    PressKey(List->Widget(), Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(List->State(1), cbUnchecked);
    int clicks = 0;
    List->OnClickCheck = [&](TObject*) { ++clicks; };
    PressKey(List->Widget(), Qt::Key_Plus, Qt::NoModifier, "+");
    EXPECT_EQ(States(), (S{cbChecked, cbUnchecked, cbChecked, cbChecked}));
    EXPECT_EQ(clicks, 1);
    PressKey(List->Widget(), Qt::Key_Minus, Qt::NoModifier, "-");
    EXPECT_EQ(States(), (S{cbUnchecked, cbUnchecked, cbUnchecked, cbUnchecked}));

    TRect second = List->ItemRect(1);
    TRect third = List->ItemRect(2);
    ClickMouse(View(), Qt::LeftButton, QPoint(second.Left + 5, second.Top + 3));
    EXPECT_EQ(List->State(1), cbUnchecked);
    ClickMouse(View(), Qt::LeftButton, QPoint(third.Left + 5, third.Top + 3));
    EXPECT_EQ(List->State(2), cbChecked);
    // A click on the text selects without toggling.
    ClickMouse(View(), Qt::LeftButton, QPoint(third.Left + 40, third.Top + 3));
    EXPECT_EQ(List->State(2), cbChecked);
    EXPECT_EQ(List->ItemIndex(), 2);
    List->SetItemIndex(3);
    PressKey(List->Widget(), Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(List->State(3), cbChecked);
}

TEST_F(CheckListBoxTest, EveryStateHasAPictureOfItsOwn)
{
    // Rows 0-2 enabled unchecked, checked, grayed; row 3 checked but disabled.
    List->SetState(1, cbChecked);
    List->SetState(2, cbGrayed);
    List->SetState(3, cbChecked);
    List->SetItemEnabled(3, false);
    Form.Show();
    QImage view = View()->grab().toImage();
    auto checkOf = [&](int index) {
        TRect row = List->ItemRect(index);
        return view.copy(row.Left, row.Top, TKitCheckListBox::CheckColumnWidth(), row.Height());
    };
    std::vector<QImage> checks{checkOf(0), checkOf(1), checkOf(2), checkOf(3)};
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            EXPECT_NE(checks[a], checks[b]) << "items " << a << " and " << b << " look alike";
}

TEST_F(CheckListBoxTest, StatesAreStoredWithTheFormPlacement)
{
    QTemporaryDir dir;
    AnsiString ini = FromSystemPath(dir.path().toStdString()) + "/states.ini";
    TFormPlacement placement(&Form);
    placement.SetIniFileName(ini);
    List->SetIniStorage(&placement);
    Form.Show();
    Flush();
    List->SetState(1, cbChecked);
    List->SetState(3, cbGrayed);
    Form.Close();
    TIniFile file(ini);
    EXPECT_EQ(file.ReadString("TChannelsFormKanavat", "Count", ""), "4");
    EXPECT_EQ(file.ReadString("TChannelsFormKanavat", "Item1", ""), "1");
    EXPECT_EQ(file.ReadString("TChannelsFormKanavat", "Item3", ""), "2");

    // More stored items than the list holds restore only as many; nonsense states read unchecked.
    file.WriteInteger("TChannelsFormKanavat", "Count", 9);
    file.WriteInteger("TChannelsFormKanavat", "Item0", 7);
    List->Items()->Delete(3);
    List->SetState(1, cbUnchecked);
    List->SetState(0, cbChecked);
    Form.Show();
    Flush();
    EXPECT_EQ(States(), (S{cbUnchecked, cbChecked, cbUnchecked}));

    // With the section under the placement's own name.
    placement.SetIniSection("Asetukset");
    Form.Close();
    EXPECT_EQ(file.ReadString("Asetukset\\TChannelsFormKanavat", "Count", ""), "3");
}

TEST_F(CheckListBoxTest, ItemWidthHasTheCheckColumn)
{
    List->Canvas()->Font()->Assign(*List->Font());
    EXPECT_EQ(List->HorizontalExtent(), List->Canvas()->TextWidth("Nelonenx") + 18);
    TKitCheckListBox other(nullptr);
    other.Items()->Add("x");
    List->SetState(2, cbChecked);
    List->SetItemEnabled(2, false);
    other.SetItems(*List->Items());
    EXPECT_EQ(other.Items()->Count(), 4);
    EXPECT_EQ(other.State(2), cbChecked);
    EXPECT_FALSE(other.ItemEnabled(2));
}

TEST_F(CheckListBoxTest, RightToLeftReadingPutsTheCheckColumnOnTheRight)
{
    Form.SetBiDiMode(bdRightToLeft);
    Form.Show();
    Flush();
    QImage view = View()->grab().toImage();
    TRect row = List->ItemRect(0);
    // Inside the row's focus frame.
    auto inkIn = [&](int left, int right) {
        int ink = 0;
        for (int x = left + 1; x < right - 1; ++x)
            for (int y = row.Top + 1; y < row.Bottom - 1; ++y)
                ink += view.pixelColor(x, y) != QColor(Qt::white);
        return ink;
    };
    int column = TKitCheckListBox::CheckColumnWidth();
    EXPECT_GT(inkIn(row.Right - column, row.Right), 20) << "the check box stands at the right";
    EXPECT_EQ(inkIn(row.Left, row.Left + column), 0) << "nothing at the left of a short item";

    ClickMouse(View(), Qt::LeftButton, QPoint(row.Left + 5, row.Top + 3));
    EXPECT_EQ(List->State(0), cbUnchecked) << "the left end is text";
    ClickMouse(View(), Qt::LeftButton, QPoint(row.Right - 5, row.Top + 3));
    EXPECT_EQ(List->State(0), cbChecked);

    Form.SetBiDiMode(bdLeftToRight);
    view = View()->grab().toImage();
    EXPECT_GT(inkIn(row.Left, row.Left + column), 20) << "back on the left";
    ClickMouse(View(), Qt::LeftButton, QPoint(row.Left + 5, row.Top + 3));
    EXPECT_EQ(List->State(0), cbUnchecked);
}

TEST_F(CheckListBoxTest, Ctl3DGivesASunkenBorderElseAFlatLine)
{
    Form.Show();
    Flush();
    auto edges = [&] {
        QImage image = List->Widget()->grab().toImage();
        int w = image.width(), h = image.height();
        return std::vector<QColor>{image.pixelColor(0, h / 2), image.pixelColor(w - 1, h / 2),
                                   image.pixelColor(w / 2, h - 1)};
    };
    std::vector<QColor> sunken = edges();
    Form.SetCtl3D(false);
    EXPECT_FALSE(List->Ctl3D()) << "the list follows its form";
    EXPECT_EQ(edges(), std::vector<QColor>(3, ToQColor(clWindowFrame))) << "one line in the window-frame colour";
    EXPECT_NE(sunken, edges());
    List->SetCtl3D(true);
    EXPECT_EQ(edges(), sunken);
    List->SetBorderStyle(bsNone);
    EXPECT_EQ(edges(), std::vector<QColor>(3, QColor(Qt::white))) << "no border at all";
}

namespace {

std::string WrittenProperties(TKitCheckListBox& list, TPersistent* ancestor)
{
    TMemoryStream stream;
    TWriter writer(stream);
    writer.Ancestor = ancestor;
    writer.WriteProperties(list);
    return stream.Bytes();
}

void ReadProperties(TKitCheckListBox& list, const std::string& bytes)
{
    TStringStream stream(bytes);
    TReader(stream).ReadProperties(list);
}

} // namespace

TEST_F(CheckListBoxTest, AFormStreamCarriesItemsStatesAndEnabledFlags)
{
    List->SetState(1, cbChecked);
    List->SetState(2, cbGrayed);
    List->SetItemEnabled(3, false);
    std::string bytes = WrittenProperties(*List, nullptr);

    auto* copy = new TKitCheckListBox(&Form);
    copy->Items()->Add("vanha");
    int changes = 0;
    copy->OnStateChange = [&](TObject*, int) { ++changes; };
    ReadProperties(*copy, bytes);
    EXPECT_EQ(copy->Items()->Text(), "TV1\r\nTV2\r\nMTV3\r\nNelonen\r\n");
    EXPECT_EQ(std::vector<TCheckBoxState>({copy->State(0), copy->State(1), copy->State(2), copy->State(3)}),
              (S{cbUnchecked, cbChecked, cbGrayed, cbUnchecked}));
    EXPECT_TRUE(copy->ItemEnabled(2));
    EXPECT_FALSE(copy->ItemEnabled(3));
    EXPECT_EQ(changes, 0) << "reading raises no state change";

    // Against an ancestor only a difference is written; letter case alone is none.
    EXPECT_EQ(WrittenProperties(*copy, List), std::string(1, '\0'));
    copy->Items()->Delete(0);
    copy->Items()->Insert(0, "tv1");
    EXPECT_EQ(WrittenProperties(*copy, List), std::string(1, '\0'));
    copy->SetItemEnabled(0, false);
    EXPECT_NE(WrittenProperties(*copy, List).find("Strings"), std::string::npos);
    copy->Items()->Clear();
    EXPECT_EQ(WrittenProperties(*copy, nullptr).find("Strings"), std::string::npos) << "an empty list has nothing to write";
    EXPECT_EQ(WrittenProperties(*copy, List), std::string(1, '\0')) << "nor against a longer ancestor";
}

TEST_F(CheckListBoxTest, AnOlderStreamHoldsACheckedFlagPerItem)
{
    // Version 0: text, checked, enabled; a stream without a version is that old.
    TMemoryStream stream;
    {
        TWriter writer(stream);
        auto strings = [](TWriter& w) {
            w.WriteListBegin();
            for (auto [text, checked, enabled] : {std::tuple{"A", true, false}, std::tuple{"B", false, true}}) {
                w.WriteString(text);
                w.WriteBoolean(checked);
                w.WriteBoolean(enabled);
            }
            w.WriteListEnd();
        };
        writer.DefineProperty("Strings", nullptr, strings, true);
        writer.WriteListEnd();
    }
    ReadProperties(*List, stream.Bytes());
    EXPECT_EQ(List->Count(), 2);
    EXPECT_EQ(List->State(0), cbChecked);
    EXPECT_FALSE(List->ItemEnabled(0));
    EXPECT_EQ(List->State(1), cbUnchecked);

    // A radio list read from a stream ends with one checked item.
    List->SetCheckKind(ckRadioButtons);
    List->SetCheckedIndex(1);
    std::string bytes = WrittenProperties(*List, nullptr);
    auto* radio = new TKitCheckListBox(&Form);
    radio->SetCheckKind(ckRadioButtons);
    ReadProperties(*radio, bytes);
    EXPECT_EQ(radio->CheckedIndex(), 1);

    // A state outside the three is a damaged stream.
    std::string damaged = bytes;
    std::size_t state = damaged.find(std::string("\x06\x01" "B\x02\x01", 5));
    ASSERT_NE(state, std::string::npos);
    damaged[state + 4] = 7;
    EXPECT_THROW(ReadProperties(*radio, damaged), EReadError);
}
