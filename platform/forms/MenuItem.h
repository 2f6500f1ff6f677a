// TMenuItem: one command of a main or pop-up menu, or a sub-menu holding others. A caption "-"
// is a separator; '&' marks the access key; text after a tab shows at the right edge.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Component.h"
#include "platform/forms/KeyCodes.h"
#include <QPointer>
#include <QWidget>
#include <vector>

class QAction;
class QMenu;
class TMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut shortCut);
    bool Checked() const { return FChecked; }
    // Checking a radio item clears the others of its group under the same parent. No event.
    void SetChecked(bool checked);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool radioItem);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int groupIndex) { FGroupIndex = groupIndex; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    bool IsLine() const { return FCaption == "-"; }
    // The item a double click on the menu's owner chooses; it shows in bold.
    bool Default() const { return FDefault; }
    void SetDefault(bool value);

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(index); }
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out of this menu without freeing it (its owner frees it).
    void Delete(int index);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;
    // Frees every sub-item.
    void Clear();

    // Runs OnClick when the item is enabled; what choosing it in the menu does.
    virtual void Click();
    // The enabled, visible item here or below whose shortcut is `shortCut`, or nullptr.
    TMenuItem* FindShortCut(TShortCut shortCut);

    TNotifyEvent OnClick;

    QAction* Action() const { return FAction; }
    // The sub-menu of this item, made on first use.
    QMenu* SubMenu();
    // A menu bar that shows this item's sub-items as well (the root of a form's main menu).
    void SetMirror(QWidget* mirror);

private:
    void UpdateText();
    void Triggered();
    void MenuPopping();

    AnsiString FCaption;
    TShortCut FShortCut = 0;
    bool FChecked = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    QAction* FAction = nullptr;
    QMenu* FSubMenu = nullptr;
    QPointer<QWidget> FMirror;
};
