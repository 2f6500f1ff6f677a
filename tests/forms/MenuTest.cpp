#include <QAction>
#include <QKeyEvent>
#include <map>
#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QProxyStyle>
#include <QToolButton>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <utility>
#include <vector>
#include "FormsFixture.h"
#include "Input.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormsInit.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/MainMenu.h"
#include "platform/forms/PopupMenu.h"
#include "platform/forms/QtText.h"

namespace {

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const AnsiString& caption, TShortCut shortCut = 0)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    parent->Add(item);
    return item;
}

} // namespace

TEST(ShortCuts, UseTheClassLibraryEncoding)
{
    EXPECT_EQ(ShortCut(VK_F12, {}), 123);
    EXPECT_EQ(ShortCut(VK_DELETE, {}), 46);
    EXPECT_EQ(ShortCut(VK_INSERT, {ssShift}), 8237);
    EXPECT_EQ(ShortCut(VK_INSERT, {ssCtrl}), 16429);
    EXPECT_EQ(ShortCut('T', {ssCtrl}), 16468);
    EXPECT_EQ(ShortCutToText(ShortCut('C', {ssCtrl})), "Ctrl+C");
    EXPECT_EQ(ShortCutToText(8237), "Shift+Ins");
    EXPECT_EQ(ShortCutToText(VK_F7), "F7");
    EXPECT_EQ(ShortCutToText(VK_DELETE), "Del");
}

// Every key code from 0 to 255 by its number: the name a menu shows beside its caption, and
// nothing for the keys that have no name.
TEST(ShortCuts, EveryKeyCodeShowsItsName)
{
    std::map<int, AnsiString> names = {
        {8, "BkSp"},    {9, "Tab"},     {13, "Enter"},  {27, "Esc"},      {32, "Space"},  {33, "PgUp"},
        {34, "PgDn"},   {35, "End"},    {36, "Home"},   {37, "Left"},     {38, "Up"},     {39, "Right"},
        {40, "Down"},   {45, "Ins"},    {46, "Del"},    {106, "Num *"},   {107, "Num +"}, {109, "Num -"},
        {110, "Num Del"}, {111, "Num /"}, {187, "+"},   {188, ","},       {189, "-"},     {190, "."},
    };
    for (int i = 0; i < 10; ++i) {
        names[48 + i] = AnsiString(1, static_cast<char>('0' + i));
        names[96 + i] = "Num " + std::to_string(i);
    }
    for (int i = 0; i < 26; ++i)
        names[65 + i] = AnsiString(1, static_cast<char>('A' + i));
    for (int i = 0; i < 24; ++i)
        names[112 + i] = "F" + std::to_string(i + 1);
    for (int code = 0; code <= 255; ++code) {
        const auto found = names.find(code);
        EXPECT_EQ(ShortCutToText(static_cast<TShortCut>(code)), found == names.end() ? AnsiString() : found->second)
            << "key " << code;
    }
}

// The key code of every key the toolkit reports, the keypad's own keys apart.
TEST(ShortCuts, EveryToolkitKeyHasItsKeyCode)
{
    const auto code = [](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        return static_cast<int>(VirtualKeyOf(QKeyEvent(QEvent::KeyPress, key, modifiers)));
    };
    const std::pair<int, int> keys[] = {
        {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},     {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},    {Qt::Key_Alt, 18},
        {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},     {Qt::Key_Space, 32},
        {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},        {Qt::Key_Home, 36},
        {Qt::Key_Left, 37},     {Qt::Key_Up, 38},       {Qt::Key_Right, 39},      {Qt::Key_Down, 40},
        {Qt::Key_Print, 44},    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},     {Qt::Key_Menu, 93},
        {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145}, {Qt::Key_Plus, 187},   {Qt::Key_Comma, 188},
        {Qt::Key_Minus, 189},   {Qt::Key_Period, 190},  {Qt::Key_A, 65},          {Qt::Key_Z, 90},
        {Qt::Key_0, 48},        {Qt::Key_9, 57},        {Qt::Key_F1, 112},        {Qt::Key_F24, 135},
        {Qt::Key_Asterisk, 0},  {Qt::Key_Slash, 0},     {Qt::Key_Semicolon, 0},
    };
    for (const auto& [key, expected] : keys)
        EXPECT_EQ(code(key), expected) << "toolkit key 0x" << std::hex << key;
    const std::pair<int, int> keypad[] = {
        {Qt::Key_0, 96},       {Qt::Key_5, 101},      {Qt::Key_9, 105},    {Qt::Key_Asterisk, 106},
        {Qt::Key_Plus, 107},   {Qt::Key_Minus, 109},  {Qt::Key_Period, 110}, {Qt::Key_Comma, 110},
        {Qt::Key_Slash, 111},  {Qt::Key_Enter, 13},   {Qt::Key_Home, 36},
    };
    for (const auto& [key, expected] : keypad)
        EXPECT_EQ(code(key, Qt::KeypadModifier), expected) << "keypad key 0x" << std::hex << key;
}

