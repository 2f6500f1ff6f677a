#include "kit/Placement.h"
#include <QApplication>
#include <QEvent>
#include <QMdiSubWindow>
#include <QWidget>
#include <algorithm>
#include "platform/core/Files.h"
#include "platform/core/IniFile.h"
#include "platform/messages/Application.h"
#include "platform/services/Registry.h"
#include "platform/forms/Form.h"
#include "platform/forms/WindowQueries.h"

namespace {

HKEY RootKeyOf(TPlacementRegRoot root)
{
    switch (root) {
    case prLocalMachine: return HKEY_LOCAL_MACHINE;
    case prCurrentConfig: return HKEY_CURRENT_CONFIG;
    case prClassesRoot: return HKEY_CLASSES_ROOT;
    case prUsers: return HKEY_USERS;
    case prDynData: return HKEY_DYN_DATA;
    default: return HKEY_CURRENT_USER;
    }
}

} // namespace

// Watches the form's window: restores on show, and keeps the last placement seen.
class TFormPlacement::FormWatch : public QObject {
public:
    explicit FormWatch(TFormPlacement* placement) : FPlacement(placement) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            if (!event->spontaneous() && ShownAnew(watched))
                Dispatch([this] { FPlacement->FormShown(); });
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
        case QEvent::Hide:
        case QEvent::WindowDeactivate:
            FPlacement->Remember();
            break;
        default:
            break;
        }
        return false;
    }

private:
    // An MDI child's contents show again as it is restored from minimised, and with its parent;
    // only the form's own show counts.
    bool ShownAnew(QObject* watched) const
    {
        TForm* form = FPlacement->Form();
        return form && watched == form->Widget() && !(form->MDIFrame() && form->MDIChildShown());
    }
    TFormPlacement* FPlacement;
};

// ---- limits ----

void TWinMinMaxInfo::Set(int index, int value)
{
    if (FValues[index] == value)
        return;
    FValues[index] = value;
    if (FOwner)
        FOwner->UpdatePlacement();
}

void TWinMinMaxInfo::Assign(const TWinMinMaxInfo& other)
{
    std::copy(std::begin(other.FValues), std::end(other.FValues), std::begin(FValues));
    if (FOwner)
        FOwner->UpdatePlacement();
}

bool TWinMinMaxInfo::DefaultMinMaxInfo() const
{
    return std::all_of(std::begin(FValues), std::end(FValues), [](int value) { return value == 0; });
}

// ---- links ----

TIniLink::~TIniLink()
{
    OnSave = nullptr;
    OnLoad = nullptr;
    SetIniStorage(nullptr);
}

void TIniLink::SetIniStorage(TFormPlacement* storage)
{
    if (storage == FStorage)
        return;
    if (FStorage)
        FStorage->RemoveLink(this);
    if (storage)
        storage->AddLink(this);
}

TObject* TIniLink::IniObject() const
{
    return FStorage ? FStorage->IniObject() : nullptr;
}

AnsiString TIniLink::RootSection() const
{
    if (!FStorage || FStorage->StoredIniSection().empty())
        return AnsiString();
    return FStorage->StoredIniSection() + "\\";
}

void TIniLink::SaveToIni()
{
    if (OnSave)
        OnSave(this);
}

void TIniLink::LoadFromIni()
{
    if (OnLoad)
        OnLoad(this);
}

// ---- the placement ----

TFormPlacement::TFormPlacement(TComponent* owner) : TComponent(owner), FHook(std::make_unique<TWindowHook>(nullptr))
{
    FHook->AfterMessage = [this](TObject*, TMessage& msg, bool&) { HookAfterMessage(msg); };
    if (TForm* form = Form()) {
        // The form tells us when it goes, before its owned components are freed.
        form->FreeNotification(this);
        FOptions = TPlacementOptions{fpState, fpPosition};
        FWatch = std::make_unique<FormWatch>(this);
        if (form->Widget())
            form->Widget()->installEventFilter(FWatch.get());
    }
}

TFormPlacement::~TFormPlacement()
{
    FDestroying = true;
    CloseStorage();
    while (!FLinks.empty())
        RemoveLink(FLinks.back());
    FHook.reset();
    FWatch.reset();
}

TForm* TFormPlacement::Form() const
{
    return FFormGone ? nullptr : dynamic_cast<TForm*>(Owner());
}

void TFormPlacement::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == Owner() && !FFormGone) {
        FFormGone = true;
        FDestroying = true;
        SaveAtDestruction();
    }
}

void TFormPlacement::Loaded()
{
    if (FLoaded)
        return;
    FLoaded = true;
    TForm* form = Form();
    if (!form)
        return;
    // The form's own close check runs first; only a close it allows saves.
    TCloseQueryEvent own = form->OnCloseQuery;
    form->OnCloseQuery = [this, own](TObject* sender, bool& canClose) {
        if (own)
            own(sender, canClose);
        if (canClose && FActive && Form() && Form()->Widget())
            SaveNow();
    };
    BindHook();
}

