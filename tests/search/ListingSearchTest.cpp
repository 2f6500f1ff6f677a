// The search's window-free parts: folding, the files read, the record reader's limits, the row
// of a hit and the IMDb address.
#include "listings/ImdbAddress.h"
#include "listings/ListingRecords.h"
#include "listings/ListingSearch.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "platform/core/Streams.h"
#include "platform/core/Strings.h"
#include "search/RecordBytes.h"
#include "support/ListingFixture.h"
#include <limits>
#include <gtest/gtest.h>

namespace {

using fixture::Programme;

AnsiString Cp(const char* utf8)
{
    return cp1252::FromUtf8(utf8);
}

std::string Day(const std::vector<Programme>& programmes)
{
    std::vector<Programme> converted;
    for (const Programme& p : programmes)
        converted.push_back({p.time, Cp(p.title.c_str()), Cp(p.description.c_str())});
    return fixture::DayText(converted);
}

const std::int32_t kWednesdayTV1 = fixture::RecordKey(2026, 2, 11, 1);

std::vector<SearchHit> Search(const std::string& dayText, const char* text, std::int32_t key = kWednesdayTV1)
{
    std::vector<SearchHit> hits;
    SearchDayText(key, dayText, FoldAsciiLetters(Cp(text)), hits);
    return hits;
}

TEST(SearchFolding, OnlyAsciiLettersFold)
{
    EXPECT_EQ(FoldAsciiLetters(Cp("UUTISET Äänekoski 2000")), Cp("uutiset Äänekoski 2000"));
    const std::string day = Day({{"20:30", "SÄÄ", "Sää huomenna."}});
    EXPECT_EQ(Search(day, "sää").size(), 1u); // found in the description only
    EXPECT_EQ(Search(day, "sÄÄ").size(), 1u); // the title
    EXPECT_TRUE(Search(day, "säÄ").empty());
}

TEST(SearchDay, RowsReadDateWeekdayChannelAndProgramme)
{
    const std::string day = Day({{"06:00", "Aamu-tv", "Uutisia ja säätä."},
                                 {"20:30", "Uutiset", "Päivän uutiset."},
                                 {"21:00", "Elokuva", "Toimittaja lukee uutiset."},
                                 {"22:00", "Urheilu", ""}});
    const std::vector<SearchHit> hits = Search(day, "uutiset");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].row, "11.02.2026 (KE) <w2:TV1> 20:30 Uutiset");
    EXPECT_EQ(hits[0].description, Cp("Päivän uutiset."));
    EXPECT_EQ(hits[1].row, "11.02.2026 (KE) <w2:TV1> 21:00 Elokuva");

    const std::vector<SearchHit> radio = Search(day, "URHEILU", fixture::RecordKey(2026, 2, 15, 53));
    ASSERT_EQ(radio.size(), 1u);
    EXPECT_EQ(radio[0].row, "15.02.2026 (SU) <w2:Radio Extrem> 22:00 Urheilu");
    EXPECT_EQ(radio[0].description, "");
}

TEST(SearchDay, ShortLineEndsTheDayAndOddLinesAreLeftOver)
{
    // The empty pair the store appends after every day ends the examination there.
    EXPECT_EQ(Search(Day({{"10:00", "Uutiset", ""}}) + "\r\n\r\n21:00 Uutiset\r\n\r\n", "uutiset").size(), 1u);
    // The text holds the word, but no whole pair does.
    EXPECT_TRUE(Search("10:00 Uutiset", "uutiset").empty());
    EXPECT_TRUE(Search("10:00 Elokuva\r\n\r\n11:00 Uutiset", "uutiset").empty());
    // A line of exactly six characters is still a programme (with an empty title).
    const std::vector<SearchHit> hits = Search("10:00 \r\nUutiset ilman nimeä\r\n", "uutiset");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].row, "11.02.2026 (KE) <w2:TV1> 10:00 ");
}

TEST(SearchDay, TextMayRunFromTheTitleIntoTheDescription)
{
    // A pair is examined as its line and description joined by a blank; the day must hold the
    // text somewhere for any pair to be examined.
    const std::string day = "10:00 Uutiset\r\nIlta\r\n11:00 Elokuva\r\nUutiset ilta\r\n12:00 Iltauutiset\r\nX\r\n";
    const std::vector<SearchHit> hits = Search(day, "uutiset ilta");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].row, "11.02.2026 (KE) <w2:TV1> 10:00 Uutiset");
    EXPECT_EQ(hits[1].row, "11.02.2026 (KE) <w2:TV1> 11:00 Elokuva");
    EXPECT_TRUE(Search("10:00 Uutiset\r\nIlta\r\n", "uutiset ilta").empty());
}

TEST(SearchDay, NulByteCostsOnlyTheRestOfItsLine)
{
    const std::string day = std::string("06:00 Aamu\0rikki\r\nKuvaus\r\n20:30 Uutiset\r\nP\xE4iv\xE4n\0 uutiset.\r\n", 59);
    const std::vector<SearchHit> hits = Search(day, "uutiset");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].row, "11.02.2026 (KE) <w2:TV1> 20:30 Uutiset");
    EXPECT_EQ(hits[0].description, "P\xE4iv\xE4n");
    EXPECT_TRUE(Search(day, "rikki").empty());
}