TEST_F(FormsTest, MenuShortcutsComeBeforeKeyPreview)
{
    TForm form(nullptr);
    auto* menu = new TMainMenu(&form);
    TMenuItem* file = AddItem(&form, menu->Items(), "Tietojen &haku");
    int fetches = 0;
    AddItem(&form, file, "Hae ohjelmatiedot", VK_F7)->OnClick = [&](TObject*) { ++fetches; };
    form.SetMenu(menu);

    auto* list = new TListBox(&form);
    list->SetParent(&form);
    auto* popup = new TPopupMenu(&form);
    int deletes = 0;
    TMenuItem* del = AddItem(&form, popup->Items(), "Poista", VK_DELETE);
    del->OnClick = [&](TObject*) { ++deletes; };
    list->SetPopupMenu(popup);

    std::vector<WORD> previewed;
    form.KeyPreview = true;
    form.OnKeyDown = [&](TObject*, WORD& key, TShiftState) { previewed.push_back(key); };
    form.Show();

    QWidget* target = list->Widget();
    PressKey(target, Qt::Key_F7);
    PressKey(target, Qt::Key_Delete);
    PressKey(target, Qt::Key_F9);
    PressKey(target, Qt::Key_Asterisk, Qt::KeypadModifier, "*");
    EXPECT_EQ(fetches, 1);
    EXPECT_EQ(deletes, 1);
    EXPECT_EQ(previewed, (std::vector<WORD>{VK_F9, VK_MULTIPLY}));

    // A disabled item still takes its key, as the class library's menus do, but does nothing.
    del->SetEnabled(false);
    PressKey(target, Qt::Key_Delete);
    EXPECT_EQ(deletes, 1);
    EXPECT_EQ(previewed.size(), 2u);
}

TEST_F(FormsTest, RadioItemsAndCheckMarksAreTheProgramsToSet)
{
    TMenuItem root(nullptr);
    TMenuItem* normal = AddItem(nullptr, &root, "&Normaali");
    AddItem(nullptr, &root, "-");
    TMenuItem* alarms = AddItem(nullptr, &root, "Hälytykset"_a);
    for (TMenuItem* item : {normal, alarms})
        item->SetRadioItem(true);
    normal->SetChecked(true);
    alarms->SetChecked(true);
    EXPECT_FALSE(normal->Checked());
    EXPECT_TRUE(root.Items(1)->IsLine());

    int clicks = 0;
    normal->OnClick = [&](TObject*) { ++clicks; };
    normal->Action()->trigger();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(normal->Checked());
    EXPECT_FALSE(normal->Action()->isChecked());

    normal->SetEnabled(false);
    normal->Click();
    EXPECT_EQ(clicks, 1);

    root.Delete(0);
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(normal->Parent(), nullptr);
    root.Insert(0, normal);
    EXPECT_EQ(root.Items(0), normal);
    delete normal;
    EXPECT_EQ(root.Count(), 2);
}

TEST_F(FormsTest, CaptionsShowTabbedDatesAndShortcutText)
{
    TMenuItem day(nullptr);
    day.SetCaption("Keskiviikko\t11.2.2026");
    EXPECT_EQ(FromQString(day.Action()->text()), "Keskiviikko\t11.2.2026");
    TMenuItem fetch(nullptr);
    fetch.SetCaption("Hae ohjelmatiedot");
    fetch.SetShortCut(VK_F7);
    EXPECT_EQ(FromQString(fetch.Action()->text()), "Hae ohjelmatiedot\tF7");
}

