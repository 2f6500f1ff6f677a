#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include "forms/FormsFixture.h"
#include "kit/KitCombos.h"
#include "platform/forms/Form.h"
#include "platform/forms/PaletteColors.h"

namespace {

using Names = std::vector<AnsiString>;

Names ItemNames(TColorComboBox& box)
{
    Names names;
    for (int i = 0; i < box.Items()->Count(); ++i)
        names.push_back(box.Items()->Get(i));
    return names;
}

QImage DrawnItem(TColorComboBox& box, int index, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    box.PaintItem(&painter, QRect(0, 0, width, height), index, false);
    return image;
}

using KitCombosTest = FormsTest;

} // namespace

TEST_F(KitCombosTest, SixteenColoursWithStandardOrGivenNames)
{
    TColorComboBox box(nullptr);
    EXPECT_EQ(ItemNames(box), (Names{"Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Gray", "Silver",
                                     "Red", "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White"}));
    EXPECT_EQ(box.ItemColor(4), clNavy);
    EXPECT_EQ(box.ItemColor(13), clFuchsia);
    EXPECT_EQ(box.ColorValue(), clBlack);
    EXPECT_EQ(box.ItemIndex(), 0);

    box.SetColorValue(clNavy);
    TStringList names;
    names.Add("Musta");
    names.Add("");
    names.Add("Vihreä"_a);
    box.SetColorNames(names);
    Names shown = ItemNames(box);
    EXPECT_EQ(shown[0], "Musta");
    EXPECT_EQ(shown[1], "Maroon");
    EXPECT_EQ(shown[2], "Vihreä"_a);
    EXPECT_EQ(shown[3], "Olive");
    // The colour stays chosen across the new names.
    EXPECT_EQ(box.ColorValue(), clNavy);
    EXPECT_EQ(box.ItemIndex(), 4);

    // The names are read back as given, and a name added to them shows at once.
    ASSERT_EQ(box.ColorNames()->Count(), 3);
    EXPECT_EQ(box.ColorNames()->Get(2), "Vihreä"_a);
    box.ColorNames()->Add("Oliivi");
    EXPECT_EQ(ItemNames(box)[3], "Oliivi");
    EXPECT_EQ(box.ColorValue(), clNavy);
}

TEST_F(KitCombosTest, OwnColoursAndChangeEvents)
{
    TColorComboBox box(nullptr);
    int changes = 0;
    box.OnChange = [&](TObject* sender) { EXPECT_EQ(sender, &box); ++changes; };
    box.SetColorValue(clFuchsia);
    box.SetColorValue(clFuchsia);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.ItemIndex(), 13);

    const TColor own = 0x123456;
    box.SetColorValue(own);
    EXPECT_EQ(box.ItemIndex(), -1);
    EXPECT_EQ(box.ColorValue(), own);
    EXPECT_EQ(changes, 2);

    // The user's choice writes the colour and then clicks.
    int clicks = 0;
    box.OnClick = [&](TObject*) { ++clicks; };
    auto* combo = static_cast<QComboBox*>(box.Widget());
    combo->setCurrentIndex(9);
    emit combo->activated(9);
    EXPECT_EQ(box.ColorValue(), clRed);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(clicks, 1);

    // An editable box reads a typed name or number while no item is chosen.
    box.SetStyle(csDropDown);
    box.SetColorValue(own);
    EXPECT_EQ(box.Text(), "$00123456");
    box.SetText("navy");
    EXPECT_EQ(box.ColorValue(), clNavy);
    box.SetText("$0000FF");
    EXPECT_EQ(box.ColorValue(), clRed);
    box.SetText("no colour");
    EXPECT_EQ(box.ColorValue(), own);
}

TEST_F(KitCombosTest, SwatchesWithAndWithoutNames)
{
    TColorComboBox box(nullptr);
    box.SetDisplayNames(false);
    QImage item = DrawnItem(box, 9, 79, 16);
    QRgb frame = ToQColor(clWindowText).rgb();
    EXPECT_EQ(item.pixel(2, 8), frame);
    EXPECT_EQ(item.pixel(79 - 4, 8), frame);
    EXPECT_EQ(item.pixel(40, 8), qRgb(255, 0, 0));
    EXPECT_EQ(item.pixel(79 - 2, 8), ToQColor(clWindow).rgb());

    box.SetDisplayNames(true);
    item = DrawnItem(box, 9, 120, 16);
    EXPECT_EQ(item.pixel(23, 8), frame);
    EXPECT_EQ(item.pixel(10, 8), qRgb(255, 0, 0));
    bool text = false;
    for (int x = 28; x < 120; ++x)
        for (int y = 0; y < 16; ++y)
            text = text || item.pixel(x, y) != ToQColor(clWindow).rgb();
    EXPECT_TRUE(text);

    EXPECT_EQ(box.ItemHeight(), QFontMetrics(box.Font()->ToQFont()).height() + 1);
    box.Font()->SetHeight(-3);
    EXPECT_EQ(box.ItemHeight(), 9);
}

TEST_F(KitCombosTest, TheSimpleStyleShowsItsListUnderTheEdit)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    TColorComboBox box(&form);
    box.SetParent(&form);
    box.SetStyle(csSimple);
    box.SetBounds(10, 10, 120, 200);
    int changes = 0;
    box.OnChange = [&](TObject*) { ++changes; };
    form.Show();
    Flush();

    EXPECT_EQ(box.Style(), csSimple);
    EXPECT_EQ(box.Height(), 200);
    auto* combo = static_cast<QComboBox*>(box.Widget());
    QListView* list = combo->findChild<QListView*>("SimpleList");
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    ASSERT_NE(combo->lineEdit(), nullptr);
    // The edit stands at the top at its usual height and the list fills the rest.
    EXPECT_EQ(combo->lineEdit()->geometry().top(), 0);
    EXPECT_LT(combo->lineEdit()->height(), 40);
    EXPECT_GE(list->geometry().top(), combo->lineEdit()->geometry().bottom());
    EXPECT_EQ(list->geometry().bottom(), combo->height() - 1);
    EXPECT_EQ(list->model()->rowCount(), 16);
    // The list never drops down: it is shown already.
    combo->showPopup();
    EXPECT_FALSE(combo->view()->isVisible());

    // A click in the list chooses the colour.
    QRect navy = list->visualRect(list->model()->index(4, 0));
    QPoint at = navy.center();
    QMouseEvent press(QEvent::MouseButtonPress, at, list->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, list->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &press);
    QApplication::sendEvent(list->viewport(), &release);
    EXPECT_EQ(box.ColorValue(), clNavy);
    EXPECT_EQ(box.Text(), "Navy");
    EXPECT_EQ(changes, 1);

    // Code that chooses a colour moves the list's choice along.
    box.SetColorValue(clRed);
    EXPECT_EQ(list->currentIndex().row(), 9);
    EXPECT_EQ(box.Text(), "Red");
    Flush();
    EXPECT_EQ(combo->lineEdit()->geometry().top(), 0);
    EXPECT_EQ(combo->lineEdit()->width(), combo->width());
}
