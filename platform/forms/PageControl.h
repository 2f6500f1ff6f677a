// TPageControl with its TTabSheet pages. ActivePageIndex set from code raises no event; the
// user's choice of a tab raises OnChange.
#pragma once
#include "platform/forms/WinControl.h"
#include <vector>

class QTabWidget;
class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    AnsiString Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);
    TPageControl* PageControl() const { return FPageControl; }
    // Adds the sheet as the page control's last page and makes the page control its parent.
    void SetPageControl(TPageControl* pageControl);
    int PageIndex() const;

private:
    friend class TPageControl;
    AnsiString FCaption;
    TPageControl* FPageControl = nullptr;
};

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages.at(index); }
    int ActivePageIndex() const;
    // An index outside the pages is ignored.
    void SetActivePageIndex(int index);
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* page);

    TNotifyEvent OnChange;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    QTabWidget* FTabs;
    std::vector<TTabSheet*> FPages;
    bool FChangingFromCode = false;
};
