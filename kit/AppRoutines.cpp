#include "kit/AppRoutines.h"
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cxxabi.h>
#include <optional>
#include <cstdlib>
#include <typeinfo>
#include "kit/WordRoutines.h"
#include "platform/core/Files.h"
#include "platform/core/IniFile.h"
#include "platform/core/SysUtils.h"
#include "platform/messages/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/FrameFit.h"
#include "platform/forms/QtText.h"
#include "platform/forms/Screen.h"
#include "platform/forms/WhenWindowUp.h"

namespace {

AnsiString ExecutableName()
{
    QString path = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    AnsiString name = ExtractFileName(FromQString(path));
    return name.empty() ? AnsiString("qex") : name;
}

bool Quoted(const AnsiString& value)
{
    return value.size() >= 2 && ((value.front() == '"' && value.back() == '"') || (value.front() == '\'' && value.back() == '\''));
}

// The placement's storage object is any object, as its property is; only settings stores keep values.
TCustomIniFile* SettingsStore(TObject* storage)
{
    return dynamic_cast<TCustomIniFile*>(storage);
}

AnsiString Coordinates(int a, int b, int c, int d)
{
    return IntToStr(a) + "," + IntToStr(b) + "," + IntToStr(c) + "," + IntToStr(d);
}

// Coordinates far beyond any screen are cut at once, so that no sum of them overflows.
int WordOr(const AnsiString& text, int n, int def)
{
    int value = 0;
    return TryStrToInt(ExtractNthWord(n, text, " ,"), value) ? SaneCoordinate(value) : def;
}

// A window that is being shown learns the size of its frame only once it is up. Bounds and
// state are set at once, and again on the next turn of the loop, so that the frame bounds asked
// for are the ones the window has (and returns to from the maximised state). The state waits
// for the window manager to have the window up: asked for before, it would be lost.
// A minimised window that returns to the maximised state is maximised first.
void SetState(TForm* form, TWindowState state, bool restoreToMaximized)
{
    if (state == wsMinimized && restoreToMaximized)
        form->SetWindowState(wsMaximized);
    form->SetWindowState(state);
}

void ApplyOnceShown(TForm* form, const TRect* bounds, bool setState, TWindowState state, bool restoreToMaximized)
{
    if (bounds)
        form->SetBounds(bounds->Left, bounds->Top, bounds->Width(), bounds->Height());
    QWidget* window = form->Widget();
    bool settle = window && window->isVisible() && (bounds || (setState && state != wsNormal));
    if (!settle) {
        if (setState)
            SetState(form, state, restoreToMaximized);
        return;
    }
    QPointer<QWidget> alive = window;
    std::optional<TRect> again = bounds ? std::optional<TRect>(*bounds) : std::nullopt;
    QTimer::singleShot(0, window, [form, alive, again, setState, state, restoreToMaximized] {
        if (!alive)
            return;
        Dispatch([&] {
            if (again && form->WindowState() == wsNormal)
                form->SetBounds(again->Left, again->Top, again->Width(), again->Height());
        });
        if (setState)
            WhenWindowUp(alive, [form, alive, state, restoreToMaximized] {
                if (alive)
                    Dispatch([&] { SetState(form, state, restoreToMaximized); });
            });
    });
}

// An MDI child's frame lies in the client area, which places it at once: bounds and state are
// set directly, the bounds first, so that they are the ones a minimised or maximised child
// returns to.
void ApplyToMDIChild(TForm* form, const TRect* bounds, bool setState, TWindowState state)
{
    if (bounds)
        form->SetBounds(bounds->Left, bounds->Top, bounds->Width(), bounds->Height());
    if (setState)
        form->SetWindowState(state);
}

} // namespace

AnsiString ClassNameOf(const TObject* object)
{
    if (!object)
        return AnsiString();
    const char* mangled = typeid(*object).name();
    int status = 0;
    char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    AnsiString name = status == 0 && plain ? plain : mangled;
    std::free(plain);
    std::size_t colon = name.rfind("::");
    return colon == AnsiString::npos ? name : name.substr(colon + 2);
}

