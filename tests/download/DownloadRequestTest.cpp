// The window-free parts of the download: the files asked for and the request body, the version
// file's fields and addresses, and the progress text.
#include "listings/ChannelTable.h"
#include "listings/DownloadProgress.h"
#include "listings/DownloadRequest.h"
#include "listings/VersionFile.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "platform/core/Strings.h"
#include "support/ListingFixture.h"
#include <gtest/gtest.h>

namespace {

class MissingFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetExeFolder(folder.Path());
        ASSERT_TRUE(ForceDirectories(folder.Path() + "Tiedot"));
    }
    void TearDown() override { SetExeFolder(""); }

    void Store(const std::string& name) { fixture::WriteBytes(folder.Path() + "Tiedot/" + name, "x"); }

    std::vector<AnsiString> Missing(std::initializer_list<const char*> names, TDateTime thisMonday,
                                    TDateTime nextMonday) const
    {
        TStringList channels;
        for (const char* name : names)
            channels.Add(cp1252::FromUtf8(name));
        return MissingListingFiles(channels, thisMonday, nextMonday);
    }

    fixture::TempFolder folder;
    const TDateTime week7 = EncodeDate(2026, 2, 9);
    const TDateTime week8 = EncodeDate(2026, 2, 16);
};

TEST_F(MissingFilesTest, NothingStoredAsksForBothWeeksExceptTheThisWeekOnlyChannels)
{
    const std::vector<AnsiString> wanted = Missing({"TV1", "Canal+"}, week7, week8);
    EXPECT_EQ(wanted, (std::vector<AnsiString>{"01-07", "01-08", "10-07"}));
    const AnsiString body = ListingRequestBody(wanted);
    EXPECT_EQ(body, "files=01-07,01-08,10-07");
    EXPECT_EQ(body.size(), 23u);
}

TEST_F(MissingFilesTest, StoredFilesInAnyLetterCaseAreNotAskedForAgain)
{
    Store("01-07.qex");
    Store("02-08.QEX");
    EXPECT_EQ(Missing({"TV1", "TV2"}, week7, week8), (std::vector<AnsiString>{"01-08", "02-07"}));
    Store("01-08.QEX");
    Store("02-07.QEX");
    EXPECT_TRUE(Missing({"TV1", "TV2"}, week7, week8).empty());
    EXPECT_EQ(ListingRequestBody({}), "files=");
}

TEST_F(MissingFilesTest, ChannelsOutsideTheTableAreNotAskedFor)
{
    EXPECT_EQ(Missing({"", "Kanava X", "MTV3"}, week7, week8), (std::vector<AnsiString>{"03-07", "03-08"}));
}

TEST_F(MissingFilesTest, WeeksAreNamedByTheirMondayWithTwoDigits)
{
    EXPECT_EQ(Missing({"Subtv"}, EncodeDate(2026, 1, 26), EncodeDate(2026, 2, 2)),
              (std::vector<AnsiString>{"05-05", "05-06"}));
    // The week that spans New Year is the file of its Monday in December; the next is week 2.
    EXPECT_EQ(Missing({"TV1"}, EncodeDate(2025, 12, 29), EncodeDate(2026, 1, 5)),
              (std::vector<AnsiString>{"01-53", "01-02"}));
}

TEST(DownloadChannels, FourteenOfTheTableComeForThisWeekOnly)
{
    std::vector<AnsiString> thisWeekOnly;
    for (const ChannelRow& row : ChannelTable)
        if (FetchedForThisWeekOnly(row.name))
            thisWeekOnly.push_back(row.name);
    EXPECT_EQ(thisWeekOnly, (std::vector<AnsiString>{"Canal+", "Canal+ Gold", "Canal+ Sininen", "Moon TV", "SVT 1",
                                                     "SVT 2", "SVT Europa", "TV4 Nordisk", "Eurosport", "MTV Europe",
                                                     "BBC World", "VH-1", "Discovery", "TNT Cartoon"}));
}

TEST(VersionFileLines, NumberAndAddressByCharacterPositions)
{
    EXPECT_EQ(VersionLineNumber("477 http://www.example.com/qex/"), 477);
    EXPECT_EQ(VersionLineAddress("477 http://www.example.com/qex/"), "http://www.example.com/qex/");
    EXPECT_EQ(VersionLineNumber("101|http://a.example/"), 101);
    EXPECT_EQ(VersionLineAddress("101|http://a.example/"), "http://a.example/");
    EXPECT_EQ(VersionLineNumber("95"), 95);
    EXPECT_EQ(VersionLineAddress("476 "), "");
    EXPECT_EQ(VersionLineAddress("476"), "");
    EXPECT_THROW(VersionLineNumber("<HTML>"), EConvertError);
    EXPECT_THROW(VersionLineNumber(""), EConvertError);
    EXPECT_THROW(VersionLineNumber("4x6 http://a.example/"), EConvertError);
    // The number is the first three characters, a fourth digit included or not.
    EXPECT_EQ(VersionLineNumber("1000 http://a.example/"), 100);
    EXPECT_THROW(VersionLineNumber("47: http://a.example/"), EConvertError);
}

TEST(VersionFileLines, OnlyWebAddressesWithAHostAreOpened)
{
    for (const char* good : {"http://www.example.com/qex/", "https://example.com", "HTTP://EXAMPLE.COM/a?b#c",
                             "http://user@example.com:8080/x"})
        EXPECT_TRUE(IsWebAddress(good)) << good;
    for (const char* bad : {"", "file:///etc/passwd", "mailto:a@example.com", "javascript:alert(1)", "http://",
                            "https:///path", "http://:80/", "http://user@/", "/usr/bin/xterm", "xterm",
                            "http://example.com/a b", "http://example.com/\tx", "ftp://example.com/",
                            "http://example.com/\x1F", "http://example.com/\x7F", "http:/example.com"})
        EXPECT_FALSE(IsWebAddress(bad)) << bad;
    // The first byte past the blank and the bytes past DEL are no control bytes.
    EXPECT_TRUE(IsWebAddress("http://example.com/!"));
    EXPECT_TRUE(IsWebAddress("http://example.com/~\x80"));
}

TEST(DownloadProgress, CountOverLengthWithHalvesToEven)
{
    EXPECT_EQ(DownloadProgressText(512, 2048), "Kopioidaan tietoja... 512/2048 (25%)");
    EXPECT_EQ(DownloadProgressText(1, 8), "Kopioidaan tietoja... 1/8 (12%)");   // 12.5
    EXPECT_EQ(DownloadProgressText(3, 8), "Kopioidaan tietoja... 3/8 (38%)");   // 37.5
    EXPECT_EQ(DownloadProgressText(1, 3), "Kopioidaan tietoja... 1/3 (33%)");
    EXPECT_EQ(DownloadProgressText(2, 3), "Kopioidaan tietoja... 2/3 (67%)");
    EXPECT_EQ(DownloadProgressText(0, 100), "Kopioidaan tietoja... 0/100 (0%)");
    EXPECT_EQ(DownloadProgressText(4096, 4096), "Kopioidaan tietoja... 4096/4096 (100%)");
}

TEST(DownloadProgress, WithoutALengthOnlyTheCount)
{
    EXPECT_EQ(DownloadProgressText(3000, -1), "Kopioidaan tietoja... 3000");
    EXPECT_EQ(DownloadProgressText(3000, 0), "Kopioidaan tietoja... 3000");
}

} // namespace
