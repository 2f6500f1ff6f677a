// TFormPlacement: dropped on a form, it saves the form's placement (position, size, minimised or
// maximised state, and with fpActiveControl the active control) into an INI file or the
// registry when the form closes, and puts it back when the form is shown. A placement that was
// never restored does not save, so a form that never showed overwrites nothing. Other
// components link to it (TIniLink) to save and load their own settings at the same moments.
// It can also freeze the form's size (PreventResize) or limit its tracking size (MinMaxInfo).
#pragma once
#include "kit/AppRoutines.h"
#include "kit/WindowHook.h"
#include "platform/core/Component.h"
#include "platform/forms/Set.h"
#include <memory>
#include <vector>

class QObject;
class TForm;
struct MINMAXINFO;
class TFormPlacement;

enum TPlacementOption { fpState, fpPosition, fpActiveControl };
using TPlacementOptions = TSet<TPlacementOption>;
enum TPlacementRegRoot { prCurrentUser, prLocalMachine, prCurrentConfig, prClassesRoot, prUsers, prDynData };

// Tracking limits of a form in pixels of its frame, and the place and size it takes maximised;
// 0 leaves a value to the form.
class TWinMinMaxInfo : public TObject {
public:
    explicit TWinMinMaxInfo(TFormPlacement* owner) : FOwner(owner) {}

    int MaxPosLeft() const { return FValues[0]; }
    void SetMaxPosLeft(int value) { Set(0, value); }
    int MaxPosTop() const { return FValues[1]; }
    void SetMaxPosTop(int value) { Set(1, value); }
    int MaxSizeHeight() const { return FValues[2]; }
    void SetMaxSizeHeight(int value) { Set(2, value); }
    int MaxSizeWidth() const { return FValues[3]; }
    void SetMaxSizeWidth(int value) { Set(3, value); }
    int MaxTrackHeight() const { return FValues[4]; }
    void SetMaxTrackHeight(int value) { Set(4, value); }
    int MaxTrackWidth() const { return FValues[5]; }
    void SetMaxTrackWidth(int value) { Set(5, value); }
    int MinTrackHeight() const { return FValues[6]; }
    void SetMinTrackHeight(int value) { Set(6, value); }
    int MinTrackWidth() const { return FValues[7]; }
    void SetMinTrackWidth(int value) { Set(7, value); }
    void Assign(const TWinMinMaxInfo& other);
    // All eight are 0.
    bool DefaultMinMaxInfo() const;

private:
    void Set(int index, int value);
    TFormPlacement* FOwner;
    int FValues[8] = {};
};

class TIniLink : public TObject {
public:
    TIniLink() = default;
    ~TIniLink() override;
    TIniLink(const TIniLink&) = delete;
    TIniLink& operator=(const TIniLink&) = delete;

    TFormPlacement* IniStorage() const { return FStorage; }
    void SetIniStorage(TFormPlacement* storage);
    // The placement's open store, nullptr while it is closed.
    TObject* IniObject() const;
    // The placement's own section name followed by "\", empty without one.
    AnsiString RootSection() const;

    virtual void SaveToIni();
    virtual void LoadFromIni();

    TNotifyEvent OnSave;
    TNotifyEvent OnLoad;

private:
    friend class TFormPlacement;
    TFormPlacement* FStorage = nullptr;
};

class TFormPlacement : public TComponent {
public:
    explicit TFormPlacement(TComponent* owner);
    ~TFormPlacement() override;

    // Chains the placement into its form's show and close handling; done on the form's first
    // show at the latest.
    void Loaded();