AnsiString TFormPlacement::IniFileName() const
{
    if (FIniFileName.empty())
        return FUseRegistry ? DefaultRegistryKey() : ExeFolder() + DefaultIniFileName();
    if (!FUseRegistry && FIniFileName[0] != '/')
        return ExeFolder() + FIniFileName;
    return FIniFileName;
}

AnsiString TFormPlacement::IniSection() const
{
    return FIniSection.empty() ? DefaultPlacementSection(Owner()) : FIniSection;
}

// Reading and writing open the same way: neither store here has access modes.
std::unique_ptr<TObject> TFormPlacement::MakeStorage() const
{
    if (FUseRegistry)
        return std::make_unique<TRegIniFile>(IniFileName(), RootKeyOf(FRegistryRoot));
    return std::make_unique<TIniFile>(IniFileName());
}

void TFormPlacement::CloseStorage()
{
    FStorage.reset();
}

template <typename Fn>
auto TFormPlacement::WithStorage(Fn&& body)
{
    if (FStorage)
        return body();
    FStorage = MakeStorage();
    struct Closer {
        TFormPlacement* placement;
        ~Closer() { placement->CloseStorage(); }
    } closer{this};
    return body();
}

AnsiString TFormPlacement::ReadString(const AnsiString& key, const AnsiString& def, const AnsiString& section)
{
    return WithStorage([&] { return StorageReadString(IniObject(), section.empty() ? IniSection() : section, key, def); });
}

void TFormPlacement::WriteString(const AnsiString& key, const AnsiString& value, const AnsiString& section)
{
    WithStorage([&] { StorageWriteString(IniObject(), section.empty() ? IniSection() : section, key, value); });
}

int TFormPlacement::ReadInteger(const AnsiString& key, int def, const AnsiString& section)
{
    return WithStorage([&] { return StorageReadInteger(IniObject(), section.empty() ? IniSection() : section, key, def); });
}

void TFormPlacement::WriteInteger(const AnsiString& key, int value, const AnsiString& section)
{
    WithStorage([&] { StorageWriteInteger(IniObject(), section.empty() ? IniSection() : section, key, value); });
}

void TFormPlacement::AddLink(TIniLink* link)
{
    if (std::find(FLinks.begin(), FLinks.end(), link) == FLinks.end())
        FLinks.push_back(link);
    link->FStorage = this;
}

void TFormPlacement::RemoveLink(TIniLink* link)
{
    FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), link), FLinks.end());
    link->FStorage = nullptr;
}

void TFormPlacement::SaveNow()
{
    if (!FRestored && FActive)
        return;
    WithStorage([&] {
        StorageWriteInteger(IniObject(), IniSection(), "FormVersion", FVersion);
        SaveFormPlacement();
        SaveEvent();
    });
    FSaved = true;
}

void TFormPlacement::RestoreNow()
{
    FSaved = false;
    WithStorage([&] {
        if (StorageReadInteger(IniObject(), IniSection(), "FormVersion", 0) >= FVersion) {
            RestoreFormPlacement();
            FRestored = true;
            RestoreEvent();
            if (FOptions.Contains(fpActiveControl) && Form()) {
                AnsiString name = StorageReadString(IniObject(), IniSection(), "ActiveControl", "");
                auto* control = name.empty() ? nullptr : dynamic_cast<TWinControl*>(Form()->FindComponent(name));
                if (control && control->CanFocus())
                    control->SetFocus();
            }
        }
    });
    FRestored = true;
    UpdatePlacement();
}

namespace {

AnsiString ActiveControlName(TForm* form)
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !form->Widget() || !form->Widget()->isAncestorOf(focus))
        return AnsiString();
    auto* control = dynamic_cast<TWinControl*>(TControl::FromWidget(focus));
    return control && control != form ? control->Name() : AnsiString();
}

} // namespace

void TFormPlacement::SaveFormPlacement()
{
    if (TForm* form = Form()) {
        SaveWindowPlacement(form, IniObject(), IniSection());
        AnsiString active = ActiveControlName(form);
        if (FOptions.Contains(fpActiveControl) && !active.empty())
            StorageWriteString(IniObject(), IniSection(), "ActiveControl", active);
        StorageWriteInteger(IniObject(), IniSection(), "Visible", FDestroying ? 1 : 0);
    }
    for (TIniLink* link : std::vector<TIniLink*>(FLinks))
        link->SaveToIni();
}

void TFormPlacement::RestoreFormPlacement()
{
    if (TForm* form = Form())
        LoadWindowPlacement(form, IniObject(), IniSection(), FOptions.Contains(fpPosition), FOptions.Contains(fpState));
    for (TIniLink* link : std::vector<TIniLink*>(FLinks))
        link->LoadFromIni();
}

void TFormPlacement::SaveEvent()
{
    if (OnSavePlacement)
        OnSavePlacement(this);
}

void TFormPlacement::RestoreEvent()
{
    if (OnRestorePlacement)
        OnRestorePlacement(this);
}

