#include "platform/forms/PageControl.h"
#include <QScopedValueRollback>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include "platform/messages/Application.h"
#include "platform/forms/QtText.h"

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner)
{
    SetWidget(new QWidget());
}

TTabSheet::~TTabSheet()
{
    if (FPageControl)
        FPageControl->RemovePage(this);
}

void TTabSheet::SetCaption(const AnsiString& caption)
{
    FCaption = caption;
    if (FPageControl && FPageControl->Widget())
        FPageControl->FTabs->setTabText(PageIndex(), ToQString(caption));
}

void TTabSheet::SetPageControl(TPageControl* pageControl)
{
    if (pageControl == FPageControl)
        return;
    if (FPageControl)
        FPageControl->RemovePage(this);
    FPageControl = pageControl;
    // The page control is the sheet's parent, so the settings a control takes from its parent
    // reach the sheet and the fields on it; the tabs then take the sheet's window into their stack.
    SetParent(pageControl);
    if (pageControl)
        pageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl)
        return -1;
    auto it = std::find(FPageControl->FPages.begin(), FPageControl->FPages.end(), this);
    return it == FPageControl->FPages.end() ? -1 : static_cast<int>(it - FPageControl->FPages.begin());
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner), FTabs(new QTabWidget())
{
    SetWidget(FTabs);
    FTabs->resize(289, 193);
    // The tab bar's signal also turns the page stack, so it is never blocked: changes made by
    // code are told apart by a flag instead.
    QObject::connect(FTabs->tabBar(), &QTabBar::currentChanged, [this](int) {
        if (OnChange && !FChangingFromCode)
            Dispatch([this] { OnChange(this); });
    });
}

TPageControl::~TPageControl()
{
    for (TTabSheet* page : FPages)
        page->FPageControl = nullptr;
}

void TPageControl::InsertPage(TTabSheet* page)
{
    QScopedValueRollback changing(FChangingFromCode, true);
    FPages.push_back(page);
    FTabs->addTab(page->Widget(), ToQString(page->Caption()));
}

void TPageControl::RemovePage(TTabSheet* page)
{
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end())
        return;
    // The tabs may have gone already with their window.
    if (Widget() && page->Widget()) {
        QScopedValueRollback changing(FChangingFromCode, true);
        FTabs->removeTab(static_cast<int>(it - FPages.begin()));
    }
    FPages.erase(it);
}

int TPageControl::ActivePageIndex() const
{
    return FTabs->currentIndex();
}

void TPageControl::SetActivePageIndex(int index)
{
    if (index < 0 || index >= PageCount())
        return;
    QScopedValueRollback changing(FChangingFromCode, true);
    FTabs->setCurrentIndex(index);
}

TTabSheet* TPageControl::ActivePage() const
{
    int index = ActivePageIndex();
    return index >= 0 && index < PageCount() ? FPages[static_cast<std::size_t>(index)] : nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    SetActivePageIndex(page ? page->PageIndex() : -1);
}
