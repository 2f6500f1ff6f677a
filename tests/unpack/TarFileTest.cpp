#include "unpack/tarfile.h"
#include "unpack/UnpackSupport.h"

#include "platform/core/Exceptions.h"
#include <ctime>
#include <gtest/gtest.h>

using namespace unpack_test;

namespace {

class TarFileTest : public ::testing::Test {
protected:
    ScratchFolder folder;
    std::string archive = folder / "a.tar";

    TTarFile& Open(const std::string& bytes)
    {
        WriteBytes(archive, bytes);
        reader = std::make_unique<TTarFile>(archive);
        return *reader;
    }
    std::unique_ptr<TTarFile> reader;
};

TEST_F(TarFileTest, WalksMembersThroughTheirStates)
{
    TTarFile& tar = Open(Tar({{"one.txt", std::string(512, 'a')}, {"two.txt", std::string(513, 'b')}}));
    EXPECT_EQ(tar.State(), tsExpectHeader);
    EXPECT_EQ(tar.GetNextFileName(), "one.txt");
    EXPECT_EQ(tar.State(), tsNameRead);
    EXPECT_EQ(tar.GetFileSize(), 512);
    EXPECT_EQ(tar.State(), tsSizeRead);
    tar.GetFileDate();
    EXPECT_EQ(tar.State(), tsDateRead);
    char buffer[1024];
    EXPECT_EQ(tar.ReadData(buffer, sizeof buffer), 512); // no padding after 512 bytes
    EXPECT_EQ(tar.State(), tsExpectHeader);

    EXPECT_EQ(tar.GetNextFileName(), "two.txt");
    EXPECT_EQ(tar.GetFileSize(), 513);
    tar.GetFileDate();
    EXPECT_EQ(tar.ReadData(buffer, 500), 500);
    EXPECT_EQ(tar.ReadData(buffer, 500), 13); // and 511 padding bytes passed over
    EXPECT_EQ(std::string(buffer, 13), std::string(13, 'b'));
    EXPECT_EQ(tar.GetNextFileName(), "");
    EXPECT_EQ(tar.State(), tsEndOfArchive);
    EXPECT_TRUE(tar.Eof());
    EXPECT_EQ(tar.Progress(), 100);
}

TEST_F(TarFileTest, FirstZeroBlockEndsTheArchive)
{
    std::string bytes = Tar({{"first", "1"}}) + Tar({{"after", "2"}});
    TTarFile& tar = Open(bytes);
    EXPECT_EQ(tar.GetNextFileName(), "first");
    tar.GetFileSize();
    tar.GetFileDate();
    tar.SkipData();
    EXPECT_EQ(tar.GetNextFileName(), "");
    EXPECT_EQ(tar.State(), tsEndOfArchive);
    EXPECT_TRUE(tar.Eof());
}

TEST_F(TarFileTest, BlockWithoutNameIsPassedOver)
{
    std::string nameless = TarHeader({"x", "data"});
    nameless[0] = '\0';
    TTarFile& tar = Open(nameless + Tar({{"next", ""}}));
    EXPECT_EQ(tar.GetNextFileName(), "");
    EXPECT_EQ(tar.State(), tsExpectHeader);
    EXPECT_EQ(tar.GetNextFileName(), "next");
    EXPECT_EQ(tar.GetFileSize(), 0);
    EXPECT_EQ(tar.State(), tsExpectHeader);
}

TEST_F(TarFileTest, LongNameRunsOnIntoTheModeField)
{
    std::string name(100, 'n');
    TTarFile& tar = Open(Tar({{name, "x"}}));
    EXPECT_EQ(tar.GetNextFileName(), name + "0000644");
}

TEST_F(TarFileTest, NumbersTakeEveryOctalDigitAndSkipTheRest)
{
    TTarFile& tar = Open(TarHeader({"n", "", '0', 0, "", std::string("      1234\0", 11)}) + std::string(1024, 'd'));
    tar.GetNextFileName();
    EXPECT_EQ(tar.GetFileSize(), 668);
}

TEST_F(TarFileTest, NumbersAreElevenBytesOfDigitsFromZeroToSeven)
{
    // The 11th byte still counts, the 12th does not; '/' and '8' beside the range are passed over.
    TTarFile& tar = Open(TarHeader({"n", "", '0', 0, "", std::string("0000000/8177", 12)}) + std::string(1024, 'd'));
    tar.GetNextFileName();
    EXPECT_EQ(tar.GetFileSize(), 15);
}

TEST_F(TarFileTest, TypesZeroNulAndSevenAreFilesAndFiveIsAFolder)
{
    const std::vector<std::pair<char, TTarKind>> kinds = {{'0', TTarKind::File}, {'\0', TTarKind::File},
        {'7', TTarKind::File}, {'5', TTarKind::Folder}, {'1', TTarKind::Other}, {'6', TTarKind::Other},
        {'8', TTarKind::Other}, {'/', TTarKind::Other}};
    for (const auto& [type, kind] : kinds) {
        SCOPED_TRACE(static_cast<int>(type));
        TTarFile& tar = Open(Tar({{"m", "", type}}));
        ASSERT_EQ(tar.GetNextFileName(), "m");
        EXPECT_EQ(tar.Kind(), kind);
    }
}

TEST_F(TarFileTest, NamesAreFixedForTheDataFolder)
{
    EXPECT_EQ(TTarFile::FixTarName("dir/sub:x|y.txt"), "dir\\sub_x_y.txt");
    EXPECT_EQ(TTarFile::FixTarName("a b+c<d>e"), "a_b_c_d_e");
    EXPECT_EQ(TTarFile::FixTarName("./01-07.QEX"), ".\\01-07.QEX");
}

TEST_F(TarFileTest, DatesAreUtcPartsWithEveryFourthYearLeap)
{
    TTarDate leapDay = UnixTimeToParts(951782400 + 3723); // 29.2.2000 01:02:03
    EXPECT_EQ(leapDay.Day, 29);
    EXPECT_EQ(leapDay.Month, 2);
    EXPECT_EQ(leapDay.Year, 2000);
    EXPECT_EQ(leapDay.Hour, 1);
    EXPECT_EQ(leapDay.Minute, 2);
    EXPECT_EQ(leapDay.Second, 3);
    TTarDate march = UnixTimeToParts(951868800);
    EXPECT_EQ(march.Day, 1);
    EXPECT_EQ(march.Month, 3);
    TTarDate epoch = UnixTimeToParts(0);
    EXPECT_EQ(epoch.Year, 1970);
    EXPECT_EQ(epoch.Day, 1);
    TTarDate last = UnixTimeToParts(077777777777LL); // the largest the field holds, past 2038
    EXPECT_GT(last.Year, 2200);
}

TEST_F(TarFileTest, TruncationAndLyingSizesEndInTheErrorState)
{
    std::string whole = Tar({{"m", std::string(2000, 'm')}}, false);
    TTarFile& shortHeader = Open(whole.substr(0, 300));
    EXPECT_EQ(shortHeader.GetNextFileName(), "");
    EXPECT_EQ(shortHeader.State(), tsError);

    char buffer[4096];
    TTarFile& cut = Open(whole.substr(0, 512 + 1000));
    cut.GetNextFileName();
    EXPECT_EQ(cut.GetFileSize(), 2000);
    cut.GetFileDate();
    EXPECT_EQ(cut.ReadData(buffer, sizeof buffer), 0);
    EXPECT_EQ(cut.State(), tsError);
    EXPECT_EQ(cut.GetNextFileName(), ""); // reads nothing more
    EXPECT_EQ(cut.State(), tsError);

    TTarFile& huge = Open(TarHeader({"m", "", '0', 0, "", "77777777777"}) + std::string(4096, 'z'));
    huge.GetNextFileName();
    EXPECT_EQ(huge.GetFileSize(), 077777777777LL); // 64 bits: no overflow into a negative size
    huge.GetFileDate();
    huge.SkipData();
    EXPECT_EQ(huge.State(), tsError);

    TTarFile& headerOnly = Open(TarHeader({"m", "data"}));
    headerOnly.GetNextFileName();
    EXPECT_TRUE(headerOnly.Eof());
    EXPECT_EQ(headerOnly.GetFileSize(), 4); // the missing data is seen, not silently dropped
    headerOnly.GetFileDate();
    EXPECT_EQ(headerOnly.ReadData(buffer, 4), 0);
    EXPECT_EQ(headerOnly.State(), tsError);

    TTarFile& outOfOrder = Open(Tar({{"m", "data"}}));
    EXPECT_EQ(outOfOrder.ReadData(buffer, 4), 0);
    EXPECT_EQ(outOfOrder.State(), tsError);
}

TEST_F(TarFileTest, EmptyArchiveIsAtItsEndAndComplete)
{
    TTarFile& tar = Open("");
    EXPECT_TRUE(tar.Eof());
    EXPECT_EQ(tar.Progress(), 100);
    EXPECT_EQ(tar.GetNextFileName(), "");
}

TEST_F(TarFileTest, MissingArchiveRaisesTheOpenError)
{
    EXPECT_THROW(TTarFile(folder / "missing.tar"), EFOpenError);
}

} // namespace

// Every day of a common and a leap year falls in the month and on the day the C library gives.
TEST_F(TarFileTest, EveryDayOfTheYearHasItsMonthAndDay)
{
    for (int year : {2024, 2026}) {
        std::tm first {};
        first.tm_year = year - 1900;
        first.tm_mday = 1;
        const std::time_t start = timegm(&first);
        for (std::time_t t = start + 12 * 3600; ; t += 24 * 3600) {
            std::tm parts {};
            gmtime_r(&t, &parts);
            if (parts.tm_year != year - 1900)
                break;
            const TTarDate date = UnixTimeToParts(t);
            ASSERT_EQ(date.Year, year) << t;
            ASSERT_EQ(date.Month, parts.tm_mon + 1) << year << " day " << parts.tm_yday;
            ASSERT_EQ(date.Day, parts.tm_mday) << year << " day " << parts.tm_yday;
        }
    }
}
