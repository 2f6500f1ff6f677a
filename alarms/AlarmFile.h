// The alarm row as the alarm list keeps it, and the alarm file "QEX.ALS" that keeps the rows from
// one run to the next: per row the caption and six sub items, each line ended by CR LF, then one
// empty line.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/DateTime.h"
#include <array>
#include <string>
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
    std::vector<AlarmRow> rows;       // intact records whose programme is still ahead (due or not), in file order
    std::vector<AnsiString> expired;  // intact records whose programme has begun: first four lines joined by blanks
    std::vector<AnsiString> damaged;  // records that can't be read, told the same way
    std::string bytes;                // the file as it was read
};

AnsiString AlarmFilePath();
// Where a damaged file's bytes are kept before it is written again: "QEX.ALS.bak".
AnsiString AlarmBackupPath();
// Reads the file record by record. A record is intact when it has the writer's shape (a caption
// "d.m.yyyy (XX)", a time "hh:nn" on its third line, an action string on its seventh, then an
// empty line); anything else costs only itself: reading goes on at the next line shaped like a
// caption. Stray blank lines between records cost nothing. A missing file gives nothing; a file
// that can't be read raises.
AlarmFileContents ReadAlarmFile(TDateTime now);
// Leaves the file with only the rows read, unless it holds exactly those already. A file with
// damaged records is first kept whole as the backup, so nothing of it is lost.
void PruneAlarmFile(const AlarmFileContents& contents);
// The text every writer produces; an empty list gives zero bytes.
AnsiString AlarmFileText(const std::vector<AlarmRow>& rows);
// Replaces the file atomically.
void WriteAlarmFile(const std::vector<AlarmRow>& rows);
// The notice of the records dropped by reading, expired ones and damaged ones apart; empty when
// none were. Long lists are cut with a count of the rest, so the box fits on the screen.
AnsiString DroppedAlarmsNotice(const AlarmFileContents& contents);
// A row as the notices list it: caption, channel, time and title joined by blanks, cut short and
// with control characters shown as '?', as the dropped records are told.
AnsiString AlarmRowSummary(const AlarmRow& row);
// The summaries as a notice lists them, each followed by CR LF; past ten, "(ja N muuta)" stands
// for the rest, so the box fits on the screen however many there are.
AnsiString ListedAlarms(const std::vector<AnsiString>& summaries);

// "1 d. 3 h. 5 min. ", "Vanha hälytys!" for a moment already past, empty under a minute ahead.
AnsiString AlarmCountdownText(TDateTime alarmMoment, TDateTime now);
