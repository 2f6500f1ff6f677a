#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include "FormsFixture.h"
#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/QtText.h"

namespace {

// Every byte a caption can hold, including the 0x80-0x9F range that Latin-1 gets wrong.
AnsiString AllPrintableBytes()
{
    AnsiString bytes;
    for (int b = 0x20; b <= 0xFF; ++b)
        if (b != 0x7F && b != '&')
            bytes += static_cast<char>(b);
    return bytes;
}

} // namespace

TEST(QtText, LiteralsAreWindows1252Bytes)
{
    EXPECT_EQ("Hälytykset"_a, "H\xE4lytykset");
    EXPECT_EQ(ToQString("\x80\xA4\xA4"), QString::fromUtf8("€¤¤"));
    EXPECT_EQ(FromQString(QString::fromUtf8("Ωx")), "?x");
}

TEST_F(FormsTest, BytesRoundTripThroughCaptionsAndItems)
{
    const AnsiString bytes = AllPrintableBytes();
    TForm form(nullptr);
    form.SetCaption(bytes);
    EXPECT_EQ(FromQString(form.Widget()->windowTitle()), bytes);

    auto* button = new TButton(&form);
    button->SetCaption(bytes);
    EXPECT_EQ(FromQString(static_cast<QPushButton*>(button->Widget())->text()), bytes);

    TMenuItem item(nullptr);
    item.SetCaption(bytes);
    EXPECT_EQ(FromQString(item.Action()->text()), bytes);

    auto* list = new TListBox(&form);
    list->Items()->Add(bytes);
    list->Items()->Add("\x81\x8D\x8F\x90\x9D");
    EXPECT_EQ(list->Items()->Get(0), bytes);
    EXPECT_EQ(list->Items()->Get(1), "\x81\x8D\x8F\x90\x9D");
    EXPECT_EQ(FromQString(static_cast<QListWidget*>(list->Widget())->item(0)->text()), bytes);
}