AnsiString DefaultPlacementSection(const TComponent* component)
{
    if (!component)
        return AnsiString();
    if (dynamic_cast<const TForm*>(component))
        return ClassNameOf(component);
    if (auto* control = dynamic_cast<const TControl*>(component)) {
        for (const TControl* parent = control->Parent(); parent; parent = parent->Parent())
            if (auto* form = dynamic_cast<const TForm*>(parent))
                return ClassNameOf(form) + control->Name();
        return control->Parent() ? control->Parent()->Name() + control->Name() : control->Name();
    }
    if (auto* form = dynamic_cast<const TForm*>(component->Owner()))
        return ClassNameOf(form) + "." + component->Name();
    return component->Name();
}

AnsiString DefaultIniFileName()
{
    return ChangeFileExt(ExecutableName(), ".INI");
}

AnsiString DefaultRegistryKey()
{
    return "Software\\" + ChangeFileExt(ExecutableName(), "");
}

AnsiString StorageReadString(TObject* storage, const AnsiString& section, const AnsiString& key, const AnsiString& def)
{
    auto* store = SettingsStore(storage);
    return store ? store->ReadString(section, key, def) : def;
}

void StorageWriteString(TObject* storage, const AnsiString& section, const AnsiString& key, const AnsiString& value)
{
    auto* store = SettingsStore(storage);
    if (!store)
        return;
    // Only the private-profile format loses a pair of quotes on the way back.
    const bool losesQuotes = dynamic_cast<TIniFile*>(store) && Quoted(value);
    store->WriteString(section, key, losesQuotes ? '"' + value + '"' : value);
}

int StorageReadInteger(TObject* storage, const AnsiString& section, const AnsiString& key, int def)
{
    auto* store = SettingsStore(storage);
    return store ? store->ReadInteger(section, key, def) : def;
}

void StorageWriteInteger(TObject* storage, const AnsiString& section, const AnsiString& key, int value)
{
    if (auto* store = SettingsStore(storage))
        store->WriteInteger(section, key, value);
}

void StorageEraseSection(TObject* storage, const AnsiString& section)
{
    if (auto* store = SettingsStore(storage))
        store->EraseSection(section);
}

AnsiString ScreenSizeSuffix()
{
    return "(" + IntToStr(Screen->Width()) + "x" + IntToStr(Screen->Height()) + ")";
}

AnsiString ReadScreenDependentString(TObject* storage, const AnsiString& section, const AnsiString& key)
{
    AnsiString value = StorageReadString(storage, section, key + ScreenSizeSuffix(), "");
    return value.empty() ? StorageReadString(storage, section, key, "") : value;
}

void WriteScreenDependentString(TObject* storage, const AnsiString& section, const AnsiString& key, const AnsiString& value)
{
    StorageWriteString(storage, section, key + ScreenSizeSuffix(), value);
    StorageWriteString(storage, section, key, value);
}

int ScreenPixelsPerInch()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(screen->logicalDotsPerInch() + 0.5) : 96;
}

TWindowPlacementRecord GetWindowPlacement(TForm* form)
{
    TWindowPlacementRecord placement;
    switch (form->WindowState()) {
    case wsMinimized: placement.ShowCmd = SW_SHOWMINIMIZED; break;
    case wsMaximized: placement.ShowCmd = SW_SHOWMAXIMIZED; break;
    default: placement.ShowCmd = SW_SHOWNORMAL; break;
    }
    QWidget* window = form->Widget();
    if (window && window->isMinimized() && window->isMaximized())
        placement.Flags |= WPF_RESTORETOMAXIMIZED;
    placement.MinPosition = form->MinimizedPosition();
    placement.NormalPosition = form->NormalBoundsRect();
    return placement;
}

void WriteWindowPlacement(const TWindowPlacementRecord& placement, TObject* storage, const AnsiString& section)
{
    StorageWriteInteger(storage, section, "Flags", placement.Flags);
    StorageWriteInteger(storage, section, "ShowCmd", placement.ShowCmd);
    StorageWriteInteger(storage, section, "PixelsPerInch", ScreenPixelsPerInch());
    WriteScreenDependentString(storage, section, "MinMaxPos",
                               Coordinates(placement.MinPosition.X, placement.MinPosition.Y, placement.MaxPosition.X,
                                           placement.MaxPosition.Y));
    const TRect& normal = placement.NormalPosition;
    WriteScreenDependentString(storage, section, "NormPos", Coordinates(normal.Left, normal.Top, normal.Right, normal.Bottom));
}

