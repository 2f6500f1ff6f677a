// The alarm row as the alarm list keeps it, and the alarm file "QEX.ALS" that keeps the rows from
// one run to the next: per row the caption and six sub items, each line ended by CR LF, then one
// empty line.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/DateTime.h"
#include <array>
#include <vector>

enum AlarmField { afChannel = 0, afTime, afTitle, afCountdown, afDescription, afActions };

struct AlarmRow {
    AnsiString Caption;                  // "d.m.yyyy (KE)"
    std::array<AnsiString, 6> SubItems;  // channel, time, title, countdown, description, actions

    // Caption, CR LF, then every sub item followed by CR LF: the record as written and compared.
    AnsiString RecordText() const;
    // The caption's date before its first blank plus the time; false when either can't be read.
    bool StartMoment(TDateTime& moment) const;
};

struct AlarmFileContents {
    std::vector<AlarmRow> rows;     // alarms still ahead, in file order
    AnsiString expiredText;         // one line per dropped record: its first four lines joined by blanks
};

AnsiString AlarmFilePath();
// Reads the file, keeping the rows whose programme starts after `now`. A record that is cut short
// or whose date or time can't be read is dropped and listed with the expired ones, so start-up
// never stops on a damaged file. A missing file gives nothing.
AlarmFileContents ReadAlarmFile(TDateTime now);
// The text every writer produces; an empty list gives zero bytes.
AnsiString AlarmFileText(const std::vector<AlarmRow>& rows);
// Replaces the file atomically.
void WriteAlarmFile(const std::vector<AlarmRow>& rows);
// The notice shown when reading dropped alarms.
AnsiString ExpiredAlarmsNotice(const AnsiString& expiredText);

// "1 d. 3 h. 5 min. ", "Vanha hälytys!" for a moment already past, empty under a minute ahead.
AnsiString AlarmCountdownText(TDateTime alarmMoment, TDateTime now);
