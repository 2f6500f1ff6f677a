#include <QTest>
#include "FormsFixture.h"
#include "ShownTexts.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"

namespace {

class LabelTest : public FormsTest {
protected:
    TLabel* AddLabel(const AnsiString& caption, bool showAccelChar = true)
    {
        auto* label = new TLabel(&Form);
        label->SetParent(&Form);
        label->SetShowAccelChar(showAccelChar);
        label->SetCaption(caption);
        return label;
    }
    static QImage Picture(TLabel* label)
    {
        return label->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    TForm Form{nullptr};
};

} // namespace

TEST_F(LabelTest, AmpersandUnderlinesTheNextCharacterAndTwoShowOne)
{
    Form.SetBounds(0, 0, 300, 200);
    TLabel* accel = AddLabel("&Valitut");
    TLabel* plain = AddLabel("Valitut", false);
    TLabel* literal = AddLabel("&Valitut", false);
    Form.Show();

    // The '&' takes no room; the underline is all that tells the two apart.
    EXPECT_EQ(accel->Width(), plain->Width());
    EXPECT_EQ(accel->Height(), plain->Height());
    EXPECT_NE(Picture(accel), Picture(plain));
    EXPECT_GT(literal->Width(), plain->Width());

    TLabel* doubled = AddLabel("Tom && Jerry");
    TLabel* single = AddLabel("Tom & Jerry", false);
    EXPECT_EQ(doubled->Width(), single->Width());
    EXPECT_EQ(Picture(doubled), Picture(single));

    // An empty caption keeps a line's height.
    TLabel* empty = AddLabel("");
    EXPECT_EQ(empty->Height(), plain->Height());
}

// What a label shows is what a reader of its text gets: the same width as a plain label of
// that text.
TEST_F(LabelTest, ShownTextIsWhatTheLabelDraws)
{
    Form.SetBounds(0, 0, 300, 200);
    const struct {
        const char* caption;
        bool showAccelChar;
        const char* shown;
    } cases[] = {
        {"&Valitut", true, "Valitut"},          {"Tom & Jerry", true, "Tom  Jerry"},
        {"Tom && Jerry", true, "Tom & Jerry"},  {"Ei&<kanava>", true, "Ei<kanava>"},
        {"Valitut&", true, "Valitut"},          {"Tom & Jerry", false, "Tom & Jerry"},
        {"Ei&<kanava>", false, "Ei&<kanava>"},
    };
    for (const auto& c : cases) {
        TLabel* label = AddLabel(c.caption, c.showAccelChar);
        EXPECT_EQ(ShownText(*label), c.shown) << c.caption;
        EXPECT_EQ(label->Width(), AddLabel(c.shown, false)->Width()) << c.caption;
    }
}

TEST_F(LabelTest, AltAndTheAcceleratorFocusTheFocusControl)
{
    Form.SetBounds(0, 0, 300, 200);
    TLabel* label = AddLabel("Tiedoston &nimi:");
    auto* name = new TEdit(&Form);
    name->SetParent(&Form);
    name->SetTop(40);
    auto* other = new TEdit(&Form);
    other->SetParent(&Form);
    other->SetTop(80);
    label->SetFocusControl(name);
    Form.Show();
    Form.Activate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.Widget()));
    other->SetFocus();

    QTest::keyClick(Form.Widget(), Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(name->Focused());

    // Without ShowAccelChar, or once the edit is gone, the key leads nowhere.
    other->SetFocus();
    label->SetShowAccelChar(false);
    QTest::keyClick(Form.Widget(), Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(other->Focused());
    label->SetShowAccelChar(true);
    delete name;
    EXPECT_EQ(label->FocusControl(), nullptr);
    QTest::keyClick(Form.Widget(), Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(other->Focused());
}