TWindowPlacementRecord PlacementToSave(TForm* form)
{
    TWindowPlacementRecord placement = GetWindowPlacement(form);
    if (Application && Application->MainForm() == form && form->WindowState() == wsMinimized)
        placement.ShowCmd = SW_SHOWMINIMIZED;
    if (form->FormStyle() == fsMDIChild && form->WindowState() == wsMinimized)
        placement.Flags |= WPF_SETMINPOSITION;
    return placement;
}

void SaveWindowPlacement(TForm* form, TObject* storage, const AnsiString& section)
{
    WriteWindowPlacement(PlacementToSave(form), storage, section);
}

void LoadWindowPlacement(TForm* form, TObject* storage, const AnsiString& section, bool loadPosition, bool loadState)
{
    if (!loadPosition && !loadState)
        return;
    std::optional<TRect> bounds;
    std::optional<TPoint> minPosition;
    int flags = GetWindowPlacement(form).Flags;
    if (loadPosition) {
        AnsiString minMax = ReadScreenDependentString(storage, section, "MinMaxPos");
        AnsiString normal = ReadScreenDependentString(storage, section, "NormPos");
        bool found = !minMax.empty() || !normal.empty();
        TRect rect = Rect(WordOr(normal, 1, form->Left()), WordOr(normal, 2, form->Top()),
                          WordOr(normal, 3, form->Left() + form->Width()), WordOr(normal, 4, form->Top() + form->Height()));
        if (found && StorageReadInteger(storage, section, "PixelsPerInch", ScreenPixelsPerInch()) == ScreenPixelsPerInch()) {
            if (form->BorderStyle() != bsSizeable && form->BorderStyle() != bsSizeToolWin)
                rect = Bounds(rect.Left, rect.Top, form->Width(), form->Height());
            flags = StorageReadInteger(storage, section, "Flags", flags);
            if (flags & WPF_SETMINPOSITION)
                minPosition = Point(WordOr(minMax, 1, 0), WordOr(minMax, 2, 0));
            if (rect.Right > rect.Left) {
                if (form->Position() == poScreenCenter || form->Position() == poDesktopCenter)
                    form->SetPosition(poDesigned);
                bounds = rect;
            }
        }
    }
    const bool restoreToMaximized = (flags & WPF_RESTORETOMAXIMIZED) != 0;
    bool mainForm = !Application || !Application->MainForm() || Application->MainForm() == form;
    // An MDI main form, or one placed by the window system, opens maximised unless a state was
    // stored.
    bool maximizedByDefault = form->FormStyle() == fsMDIForm || form->Position() == poDefault;
    TWindowState state = mainForm && maximizedByDefault ? wsMaximized : wsNormal;
    if (loadState) {
        switch (StorageReadInteger(storage, section, "ShowCmd", SW_HIDE)) {
        case SW_SHOWNORMAL:
        case SW_SHOW:
        case SW_RESTORE: state = wsNormal; break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE: state = wsMinimized; break;
        case SW_SHOWMAXIMIZED: state = wsMaximized; break;
        default: break;
        }
        if (state == wsMinimized && mainForm) {
            // The application is minimised once the form is up, as a posted command would do it.
            ApplyOnceShown(form, bounds ? &*bounds : nullptr, true, restoreToMaximized ? wsMaximized : wsNormal, false);
            QTimer::singleShot(0, [] {
                if (Application)
                    Dispatch([] { Application->Minimize(); });
            });
            return;
        }
    }
    if (minPosition)
        form->SetMinimizedPosition(*minPosition);
    if (form->FormStyle() == fsMDIChild)
        ApplyToMDIChild(form, bounds ? &*bounds : nullptr, loadState, state);
    else
        ApplyOnceShown(form, bounds ? &*bounds : nullptr, loadState, state, restoreToMaximized);
    form->Invalidate();
}
