// Multi-document forms: the main form's client area and the children that live in it.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include "FormsFixture.h"
#include "platform/core/Exceptions.h"
#include "platform/forms/Form.h"
#include "platform/forms/Panel.h"

namespace {

class MDIFormTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        App.CreateForm(Main);
        Main->SetBounds(0, 0, 640, 480);
        Main->SetFormStyle(fsMDIForm);
        auto* bar = new TPanel(Main);
        bar->SetParent(Main);
        bar->SetHeight(30);
        bar->SetAlign(alTop);
        Main->Show();
        Flush();
    }
    TForm* MakeChild()
    {
        auto* child = new TForm(&App);
        child->SetFormStyle(fsMDIChild);
        child->SetBounds(20, 30, 200, 150);
        return child;
    }
    TForm* Main = nullptr;
};

} // namespace

TEST_F(MDIFormTest, AChildLivesInTheMainFormsClientAreaBesideItsAlignedControls)
{
    QMdiArea* client = Main->MDIClient();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->geometry(), QRect(0, 30, Main->ClientWidth(), Main->ClientHeight() - 30))
        << "the client area is what the tool bar leaves free";

    TForm* child = MakeChild();
    int shows = 0, hides = 0;
    child->OnShow = [&](TObject*) { ++shows; };
    child->OnHide = [&](TObject*) { ++hides; };
    child->Show();
    Flush();
    ASSERT_NE(child->MDIFrame(), nullptr);
    EXPECT_EQ(client->subWindowList(), QList<QMdiSubWindow*>{child->MDIFrame()});
    EXPECT_EQ(child->Widget()->window(), Main->Widget()) << "no window of its own";
    EXPECT_EQ(child->MDIFrame()->geometry(), QRect(20, 30, 200, 150)) << "bounds within the client area";
    EXPECT_EQ(child->BoundsRect(), Bounds(20, 30, 200, 150));
    EXPECT_TRUE(child->Active());

    child->SetWindowState(wsMinimized);
    Flush();
    child->SetWindowState(wsNormal);
    Main->Hide();
    Main->Show();
    Flush();
    EXPECT_EQ(shows, 1) << "minimising the child or hiding its parent does not show it again";
    EXPECT_EQ(hides, 0);
    EXPECT_EQ(child->BoundsRect(), Bounds(20, 30, 200, 150));

    child->Close();
    Flush();
    EXPECT_EQ(child->WindowState(), wsMinimized) << "a child closes to its minimised frame";
    EXPECT_EQ(hides, 0);
    child->Hide();
    EXPECT_EQ(hides, 1);
    EXPECT_FALSE(child->MDIFrame()->isVisible());
    delete child;
    EXPECT_TRUE(client->subWindowList().isEmpty()) << "the frame goes with the form";
}

TEST_F(MDIFormTest, AChildNeedsAnMDIMainForm)
{
    Main->SetFormStyle(fsNormal);
    EXPECT_EQ(Main->MDIClient(), nullptr);
    TForm child(nullptr);
    EXPECT_THROW(child.SetFormStyle(fsMDIChild), EInvalidOperation);
    EXPECT_EQ(child.FormStyle(), fsNormal);
    EXPECT_TRUE(child.Widget()->isWindow());
}

TEST_F(MDIFormTest, StateActsOnTheFrameAndTheNormalBoundsAreKept)
{
    TForm* child = MakeChild();
    child->Show();
    Flush();
    QMdiSubWindow* frame = child->MDIFrame();

    child->SetWindowState(wsMaximized);
    Flush();
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_EQ(child->WindowState(), wsMaximized);
    EXPECT_EQ(frame->size(), Main->MDIClient()->viewport()->size()) << "it fills the client area";
    EXPECT_EQ(child->NormalBoundsRect(), Bounds(20, 30, 200, 150));

    child->SetWindowState(wsMinimized);
    Flush();
    EXPECT_TRUE(frame->isMinimized());
    EXPECT_EQ(child->WindowState(), wsMinimized);
    EXPECT_EQ(child->NormalBoundsRect(), Bounds(20, 30, 200, 150));
    child->SetWindowState(wsNormal);
    Flush();
    EXPECT_EQ(child->WindowState(), wsNormal);
    EXPECT_EQ(child->BoundsRect(), Bounds(20, 30, 200, 150));

    // Moved by the user, the child returns there.
    frame->move(60, 70);
    child->SetWindowState(wsMaximized);
    child->SetWindowState(wsNormal);
    Flush();
    EXPECT_EQ(child->BoundsRect(), Bounds(60, 70, 200, 150));

    // Hidden minimised, it shows minimised.
    child->SetWindowState(wsMinimized);
    child->Hide();
    EXPECT_FALSE(frame->isVisible());
    child->Show();
    Flush();
    EXPECT_TRUE(frame->isMinimized());
    EXPECT_FALSE(child->Widget()->isVisible()) << "a minimised frame shows no contents";
    child->SetWindowState(wsNormal);
    Flush();
    EXPECT_TRUE(child->Widget()->isVisible());
}

TEST_F(MDIFormTest, AMaximisedChildRestoresToItsBoundsAfterTheMainFormWasResized)
{
    TForm* child = MakeChild();
    child->Show();
    Flush();
    child->SetWindowState(wsMaximized);
    Flush();
    Main->SetBounds(0, 0, 800, 600);
    Flush();
    EXPECT_EQ(child->MDIFrame()->size(), Main->MDIClient()->viewport()->size()) << "it still fills the client area";
    EXPECT_EQ(child->WindowState(), wsMaximized);
    EXPECT_EQ(child->NormalBoundsRect(), Bounds(20, 30, 200, 150));
    child->SetWindowState(wsNormal);
    Flush();
    EXPECT_EQ(child->BoundsRect(), Bounds(20, 30, 200, 150));
}

TEST_F(MDIFormTest, AMinimisedChildLiesWhereItsMinimisedPositionSays)
{
    TForm* child = MakeChild();
    child->Show();
    Flush();
    EXPECT_EQ(child->MinimizedPosition().X, -1) << "never minimised, the client area chooses";
    child->SetMinimizedPosition(Point(150, 200));
    child->SetWindowState(wsMinimized);
    Flush();
    EXPECT_EQ(child->MDIFrame()->pos(), QPoint(150, 200));
    child->SetWindowState(wsNormal);
    Flush();
    EXPECT_EQ(child->BoundsRect(), Bounds(20, 30, 200, 150));

    // Moved while minimised, it comes back to the new place.
    child->SetWindowState(wsMinimized);
    child->MDIFrame()->move(100, 120);
    child->SetWindowState(wsNormal);
    child->SetWindowState(wsMinimized);
    Flush();
    EXPECT_EQ(child->MDIFrame()->pos(), QPoint(100, 120));
    EXPECT_EQ(child->MinimizedPosition().X, 100);
    EXPECT_EQ(child->MinimizedPosition().Y, 120);
}

// A child placed far outside the client area (a damaged settings file) can still be reached, and
// one whose main form went first is freed without harm.
TEST_F(MDIFormTest, AChildFarAwayIsReachedByScrollingAndOutlivesItsMainForm)
{
    TForm* child = MakeChild();
    child->SetBounds(5000, 4000, 200, 150);
    child->Show();
    Flush();
    QMdiArea* client = Main->MDIClient();
    EXPECT_GT(client->horizontalScrollBar()->maximum(), 4000);
    EXPECT_GT(client->verticalScrollBar()->maximum(), 3000);

    delete Main;
    Main = nullptr;
    Flush();
    EXPECT_EQ(child->MDIFrame(), nullptr);
    delete child;
}