TEST_F(FormsTest, ItemsAddedLaterShowInTheMenuBarAndSubMenus)
{
    TForm form(nullptr);
    auto* menu = new TMainMenu(&form);
    TMenuItem* views = AddItem(&form, menu->Items(), "Näkymä"_a);
    form.SetMenu(menu);
    auto* bar = form.Widget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    AddItem(&form, menu->Items(), "&Ohjeet");
    EXPECT_EQ(bar->actions().size(), 2);
    TMenuItem* view = AddItem(&form, views, "Omat");
    EXPECT_EQ(views->SubMenu()->actions().size(), 1);
    delete view;
    EXPECT_EQ(views->SubMenu()->actions().size(), 0);
    EXPECT_EQ(views->Count(), 0);
    form.Show();
    Flush();
    EXPECT_GE(form.Height() - form.ClientHeight(), bar->height()); // the bar takes room from the client area
    EXPECT_GT(bar->height(), 0);
}

// A line item draws as Qt's own separator does: no "-" beside the line, whatever order the
// caption and shortcut come in or whatever the item showed before. Qt's menu is made after the
// forms layer has set the application's style and font, as every menu of the program is.
TEST_F(FormsTest, LineItemsAreSeparatorsOnly)
{
    EnsureFormsInitialized();
    QMenu plain;
    plain.addAction("Maanantai");
    plain.addSeparator();
    plain.addAction("Tiistai");

    TMenuItem root(nullptr);
    AddItem(&root, &root, "Maanantai");
    TMenuItem* line = AddItem(&root, &root, "Tiistai", VK_F7);
    line->SetCaption("-");
    AddItem(&root, &root, "Tiistai");
    EXPECT_TRUE(line->IsLine());
    EXPECT_TRUE(line->Action()->isSeparator());

    QMenu* ours = root.SubMenu();
    ours->ensurePolished();
    plain.ensurePolished();
    ASSERT_EQ(ours->sizeHint(), plain.sizeHint());
    ours->resize(ours->sizeHint());
    plain.resize(plain.sizeHint());
    EXPECT_EQ(ours->grab().toImage(), plain.grab().toImage());

    line->SetCaption("Keskiviikko");
    EXPECT_FALSE(line->Action()->isSeparator());
    EXPECT_EQ(FromQString(line->Action()->text()), "Keskiviikko\tF7");
}

// The menu bar's overflow button shows the style's own picture, at every size it is drawn at,
// however late the picture is first asked for.
TEST_F(FormsTest, MenuBarOverflowButtonShowsTheStylesPicture)
{
    EnsureFormsInitialized();
    TForm form(nullptr);
    auto* menu = new TMainMenu(&form);
    AddItem(&form, menu->Items(), "Näkymä"_a);
    form.SetMenu(menu);
    auto* bar = form.Widget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    auto* overflow = bar->findChild<QToolButton*>();
    ASSERT_NE(overflow, nullptr);
    const QIcon shown = overflow->icon();
    auto* formsStyle = qobject_cast<QProxyStyle*>(QApplication::style());
    ASSERT_NE(formsStyle, nullptr);
    const QIcon own = formsStyle->baseStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    ASSERT_FALSE(own.isNull());
    EXPECT_FALSE(shown.isNull());
    EXPECT_EQ(shown.availableSizes(), own.availableSizes());
    for (const int side : {12, 16, 24, 32}) {
        EXPECT_EQ(shown.actualSize(QSize(side, side)), own.actualSize(QSize(side, side))) << side;
        EXPECT_EQ(shown.pixmap(side, side).toImage(), own.pixmap(side, side).toImage()) << side;
        EXPECT_EQ(shown.pixmap(QSize(side, side), 2.0).toImage(), own.pixmap(QSize(side, side), 2.0).toImage()) << side;
    }
    QImage drawn(32, 32, QImage::Format_ARGB32_Premultiplied), expected = drawn;
    drawn.fill(Qt::transparent);
    expected.fill(Qt::transparent);
    {
        QPainter painter(&drawn);
        shown.paint(&painter, QRect(4, 4, 24, 24), Qt::AlignCenter, QIcon::Disabled);
    }
    {
        QPainter painter(&expected);
        own.paint(&painter, QRect(4, 4, 24, 24), Qt::AlignCenter, QIcon::Disabled);
    }
    EXPECT_EQ(drawn, expected);
}
