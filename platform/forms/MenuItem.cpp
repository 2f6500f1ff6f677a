#include "platform/forms/MenuItem.h"
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <algorithm>
#include "platform/messages/Application.h"
#include "platform/forms/FormsInit.h"
#include "platform/forms/Control.h"
#include "platform/forms/QtText.h"
#include "platform/forms/WindowQueries.h"

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner)
{
    EnsureFormsInitialized();
    FAction = new QAction();
    QObject::connect(FAction, &QAction::triggered, [this] { Triggered(); });
}

TMenuItem::~TMenuItem()
{
    Clear();
    if (FParent)
        FParent->Remove(this);
    delete FSubMenu;
    delete FAction;
}

void TMenuItem::SetCaption(const AnsiString& caption)
{
    FCaption = caption;
    FAction->setSeparator(IsLine());
    UpdateText();
}

void TMenuItem::SetShortCut(TShortCut shortCut)
{
    FShortCut = shortCut;
    UpdateText();
}

// Qt shows the text after a tab at the right edge, where the class library shows a shortcut; our
// own key routing runs the shortcuts, so Qt is never given them. A separator keeps no text: Qt's
// styles draw a separator's text beside its line.
void TMenuItem::UpdateText()
{
    if (IsLine()) {
        FAction->setText(QString());
        return;
    }
    QString text = ToQString(FCaption);
    if (FShortCut != 0 && !FCaption.empty() && FCaption.find('\t') == AnsiString::npos)
        text += '\t' + ToQString(ShortCutToText(FShortCut));
    FAction->setText(text);
}

void TMenuItem::SetChecked(bool checked)
{
    FChecked = checked;
    FAction->setCheckable(checked || FRadioItem);
    FAction->setChecked(checked);
    if (!checked || !FRadioItem || !FParent)
        return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex && sibling->FChecked)
            sibling->SetChecked(false);
}

void TMenuItem::SetRadioItem(bool radioItem)
{
    FRadioItem = radioItem;
    SetChecked(FChecked);
}

void TMenuItem::SetEnabled(bool enabled)
{
    FEnabled = enabled;
    FAction->setEnabled(enabled);
}

void TMenuItem::SetDefault(bool value)
{
    FDefault = value;
    QFont font = FAction->font();
    font.setBold(value);
    FAction->setFont(font);
}

void TMenuItem::SetVisible(bool visible)
{
    FVisible = visible;
    FAction->setVisible(visible);
}

int TMenuItem::MenuIndex() const
{
    return FParent ? FParent->IndexOf(this) : -1;
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

QMenu* TMenuItem::SubMenu()
{
    if (!FSubMenu) {
        FSubMenu = new QMenu();
        FAction->setMenu(FSubMenu);
        QObject::connect(FSubMenu, &QMenu::aboutToShow, [this] { Dispatch([this] { MenuPopping(); }); });
    }
    return FSubMenu;
}

// The window a menu belongs to hears of it before it shows, so that it can bring the menu up to
// date; a menu of no form's belongs to the window the user works in.
void TMenuItem::MenuPopping()
{
    QWidget* window = nullptr;
    for (const TMenuItem* item = this; item && !window; item = item->FParent)
        if (auto* control = dynamic_cast<TControl*>(item->Owner()); control && control->Widget())
            window = control->Widget()->window();
    if (!window)
        window = QApplication::activeWindow();
    if (!window)
        return;
    TMenuPopupQuery query(FSubMenu, std::max(0, MenuIndex()), false);
    QCoreApplication::sendEvent(window, &query);
}

void TMenuItem::SetMirror(QWidget* mirror)
{
    FMirror = mirror;
    if (!mirror)
        return;
    for (TMenuItem* item : FItems)
        mirror->addAction(item->FAction);
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this)
        return;
    if (item->FParent)
        item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    QAction* before = index < Count() ? FItems[index]->FAction : nullptr;
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    SubMenu()->insertAction(before, item->FAction);
    if (FMirror)
        FMirror->insertAction(before, item->FAction);
    if (item->FRadioItem && item->FChecked)
        item->SetChecked(true);
}

void TMenuItem::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    TMenuItem* item = FItems[index];
    FItems.erase(FItems.begin() + index);
    item->FParent = nullptr;
    if (FSubMenu)
        FSubMenu->removeAction(item->FAction);
    if (FMirror)
        FMirror->removeAction(item->FAction);
}

void TMenuItem::Remove(TMenuItem* item)
{
    Delete(IndexOf(item));
}

void TMenuItem::Clear()
{
    while (!FItems.empty())
        delete FItems.back();
}

void TMenuItem::Click()
{
    if (FEnabled && OnClick)
        OnClick(this);
}

void TMenuItem::Triggered()
{
    // Qt has already flipped a checkable action; the check mark is the program's to set.
    FAction->setChecked(FChecked);
    Dispatch([this] { Click(); });
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut)
{
    if (shortCut == 0 || !FVisible)
        return nullptr;
    for (TMenuItem* item : FItems) {
        if (item->FShortCut == shortCut && item->FVisible)
            return item;
        if (TMenuItem* found = item->FindShortCut(shortCut))
            return found;
    }
    return nullptr;
}
