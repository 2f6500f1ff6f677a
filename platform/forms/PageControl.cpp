#include "platform/forms/PageControl.h"
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
    // Code that changes the page blocks the signals, so what arrives here is the user's choice.
    QObject::connect(FTabs->tabBar(), &QTabBar::currentChanged, [this](int) {
        if (OnChange && !FTabs->signalsBlocked())
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
    QSignalBlocker block(FTabs);
    QSignalBlocker blockBar(FTabs->tabBar());
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
        QSignalBlocker block(FTabs);
        QSignalBlocker blockBar(FTabs->tabBar());
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
    QSignalBlocker block(FTabs);
    QSignalBlocker blockBar(FTabs->tabBar());
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
