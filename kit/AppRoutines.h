// The routines behind form placement: default names, reading and writing either kind of store
// (an INI file or the registry), values that depend on the screen size, and the window
// placement record of a form.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/forms/Types.h"

class TComponent;
class TForm;
class TObject;

// Show commands and flags of a window placement, as the class library stores them.
constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOWMINIMIZED = 2, SW_SHOWMAXIMIZED = 3, SW_SHOW = 5,
              SW_MINIMIZE = 6, SW_SHOWMINNOACTIVE = 7, SW_RESTORE = 9;
constexpr int WPF_SETMINPOSITION = 1, WPF_RESTORETOMAXIMIZED = 2;

struct TWindowPlacementRecord {
    int Flags = 0;
    int ShowCmd = SW_SHOWNORMAL;
    TPoint MinPosition{-1, -1};
    TPoint MaxPosition{-1, -1};
    // Frame bounds in the normal (restored) state.
    TRect NormalPosition;
};

// "TMainForm" for a TMainForm.
AnsiString ClassNameOf(const TObject* object);
// A form: its class name; a control: its form's class name and its own name; another
// component of a form: "<form class>.<name>"; otherwise the name. Empty for nullptr.
AnsiString DefaultPlacementSection(const TComponent* component);
// The executable's name with ".INI", and "Software\<executable name>".
AnsiString DefaultIniFileName();
AnsiString DefaultRegistryKey();

// On a settings store (a TIniFile or a TRegIniFile); any other object reads the default and writes nothing.
// Strings written to an INI file that begin and end with the same quote get one more pair of
// double quotes, since the INI reader strips one pair.
AnsiString StorageReadString(TObject* storage, const AnsiString& section, const AnsiString& key, const AnsiString& def);
void StorageWriteString(TObject* storage, const AnsiString& section, const AnsiString& key, const AnsiString& value);
int StorageReadInteger(TObject* storage, const AnsiString& section, const AnsiString& key, int def);
void StorageWriteInteger(TObject* storage, const AnsiString& section, const AnsiString& key, int value);
void StorageEraseSection(TObject* storage, const AnsiString& section);

// "(1024x768)" for a 1024 x 768 screen.
AnsiString ScreenSizeSuffix();
// The key with the screen suffix first, the plain key when that is empty.
AnsiString ReadScreenDependentString(TObject* storage, const AnsiString& section, const AnsiString& key);
// Writes both keys.
void WriteScreenDependentString(TObject* storage, const AnsiString& section, const AnsiString& key, const AnsiString& value);
int ScreenPixelsPerInch();

// The form's placement now: state, and the frame bounds it has (or returns to) when normal.
TWindowPlacementRecord GetWindowPlacement(TForm* form);
// The placement as it is saved: a minimised main form is saved minimised, and a minimised MDI
// child with its minimised position.
TWindowPlacementRecord PlacementToSave(TForm* form);
void WriteWindowPlacement(const TWindowPlacementRecord& placement, TObject* storage, const AnsiString& section);
void SaveWindowPlacement(TForm* form, TObject* storage, const AnsiString& section);
// Puts back what was saved: the position and flags unless the screen's pixels per inch changed
// since (a form that cannot be resized keeps its size), and the state; a minimised main form
// minimises the application instead. Without a stored state a main form placed by the window
// system (poDefault) is maximised.
void LoadWindowPlacement(TForm* form, TObject* storage, const AnsiString& section, bool loadPosition, bool loadState);
