#include "alarms/AlarmFile.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "support/ListingFixture.h"
#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

AlarmRow Row(const AnsiString& caption, const AnsiString& channel, const AnsiString& time, const AnsiString& title)
{
    AlarmRow row;
    row.Caption = caption;
    row.SubItems = {channel, time, title, "", "Kuvaus", "#NRM #SHD:Normaali ilmoitus näytölle #PCS3 "_a};
    return row;
}

class AlarmFileTest : public ::testing::Test {
protected:
    void SetUp() override { SetExeFolder(folder.Path()); }
    void TearDown() override { SetExeFolder(""); }
    fixture::TempFolder folder;
    TDateTime now = EncodeDate(2026, 2, 11) + EncodeTime(10, 0, 0, 0);
};

TEST_F(AlarmFileTest, EveryRowIsEightCrLfLinesAndAnEmptyListIsAnEmptyFile)
{
    EXPECT_EQ(AlarmFileText({}), "");
    AnsiString text = AlarmFileText({Row("11.2.2026 (KE)", "TV1", "20:30", "Uutiset")});
    EXPECT_EQ(text, "11.2.2026 (KE)\r\nTV1\r\n20:30\r\nUutiset\r\n\r\nKuvaus\r\n"
                    "#NRM #SHD:Normaali ilmoitus n\xE4yt\xF6lle #PCS3 \r\n\r\n");
}

TEST_F(AlarmFileTest, ExpiredAlarmsAreDroppedAndListedOneLineEach)
{
    std::vector<AlarmRow> rows = {Row("11.2.2026 (KE)", "TV1", "09:00", "Aamu"),
                                  Row("11.2.2026 (KE)", "TV2", "10:00", "Nyt alkava"),
                                  Row("11.2.2026 (KE)", "MTV3", "10:01", "Tuleva")};
    WriteAlarmFile(rows);
    AlarmFileContents read = ReadAlarmFile(now);
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows[0].RecordText(), rows[2].RecordText());
    EXPECT_TRUE(read.damaged.empty());
    EXPECT_EQ(DroppedAlarmsNotice(read), "Seuraavat vanhetuneet h\xE4lytykset poistettiin:\r\r"
                                         "11.2.2026 (KE) TV1 09:00 Aamu\r\n11.2.2026 (KE) TV2 10:00 Nyt alkava\r\n");
    PruneAlarmFile(read);
    EXPECT_EQ(ReadWholeFile(AlarmFilePath()), AlarmFileText({rows[2]}));
    EXPECT_FALSE(FileExists(AlarmBackupPath())) << "expired alarms are no damage";
}

// Four future alarms as the writer writes them, to be damaged one way or another.
class DamagedAlarmFile : public AlarmFileTest {
protected:
    std::vector<AlarmRow> rows = {Row("12.2.2026 (TO)", "TV1", "20:00", "Uutiset"),
                                  Row("13.2.2026 (PE)", "TV2", "21:00", "Elokuva"),
                                  Row("14.2.2026 (LA)", "MTV3", " 9:05", "Aamu"),
                                  Row("15.2.2026 (SU)", "Canal+", "23:59", "Y\xF6")};

    // The record of row i as written, with line `line` (0-7) replaced by `text`.
    std::string Record(std::size_t i, int line = -1, const std::string& text = "") const
    {
        std::vector<AnsiString> lines = Lines(i);
        if (line >= 0)
            lines[static_cast<std::size_t>(line)] = text;
        return Joined(lines, "\r\n");
    }
    // The record of row i without its line `line`.
    std::string Without(std::size_t i, int line) const
    {
        std::vector<AnsiString> lines = Lines(i);
        lines.erase(lines.begin() + line);
        return Joined(lines, "\r\n");
    }
    std::vector<AnsiString> Lines(std::size_t i) const
    {
        std::vector<AnsiString> lines = SplitLines(rows[i].RecordText());
        lines.push_back("");
        return lines;
    }
    static std::string Joined(const std::vector<AnsiString>& lines, const char* lineEnd)
    {
        std::string bytes;
        for (const AnsiString& line : lines)
            bytes += line + lineEnd;
        return bytes;
    }

