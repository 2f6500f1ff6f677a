// The routines that join the listings with the main window's alarm list: adding a row with the
// default alarm settings, carrying out a row's actions when it is due or tested, and adding the
// programmes that the automatic alarms' keywords find.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/ScopeExit.h"
#include <functional>

// Appends a row with the action string of the alarm settings, holding AlarmEditing meanwhile.
// The row is not written to the alarm file here.
void AddAlarmEntry(const AnsiString& dateLabel, const AnsiString& channel, const AnsiString& time,
                   const AnsiString& title, const AnsiString& description);

// Tells that the chosen programme (its list line) already has an alarm.
void ShowAlreadyInAlarms(const AnsiString& programme);

// Carries out an alarm: notice window and beeps, sound file, program, in that order; a sound file
// that can't be played or a program that can't start ends the firing with its warning. The alarm
// list is left as it is: the clock takes the rows of its look out of the list and the file before
// it fires them, and a test fires a row that stays.
void FireAlarm(const AnsiString& dateLabel, const AnsiString& channel, const AnsiString& time,
               const AnsiString& title, const AnsiString& description, const AnsiString& actions);

// Searches the stored listings for the automatic alarms' keywords and adds what is found (after
// a question, when the settings ask for one). The status bar tells how many were added.
void AutoAddAlarms();

// Holds the main window's AlarmEditing set while it lives and gives back the value it found, on
// every way out.
class AlarmEditingHold : ScopeExit<std::function<void()>> {
public:
    AlarmEditingHold();
};
