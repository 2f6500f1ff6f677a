// The kit's controls, like the class library's, take no mouse or key input while their form is
// disabled by a modal window.
#include "forms/FormsFixture.h"
#include "forms/WatchedControls.h"
#include "kit/CheckListBox.h"
#include "kit/ComboEdits.h"
#include "kit/KitCombos.h"
#include "kit/SpeedButton.h"
#include "kit/TextListBox.h"
#include "platform/forms/Form.h"

namespace {

class DisabledKitControlsTest : public FormsTest {
protected:
    TForm Form{nullptr};
    WatchedControls Controls{Form};
};

} // namespace

TEST_F(DisabledKitControlsTest, KitControlsOfADisabledFormTakeNoInput)
{
    Form.SetBounds(10, 10, 500, 300);
    auto* text = Controls.Add(new TTextListBox(&Form), 8, 8, 120, 100);
    auto* checks = Controls.Add(new TKitCheckListBox(&Form), 140, 8, 120, 100);
    for (const char* name : {"TV1", "TV2", "MTV3"}) {
        text->Items()->Add(name);
        checks->Items()->Add(name);
    }
    auto* speed = Controls.Add(new TKitSpeedButton(&Form), 270, 8, 23, 23);
    speed->SetCaption("+");
    auto* file = Controls.Add(new TFilenameEdit(&Form), 8, 120, 200, 21);
    auto* combo = Controls.Add(new TComboEdit(&Form), 8, 150, 200, 21);
    auto* colours = Controls.Add(new TColorComboBox(&Form), 8, 180, 200, 21);
    colours->SetColorValue(clRed);
    int buttonClicks = 0;
    file->OnButtonClick = [&](TObject*) { ++buttonClicks; };
    combo->OnButtonClick = [&](TObject*) { ++buttonClicks; };
    int colourChanges = 0;
    colours->OnChange = [&](TObject*) { ++colourChanges; };
    int checkClicks = 0;
    checks->OnClickCheck = [&](TObject*) { ++checkClicks; };
    Form.Show();
    Flush();

    Controls.HandleAllUnderAModalForm(Answers, [&] {
        EXPECT_EQ(text->ItemIndex(), -1);
        EXPECT_EQ(checks->ItemIndex(), -1);
        EXPECT_FALSE(checks->Checked(0) || checks->Checked(1) || checks->Checked(2));
        EXPECT_EQ(checkClicks + buttonClicks + colourChanges, 0);
        EXPECT_EQ(file->Text(), "");
        EXPECT_EQ(colours->ColorValue(), clRed);
    });

    Controls.HandleAll();
    for (TControl* control : {static_cast<TControl*>(text), static_cast<TControl*>(checks), static_cast<TControl*>(speed)})
        EXPECT_GT(Controls.Raised(control), 0) << control->Widget()->metaObject()->className();
}