    // Reads `bytes` as the file and expects the rows `kept` (indexes into rows) and `damaged`
    // records, none of them expired.
    AlarmFileContents Expect(const std::string& bytes, std::vector<std::size_t> kept, std::size_t damaged)
    {
        fixture::WriteBytes(AlarmFilePath(), bytes);
        AlarmFileContents read = ReadAlarmFile(now);
        std::vector<AnsiString> got, want;
        for (const AlarmRow& row : read.rows)
            got.push_back(row.RecordText());
        for (std::size_t i : kept)
            want.push_back(rows[i].RecordText());
        EXPECT_EQ(got, want);
        EXPECT_EQ(read.damaged.size(), damaged);
        EXPECT_TRUE(read.expired.empty()) << "a future alarm is never outdated";
        return read;
    }
};

TEST_F(DamagedAlarmFile, OneDamagedRecordCostsOnlyItself)
{
    // One missing line in the first record: the later three are read, the first is not mangled.
    AlarmFileContents read = Expect(Without(0, 4) + Record(1) + Record(2) + Record(3), {1, 2, 3}, 1);
    EXPECT_EQ(read.damaged[0], "12.2.2026 (TO) TV1 20:00 Uutiset");
    // An extra blank line between records costs nothing.
    Expect(Record(0) + "\r\n" + Record(1) + Record(2) + " \r\n\r\n" + Record(3), {0, 1, 2, 3}, 0);
    // Blanks and tabs are all a blank line holds, also the one that ends a record.
    Expect(Record(0, 7, "\t") + "\t \r\n" + Record(1, 7, " \t") + Record(2), {0, 1, 2}, 0);
    Expect(Record(0, 7, "\x0B") + Record(1), {1}, 1);
    // A NUL byte costs the record that holds it, also when it stands where a line break was.
    Expect(Record(0) + Record(1, 3, std::string("Elo\0kuva", 8)) + Record(2) + Record(3), {0, 2, 3}, 1);
    Expect(Record(0) + Record(1).replace(19, 2, std::string(1, '\0')) + Record(2) + Record(3), {0, 2, 3}, 1);
    // A caption whose date can't be read, a time that is no time, a missing action string.
    Expect(Record(0, 0, "x.y.z (KE)") + Record(1, 2, "ab:cd") + Record(2, 6, "") + Record(3), {3}, 3);
    // A record without its caption, and the last record cut short.
    Expect(Record(0) + Without(1, 0) + Record(2) + Record(3).substr(0, 30), {0, 2}, 2);
    // Only the empty line after a record missing: nothing of it is lost.
    Expect(Without(0, 7) + Record(1) + Without(2, 7) + Without(3, 7), {0, 1, 2, 3}, 0);
    // Lines broken by LF or CR alone, as hand edits leave them.
    Expect(Joined(Lines(0), "\n") + Joined(Lines(1), "\r"), {0, 1}, 0);
}

TEST_F(DamagedAlarmFile, TheCaptionEndsInTwoLettersInBrackets)
{
    // Digits, control bytes, a blank and the bytes just beside A-Z and a-z are no letters.
    for (const char* letters : {"12", "\x01\x02", " A", "A ", "@A", "[A", "`a", "{a", "T)"}) {
        SCOPED_TRACE(letters);
        Expect(Record(0) + Record(1, 0, AnsiString("13.2.2026 (") + letters + ")") + Record(2), {0, 2}, 1);
    }
    // Any Windows-1252 letters are.
    const AnsiString caption = "13.2.2026 (Az)";
    rows[1].Caption = caption;
    Expect(Record(0) + Record(1) + Record(2), {0, 1, 2}, 0);
    rows[1].Caption = "13.2.2026 (ÄÖ)"_a;
    Expect(Record(0) + Record(1) + Record(2), {0, 1, 2}, 0);
    rows[1].Caption = "13.2.2026 (ßz)"_a;
    Expect(Record(0) + Record(1) + Record(2), {0, 1, 2}, 0);
}