    bool Active() const { return FActive; }
    void SetActive(bool active) { FActive = active; }
    // Empty: the executable's name with ".INI" beside the executable (or the default registry
    // key); a relative name lies beside the executable too.
    AnsiString IniFileName() const;
    void SetIniFileName(const AnsiString& name) { FIniFileName = name; }
    // Empty: the form's default placement section.
    AnsiString IniSection() const;
    const AnsiString& StoredIniSection() const { return FIniSection; }
    void SetIniSection(const AnsiString& section) { FIniSection = section; }
    TWinMinMaxInfo* MinMaxInfo() { return &FMinMaxInfo; }
    void SetMinMaxInfo(const TWinMinMaxInfo& info) { FMinMaxInfo.Assign(info); }
    TPlacementOptions Options() const { return FOptions; }
    void SetOptions(TPlacementOptions options) { FOptions = options; }
    // Freezes the form's size and takes its maximise button away.
    bool PreventResize() const { return FPreventResize; }
    void SetPreventResize(bool prevent);
    TPlacementRegRoot RegistryRoot() const { return FRegistryRoot; }
    void SetRegistryRoot(TPlacementRegRoot root) { FRegistryRoot = root; }
    bool UseRegistry() const { return FUseRegistry; }
    void SetUseRegistry(bool use) { FUseRegistry = use; }
    // Stored as "FormVersion"; a stored value below it restores nothing.
    int Version() const { return FVersion; }
    void SetVersion(int version) { FVersion = version; }

    void SaveNow();
    void RestoreNow();
    bool Restored() const { return FRestored; }
    // The one way strings go to and from the store; a placement keeping them elsewhere replaces both.
    virtual AnsiString ReadString(const AnsiString& key, const AnsiString& def, const AnsiString& section = "");
    virtual void WriteString(const AnsiString& key, const AnsiString& value, const AnsiString& section = "");
    int ReadInteger(const AnsiString& key, int def, const AnsiString& section = "");
    void WriteInteger(const AnsiString& key, int value, const AnsiString& section = "");
    // The open store (a TIniFile or TRegIniFile), nullptr while closed.
    TObject* IniObject() const { return FStorage.get(); }

    void AddLink(TIniLink* link);
    void RemoveLink(TIniLink* link);
    // Has the form take its size limits again (after MinMaxInfo or PreventResize changes).
    void UpdatePlacement();

    TNotifyEvent OnSavePlacement;
    TNotifyEvent OnRestorePlacement;

protected:
    virtual void SaveFormPlacement();
    virtual void RestoreFormPlacement();
    virtual void SaveEvent();
    virtual void RestoreEvent();
    void Notification(TComponent* component, TOperation operation) override;

private:
    class FormWatch;
    TForm* Form() const;
    // The store the placement names: an INI file or a registry key.
    std::unique_ptr<TObject> MakeStorage() const;
    void CloseStorage();
    // Runs body with the store open, opening it for the call when it is closed.
    template <typename Fn>
    auto WithStorage(Fn&& body);
    void FormShown();
    void Remember();
    void ApplyLimits(MINMAXINFO& info, TMessage& msg);
    void UpdateMaximizeButton();
    void BindHook();
    void HookAfterMessage(TMessage& msg);
    void SaveAtDestruction();

    bool FActive = true;
    AnsiString FIniFileName;
    AnsiString FIniSection;
    TWinMinMaxInfo FMinMaxInfo{this};
    TPlacementOptions FOptions;
    bool FPreventResize = false;
    TPlacementRegRoot FRegistryRoot = prCurrentUser;
    bool FUseRegistry = false;
    int FVersion = 0;

    std::unique_ptr<TObject> FStorage;
    std::vector<TIniLink*> FLinks;
    bool FSaved = false;
    bool FRestored = false;
    bool FDestroying = false;
    bool FLoaded = false;
    std::unique_ptr<TWindowHook> FHook;
    std::unique_ptr<QObject> FWatch;
    // What the form looked like last, for a save while the form itself is already gone.
    TWindowPlacementRecord FLastPlacement;
    AnsiString FLastActiveControl;
    AnsiString FFormSection;
    bool FHaveLastPlacement = false;
    bool FHadMaximize = false;
    bool FFormGone = false;
};
