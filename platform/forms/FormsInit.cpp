#include "platform/forms/FormsInit.h"
#include <QApplication>
#include <QKeyEvent>
#include <memory>
#include <unordered_set>
#include "platform/messages/Application.h"
#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormsStyle.h"
#include "platform/forms/HandOn.h"
#include "platform/forms/MainMenu.h"
#include "platform/forms/PaletteColors.h"
#include "platform/forms/PopupMenu.h"

namespace {

// Moves the focus on as Tab does within the window (or MDI child) that holds `widget`. Qt keeps
// that move a protected member of the widget; a pointer to it, named through a class of our own,
// reaches it.
void MoveFocusOn(QWidget* widget, bool next)
{
    struct FocusWalker : QWidget {
        static void Move(QWidget* area, bool next) { (area->*&FocusWalker::focusNextPrevChild)(next); }
    };
    QWidget* area = widget;
    while (!area->isWindow() && area->windowType() != Qt::SubWindow && area->parentWidget())
        area = area->parentWidget();
    FocusWalker::Move(area, next);
}

// Keys reach program code in the class library's order: the pop-up menus of the focused control
// and its parents, then the form's main menu (shortcuts), then Tab and Shift+Tab, which move the
// focus unless the control takes tabs, then the form's OnKeyDown when it previews keys, then the
// control's own OnKeyDown and OnKeyPress, then Enter and Escape for the default and cancel
// buttons. Anything left goes on to the Qt widget.
class KeyRouter : public QObject {
public:
    explicit KeyRouter(QObject* parent) : QObject(parent) {}
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !receiver->isWidgetType())
            return false;
        if (IsHandedOn(event) || FResent.count(event) || IsInputToDisabledWidget(receiver, event))
            return false;
        TControl* control = TControl::FromWidget(receiver);
        TForm* form = TForm::FormOf(receiver);
        if (!control || !form)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        bool ranHandler = false;
        bool consumed = false;
        Dispatch([&] { consumed = Route(receiver, control, form, *key, ranHandler); });
        if (consumed) {
            event->accept();
            return true;
        }
        if (!ranHandler)
            return false;
        // A handler ran and let the key pass: hand a copy on, so that the key's way up through
        // the parents does not run the handlers a second time.
        // Only this router skips the copy; the widgets' own filters see it as a fresh key.
        std::unique_ptr<QEvent> copy(event->clone());
        FResent.insert(copy.get());
        QApplication::sendEvent(receiver, copy.get());
        FResent.erase(copy.get());
        // Accepted, or Qt would carry the original on to the parents and route it again.
        event->accept();
        return true;
    }

private:
    static bool Route(QObject* receiver, TControl* control, TForm* form, const QKeyEvent& event, bool& ranHandler)
    {
        WORD vk = VirtualKeyOf(event);
        TShiftState shift = ShiftStateOf(event);
        if (vk != 0 && MenuTakesShortCut(control, form, ShortCut(vk, shift)))
            return true;
        auto* winControl = dynamic_cast<TWinControl*>(control);
        if (IsDialogTab(winControl, event)) {
            // Used up even where nothing else takes the focus, as a dialog key is.
            const bool next = event.key() == Qt::Key_Tab && !event.modifiers().testFlag(Qt::ShiftModifier);
            MoveFocusOn(static_cast<QWidget*>(receiver), next);
            return true;
        }
        if (vk != 0) {
            WORD key = vk;
            if (form != control && form->KeyPreview && form->OnKeyDown) {
                ranHandler = true;
                form->OnKeyDown(form, key, shift);
                if (key == 0)
                    return true;
            }
            if (winControl && winControl->OnKeyDown) {
                ranHandler = true;
                winControl->OnKeyDown(winControl, key, shift);
                if (key == 0)
                    return true;
            }
        }
        if (PressTakesChar(control, form, event, ranHandler))
            return true;
        return vk != 0 && DialogKey(control, form, vk, shift, ranHandler);
    }

    // Tab or Shift+Tab (Ctrl and Alt keep theirs) to a control that leaves tabs to the form.
    static bool IsDialogTab(TWinControl* control, const QKeyEvent& event)
    {
        if (event.key() != Qt::Key_Tab && event.key() != Qt::Key_Backtab)
            return false;
        if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        return !control || !control->WantsSpecialKey(VK_TAB);
    }

    static bool MenuTakesShortCut(TControl* control, TForm* form, TShortCut shortCut)
    {
        if (shortCut == 0)
            return false;
        for (TControl* c = control; c; c = c->Parent())
            if (c->PopupMenu() && c->PopupMenu()->IsShortCut(shortCut))
                return true;
        return form->Menu() && form->Menu()->IsShortCut(shortCut);
    }

    static bool PressTakesChar(TControl* control, TForm* form, const QKeyEvent& event, bool& ranHandler)
    {
        QString text = event.text();
        if (text.size() != 1 || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        char c = cp1252::FromUnicode(text.at(0).unicode());
        auto* winControl = dynamic_cast<TWinControl*>(control);
        if (form != control && form->KeyPreview && form->OnKeyPress) {
            ranHandler = true;
            form->OnKeyPress(form, c);
            if (c == 0)
                return true;
        }
        if (winControl && winControl->OnKeyPress) {
            ranHandler = true;
            winControl->OnKeyPress(winControl, c);
            if (c == 0)
                return true;
        }
        return false;
    }

    static TButton* FindButton(TWinControl* parent, bool wantDefault)
    {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* child = parent->Controls(i);
            if (auto* button = dynamic_cast<TButton*>(child))
                if ((wantDefault ? button->Default() : button->Cancel()) && button->Showing() && button->Enabled())
                    return button;
            if (auto* container = dynamic_cast<TWinControl*>(child))
                if (TButton* found = FindButton(container, wantDefault))
                    return found;
        }
        return nullptr;
    }

    static bool DialogKey(TControl* control, TForm* form, WORD vk, TShiftState shift, bool& ranHandler)
    {
        if (!shift.Empty() || (vk != VK_RETURN && vk != VK_ESCAPE))
            return false;
        if (auto* winControl = dynamic_cast<TWinControl*>(control); winControl && winControl->WantsSpecialKey(vk))
            return false;
        TButton* button = nullptr;
        if (vk == VK_RETURN)
            button = dynamic_cast<TButton*>(control);
        if (!button)
            button = FindButton(form, vk == VK_RETURN);
        if (!button)
            return false;
        ranHandler = true;
        button->Click();
        return true;
    }
    std::unordered_set<const QEvent*> FResent;
};

} // namespace

void EnsureFormsInitialized()
{
    static bool done = false;
    if (done || !qApp)
        return;
    done = true;
    InstallFormsStyle();
    InstallPaletteColors();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    qApp->installEventFilter(new KeyRouter(qApp));
}