TEST(SearchDay, KeyWithoutDateRaisesOnlyWhenTheDayMatches)
{
    const std::string day = Day({{"20:30", "Uutiset", ""}});
    EXPECT_TRUE(Search(day, "elokuva", 2026133101).empty());
    EXPECT_THROW(Search(day, "uutiset", 2026133101), EConvertError);
    EXPECT_THROW(Search(day, "uutiset", -5), EConvertError);
    EXPECT_EQ(SearchRowPrefix(fixture::RecordKey(2024, 2, 29, 10)), "29.02.2024 (TO) <w2:Canal+> ");
}

// A listing file as bytes in a memory stream.
class RecordStream {
public:
    explicit RecordStream(const std::string& bytes) { stream.WriteBuffer(bytes.data(), bytes.size()); stream.SetPosition(0); }
    TMemoryStream stream;
};

TEST(RecordReader, ReadsSevenRecordsAndNoMore)
{
    std::vector<fixture::DayRecord> records;
    for (int d = 0; d < 8; ++d)
        records.push_back({fixture::RecordKey(2026, 2, 9 + d, 1), "day " + std::to_string(d)});
    RecordStream file(fixture::FileBytes(records));
    ListingRecordReader reader(file.stream);
    for (int d = 0; d < 7; ++d) {
        ASSERT_EQ(reader.Next(), ListingRecordReader::Step::Record);
        EXPECT_EQ(reader.Key(), records[d].key);
        EXPECT_EQ(reader.Text(), records[d].text);
    }
    EXPECT_EQ(reader.Next(), ListingRecordReader::Step::End);
}

TEST(RecordReader, LengthOutsideTheLimitStopsTheFile)
{
    for (std::int32_t length : {100001, -1, std::numeric_limits<std::int32_t>::min()}) {
        RecordStream file(fixture::FileBytes({{1, "ok"}}) + search_test::RecordHeader(2026021101, length) + std::string(200, 'x'));
        ListingRecordReader reader(file.stream);
        ASSERT_EQ(reader.Next(), ListingRecordReader::Step::Record);
        ASSERT_EQ(reader.Next(), ListingRecordReader::Step::BadLength) << length;
        EXPECT_EQ(reader.Key(), 2026021101);
        EXPECT_EQ(reader.Length(), length);
        EXPECT_EQ(reader.Next(), ListingRecordReader::Step::End);
    }
    RecordStream longest(fixture::FileBytes({{1, std::string(100000, 'a')}}));
    ListingRecordReader reader(longest.stream);
    EXPECT_EQ(reader.Next(), ListingRecordReader::Step::Record);
}

TEST(RecordReader, ShortFileEndsQuietly)
{
    const std::string whole = fixture::FileBytes({{1, "first"}, {2, "second"}});
    for (std::size_t cut : {std::size_t{0}, std::size_t{3}, std::size_t{13}, whole.size() - 1}) {
        RecordStream file(whole.substr(0, cut));
        ListingRecordReader reader(file.stream);
        int records = 0;
        while (reader.Next() == ListingRecordReader::Step::Record)
            ++records;
        EXPECT_EQ(records, cut >= 13 ? 1 : 0) << cut;
        EXPECT_EQ(reader.Next(), ListingRecordReader::Step::End);
    }
}

TEST(SearchFiles, EveryChannelOrOneChannelSortedIgnoringCase)
{
    fixture::TempFolder folder;
    SetExeFolder(folder.Path());
    ASSERT_TRUE(ForceDirectories(folder.Path() + "Tiedot"));
    for (const char* name : {"10-07.QEX", "01-08.qex", "01-07.QEX", "02-07.QEX", "notes.txt", "101-07.QEX"})
        fixture::WriteBytes(folder.Path() + "Tiedot/" + name, "");
    TStringList all;
    SearchedFiles("", all);
    const AnsiString data = folder.Path() + "Tiedot/";
    EXPECT_EQ(all.Text(), data + "01-07.QEX\r\n" + data + "01-08.qex\r\n" + data + "02-07.QEX\r\n" + data +
                              "10-07.QEX\r\n" + data + "101-07.QEX\r\n");
    TStringList tv1;
    SearchedFiles("01", tv1);
    EXPECT_EQ(tv1.Text(), data + "01-07.QEX\r\n" + data + "01-08.qex\r\n");
    SetExeFolder("");
}

TEST(ImdbLookUp, LowerCasedWithPlusForBlanks)
{
    EXPECT_EQ(ImdbSearchAddress("Star Wars"), "https://www.imdb.com/Find?star+wars");
    EXPECT_EQ(ImdbSearchAddress(""), "https://www.imdb.com/Find?");
    EXPECT_EQ(ImdbSearchAddress("  R2-D2 & C-3PO?"), "https://www.imdb.com/Find?++r2-d2+&+c-3po?");
}

TEST(ImdbLookUp, BytesBeyondAsciiAndControlsArePercentEncoded)
{
    // "Ä" stays upper case (only A-Z fold) and goes as UTF-8; "€" is 0x80 in Windows-1252.
    EXPECT_EQ(ImdbSearchAddress(Cp("Äiti ja € ")), "https://www.imdb.com/Find?%C3%84iti+ja+%E2%82%AC+");
    EXPECT_EQ(ImdbSearchAddress("a\r\nb\tc\x7f"), "https://www.imdb.com/Find?a%0D%0Ab%09c%7F");
}

} // namespace