TEST_F(DamagedAlarmFile, CaptionAndTimeAreReadUpToTheirLimits)
{
    // The shortest and the longest caption that can hold a date.
    rows[0].Caption = "1.3.2026 (SU)";
    rows[1].Caption = "12.12.2026 (SU)";
    Expect(Record(0) + Record(1), {0, 1}, 0);
    // One byte shorter or longer is no caption.
    Expect(Record(0, 0, "1.3.226 (SU)") + Record(2) + Record(1, 0, "012.12.2026 (SU)") + Record(3), {2, 3}, 2);
    // The first and the last minute of the day are times; the next ones are not.
    rows[0].SubItems[afTime] = "00:00";
    rows[1].SubItems[afTime] = "23:59";
    rows[2].SubItems[afTime] = " 0:59";
    Expect(Record(0) + Record(1) + Record(2), {0, 1, 2}, 0);
    Expect(Record(0, 2, "24:00") + Record(1, 2, "23:60") + Record(2, 2, "0:59") + Record(3), {3}, 3);
}

TEST_F(DamagedAlarmFile, ARecordDamagedInTheLastByteOfAFieldIsDamaged)
{
    // The caption's closing bracket, the time's last digit (the bytes beside '0' and '9' included)
    // and the action string's marker, each damaged in its last byte alone.
    Expect(Record(0, 0, "12.2.2026 (TO]") + Record(1) + Record(2, 2, " 9:0/") + Record(3), {1, 3}, 2);
    Expect(Record(0, 2, "20:0:") + Record(1, 6, "#NRX #SHD:0 ") + Record(2) + Record(3), {2, 3}, 2);
    // The same fields whole, with '0' and '9' in every digit place.
    rows[0].SubItems[afTime] = "09:09";
    rows[1].SubItems[afTime] = "19:50";
    Expect(Record(0) + Record(1), {0, 1}, 0);
}

TEST_F(DamagedAlarmFile, JunkIsNoAlarmAndTheNoticeStaysShort)
{
    // Lines that only look like the start of an alarm: caption, channel, time.
    std::string junk;
    for (int i = 0; i < 3000; ++i)
        junk += "1.3.2026 (SU)\r\nTV1\r\n20:00\r\n" + std::string(200, 'x') + "\r\n";
    AlarmFileContents read = Expect(Record(0) + junk + Record(1) + std::string(100000, '#'), {0, 1}, 3001);
    const AnsiString notice = DroppedAlarmsNotice(read);
    EXPECT_EQ(notice.find("vanhetuneet"), AnsiString::npos);
    EXPECT_NE(notice.find("(ja 2991 muuta)\r\n"), AnsiString::npos);
    EXPECT_LE(std::count(notice.begin(), notice.end(), '\n'), 12);
    EXPECT_LE(notice.size(), 1500u);
}

TEST_F(DamagedAlarmFile, TheNoticeListsTenRecordsOfAHundredBytesAndCountsTheRest)
{
    // Ten damaged records are all listed; the eleventh is counted instead.
    auto damagedRecords = [this](int count, const std::string& title) {
        std::string bytes;
        for (int i = 0; i < count; ++i)
            bytes += "1.3.2026 (SU)\r\nTV1\r\n20:00\r\n" + title + "\r\n";
        return Record(0) + bytes + Record(1);
    };
    AlarmFileContents read = Expect(damagedRecords(10, "Junk"), {0, 1}, 10);
    EXPECT_EQ(DroppedAlarmsNotice(read).find("muuta"), AnsiString::npos);
    read = Expect(damagedRecords(11, "Junk"), {0, 1}, 11);
    const AnsiString notice = DroppedAlarmsNotice(read);
    EXPECT_NE(notice.find("(ja 1 muuta)\r\n"), AnsiString::npos);
    std::size_t listed = 0;
    for (std::size_t at = notice.find("TV1 20:00 Junk"); at != AnsiString::npos; at = notice.find("TV1 20:00 Junk", at + 1))
        ++listed;
    EXPECT_EQ(listed, 10u);

    // A record's summary of exactly 100 bytes is whole; one byte more is cut and marked.
    const std::string start = "1.3.2026 (SU) TV1 20:00 ";
    read = Expect(damagedRecords(1, std::string(100 - start.size(), 'x')), {0, 1}, 1);
    ASSERT_EQ(read.damaged.size(), 1u);
    EXPECT_EQ(read.damaged[0], start + std::string(100 - start.size(), 'x'));
    read = Expect(damagedRecords(1, std::string(101 - start.size(), 'x')), {0, 1}, 1);
    EXPECT_EQ(read.damaged[0], start + std::string(100 - start.size(), 'x') + "...");

    // Control characters up to 0x1F show as '?'; the blank and what lies above it stay.
    read = Expect(damagedRecords(1, "A\x1F" "B\x01 !\x7F"), {0, 1}, 1);
    EXPECT_EQ(read.damaged[0], start + "A?B? !\x7F");
}