void TFormPlacement::FormShown()
{
    // An MDI child moves in its frame.
    if (TForm* form = Form(); form && form->MDIFrame())
        form->MDIFrame()->installEventFilter(FWatch.get());
    Loaded();
    if (FActive)
        RestoreNow();
}

void TFormPlacement::Remember()
{
    TForm* form = Form();
    QWidget* frame = form && form->MDIFrame() ? form->MDIFrame() : form ? form->Widget() : nullptr;
    if (!frame || !frame->isVisible())
        return;
    FLastPlacement = PlacementToSave(form);
    FLastActiveControl = ActiveControlName(form);
    FFormSection = IniSection();
    FHaveLastPlacement = true;
}

// The form is going without having been closed: what was last seen of it is saved, marked as
// still visible. Its controls are gone already, so linked components are not asked.
void TFormPlacement::SaveAtDestruction()
{
    if (!FActive || FSaved || !FRestored || !FHaveLastPlacement)
        return;
    Dispatch([this] {
        std::unique_ptr<TObject> store = MakeStorage();
        TObject* storage = store.get();
        StorageWriteInteger(storage, FFormSection, "FormVersion", FVersion);
        WriteWindowPlacement(FLastPlacement, storage, FFormSection);
        if (FOptions.Contains(fpActiveControl) && !FLastActiveControl.empty())
            StorageWriteString(storage, FFormSection, "ActiveControl", FLastActiveControl);
        StorageWriteInteger(storage, FFormSection, "Visible", 1);
    });
    FSaved = true;
}

// ---- size limits ----

void TFormPlacement::SetPreventResize(bool prevent)
{
    if (prevent == FPreventResize)
        return;
    FPreventResize = prevent;
    UpdateMaximizeButton();
    UpdatePlacement();
}

// A frozen form has no maximise button; it comes back only if the form had one and its border
// can show one. Changing the buttons re-creates a shown window, which must not count as a show.
void TFormPlacement::UpdateMaximizeButton()
{
    TForm* form = Form();
    if (!form)
        return;
    bool active = FActive;
    FActive = false;
    TBorderIcons icons = form->BorderIcons();
    if (FPreventResize) {
        FHadMaximize = icons.Contains(biMaximize);
        form->SetBorderIcons(icons >> biMaximize);
    } else if (FHadMaximize && form->BorderStyle() != bsDialog) {
        form->SetBorderIcons(icons << biMaximize);
    }
    FActive = active;
}

void TFormPlacement::BindHook()
{
    TForm* form = Form();
    bool limited = form && (FPreventResize || !FMinMaxInfo.DefaultMinMaxInfo());
    FHook->SetWinControl(limited ? form : nullptr);
}

// The form asks for its limits whenever its frame changes; after a change here it is told to
// ask again (and without limits it goes back to its own).
void TFormPlacement::UpdatePlacement()
{
    if (FDestroying)
        return;
    BindHook();
    if (TForm* form = Form())
        form->UpdateSizeLimits();
}

void TFormPlacement::HookAfterMessage(TMessage& msg)
{
    TForm* form = Form();
    if (!form)
        return;
    switch (msg.Msg) {
    case HookMessages::WM_GETMINMAXINFO:
        ApplyLimits(*reinterpret_cast<MINMAXINFO*>(msg.LParam), msg);
        break;
    case HookMessages::WM_NCHITTEST:
        // The sizing borders of a frozen form do not respond.
        if (FPreventResize && msg.Result >= HookMessages::HTLEFT && msg.Result <= HookMessages::HTBOTTOMRIGHT)
            msg.Result = HookMessages::HTNOWHERE;
        break;
    default:
        break;
    }
}

// A frozen form keeps the size it has while it is shown; otherwise each limit set replaces the
// form's own. The window manager gets the result as the window's size hints.
void TFormPlacement::ApplyLimits(MINMAXINFO& info, TMessage& msg)
{
    TForm* form = Form();
    if (FPreventResize) {
        if (form->Widget()->isVisible()) {
            info.ptMinTrackSize = Point(form->Width(), form->Height());
            info.ptMaxTrackSize = info.ptMinTrackSize;
            msg.Result = 1;
        }
        return;
    }
    auto replace = [](int& field, int value) {
        if (value != 0)
            field = value;
    };
    replace(info.ptMaxPosition.X, FMinMaxInfo.MaxPosLeft());
    replace(info.ptMaxPosition.Y, FMinMaxInfo.MaxPosTop());
    replace(info.ptMaxSize.X, FMinMaxInfo.MaxSizeWidth());
    replace(info.ptMaxSize.Y, FMinMaxInfo.MaxSizeHeight());
    replace(info.ptMaxTrackSize.X, FMinMaxInfo.MaxTrackWidth());
    replace(info.ptMaxTrackSize.Y, FMinMaxInfo.MaxTrackHeight());
    replace(info.ptMinTrackSize.X, FMinMaxInfo.MinTrackWidth());
    replace(info.ptMinTrackSize.Y, FMinMaxInfo.MinTrackHeight());
    if (FMinMaxInfo.DefaultMinMaxInfo())
        info.ptMaxPosition = Point(0, 0);
    msg.Result = 1;
}
