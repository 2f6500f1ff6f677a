#include "platform/forms/HotKey.h"
#include <QKeyEvent>
#include <QLineEdit>
#include "platform/forms/QtText.h"

namespace {

AnsiString ModifierText(TShiftState shift)
{
    AnsiString text;
    if (shift.Contains(ssCtrl))
        text += "Ctrl + ";
    if (shift.Contains(ssShift))
        text += "Shift + ";
    if (shift.Contains(ssAlt))
        text += "Alt + ";
    return text;
}

// The key's own name, as a menu would show it ("F12", "A", "Ins"); empty when it has none.
AnsiString KeyText(WORD key)
{
    return key == 0 ? AnsiString() : ShortCutToText(key);
}

AnsiString HotKeyText(TShortCut hotKey)
{
    WORD key = 0;
    TShiftState shift;
    ShortCutToKey(hotKey, key, shift);
    AnsiString name = KeyText(key);
    return name.empty() ? "Ei mitään"_a : ModifierText(shift) + name;
}

bool IsModifier(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
           || key == Qt::Key_AltGr;
}

} // namespace

// Keys never reach the line edit's own editing; the text is always the field's display. Qt
// gives a modifier key's press and release the modifiers as they are once the event is over.
class HotKeyLineEdit : public QLineEdit {
public:
    explicit HotKeyLineEdit(THotKey* owner) : FOwner(owner)
    {
        setContextMenuPolicy(Qt::NoContextMenu);
        setAcceptDrops(false);
        setDragEnabled(false);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        int key = event->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Tab
            || key == Qt::Key_Backtab) {
            event->ignore();
            return;
        }
        if (IsModifier(key))
            FOwner->ModifiersHeld(ShiftStateOf(*event));
        else
            FOwner->KeyPressed(VirtualKeyOf(*event), ShiftStateOf(*event));
    }
    void keyReleaseEvent(QKeyEvent* event) override
    {
        if (IsModifier(event->key()) && FOwner->FHotKey == 0)
            FOwner->ModifiersHeld(ShiftStateOf(*event));
    }
    void inputMethodEvent(QInputMethodEvent* event) override { event->ignore(); }

private:
    THotKey* FOwner;
};

THotKey::THotKey(TComponent* owner) : TWinControl(owner), FEdit(new HotKeyLineEdit(this))
{
    SetWidget(FEdit);
    SetColor(clWindow);
    FEdit->resize(121, 19);
    SetHotKey(0);
}

void THotKey::SetHotKey(TShortCut hotKey)
{
    WORD key = 0;
    TShiftState shift;
    ShortCutToKey(hotKey, key, shift);
    FHotKey = KeyText(key).empty() ? 0 : hotKey;
    FEdit->setText(ToQString(HotKeyText(FHotKey)));
    FEdit->setCursorPosition(FEdit->text().size());
}

// As the system's hot-key field: any key press starts a new combination.
void THotKey::KeyPressed(WORD key, TShiftState shift)
{
    if (key == VK_SPACE || key == VK_BACK || key == VK_DELETE)
        key = 0;
    SetHotKey(ShortCut(key, shift));
}

void THotKey::ModifiersHeld(TShiftState shift)
{
    FHotKey = 0;
    FEdit->setText(ToQString(shift.Empty() ? "Ei mitään"_a : ModifierText(shift)));
    FEdit->setCursorPosition(FEdit->text().size());
}