TEST_F(DamagedAlarmFile, DamagedBytesAreKeptBesideTheFileBeforeItIsRewritten)
{
    const std::string damaged = Record(0) + Without(1, 4) + Record(2) + std::string("\0junk", 5);
    AlarmFileContents read = Expect(damaged, {0, 2}, 2);
    fixture::WriteBytes(AlarmBackupPath(), "an older backup");
    PruneAlarmFile(read);
    EXPECT_EQ(ReadWholeFile(AlarmBackupPath()), damaged);
    EXPECT_EQ(ReadWholeFile(AlarmFilePath()), AlarmFileText({rows[0], rows[2]}));

    // When the backup can't be written, the damaged file stays as it is.
    fixture::WriteBytes(AlarmFilePath(), damaged);
    SetFileFault([](const AnsiString& path, bool writing) { return writing && path == AlarmBackupPath() ? ENOSPC : 0; });
    EXPECT_THROW(PruneAlarmFile(read), EWriteError);
    SetFileFault(nullptr);
    EXPECT_EQ(ReadWholeFile(AlarmFilePath()), damaged);
}

TEST_F(DamagedAlarmFile, NoticeListsExpiredAndDamagedApart)
{
    fixture::WriteBytes(AlarmFilePath(), AlarmFileText({Row("10.2.2026 (TI)", "TV1", "20:00", "Eilen")}) + Record(0, 2, "kello"));
    AlarmFileContents read = ReadAlarmFile(now);
    EXPECT_EQ(DroppedAlarmsNotice(read),
              "Seuraavat vanhetuneet h\xE4lytykset poistettiin:\r\r10.2.2026 (TI) TV1 20:00 Eilen\r\n\r"
              "Seuraavia vioittuneita h\xE4lytyksi\xE4 ei voitu lukea (tiedosto on tallessa nimell\xE4 QEX.ALS.bak):\r\r"
              "12.2.2026 (TO) TV1 kello Uutiset\r\n");
}

TEST_F(AlarmFileTest, IntactFileIsLeftAloneAndAMissingOneGivesNothing)
{
    AlarmFileContents read = ReadAlarmFile(now);
    EXPECT_TRUE(read.rows.empty());
    EXPECT_EQ(DroppedAlarmsNotice(read), "");
    PruneAlarmFile(read);
    EXPECT_FALSE(FileExists(AlarmFilePath()));

    WriteAlarmFile({Row("12.2.2026 (TO)", "TV1", "20:00", "Uutiset")});
    read = ReadAlarmFile(now);
    ASSERT_EQ(read.rows.size(), 1u);
    // Nothing to prune: a full disk can't fail what is not written.
    SetFileFault([](const AnsiString&, bool writing) { return writing ? ENOSPC : 0; });
    EXPECT_NO_THROW(PruneAlarmFile(read));
    SetFileFault(nullptr);
}

TEST(AlarmCountdown, DaysHoursMinutesOrOldOrEmpty)
{
    TDateTime now = EncodeDate(2026, 2, 11) + EncodeTime(10, 0, 0, 0);
    EXPECT_EQ(AlarmCountdownText(now + 1 + EncodeTime(3, 5, 0, 0), now), "1 d. 3 h. 5 min. ");
    EXPECT_EQ(AlarmCountdownText(now + EncodeTime(0, 0, 59, 0), now), "");
    EXPECT_EQ(AlarmCountdownText(now + EncodeTime(2, 0, 30, 0), now), "2 h. ");
    EXPECT_EQ(AlarmCountdownText(now - EncodeTime(0, 0, 1, 0), now), "Vanha h\xE4lytys!");
    // The milliseconds of now are dropped, not rounded: 1 min ahead less 0.6 s is still 1 min.
    EXPECT_EQ(AlarmCountdownText(now + EncodeTime(0, 1, 0, 0), now + EncodeTime(0, 0, 0, 600)), "1 min. ");
}

} // namespace
