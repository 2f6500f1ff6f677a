#include <gtest/gtest.h>
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"

namespace {

// An object with one property of each kind the filer carries.
class TSample : public TPersistent {
public:
    std::vector<std::int32_t> Numbers;
    AnsiString Text;
    bool Flag = false;
    std::string Bytes;

    void DefineProperties(TFiler& filer) override
    {
        filer.DefineProperty(
            "Numbers",
            [this](TReader& reader) {
                Numbers.clear();
                reader.ReadListBegin();
                while (!reader.EndOfList())
                    Numbers.push_back(reader.ReadInteger());
                reader.ReadListEnd();
            },
            [this](TWriter& writer) {
                writer.WriteListBegin();
                for (std::int32_t number : Numbers)
                    writer.WriteInteger(number);
                writer.WriteListEnd();
            },
            !Numbers.empty());
        filer.DefineProperty(
            "Text", [this](TReader& reader) { Text = reader.ReadString(); },
            [this](TWriter& writer) { writer.WriteString(Text); }, true);
        filer.DefineProperty(
            "Flag", [this](TReader& reader) { Flag = reader.ReadBoolean(); },
            [this](TWriter& writer) { writer.WriteBoolean(Flag); }, true);
        filer.DefineBinaryProperty(
            "Bytes", [this](TStream& stream) { Bytes = static_cast<TMemoryStream&>(stream).Bytes(); },
            [this](TStream& stream) { stream.WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size())); },
            !Bytes.empty());
    }
};

std::string Written(TSample& sample)
{
    TMemoryStream stream;
    TWriter(stream).WriteProperties(sample);
    return stream.Bytes();
}

TSample ReadBack(const std::string& bytes)
{
    TSample sample;
    TStringStream stream(bytes);
    TReader(stream).ReadProperties(sample);
    return sample;
}

} // namespace

TEST(Filer, EveryKindOfValueComesBackAsWritten)
{
    TSample sample;
    sample.Numbers = {0, -128, 127, 128, -32769, 40000, INT32_MIN, INT32_MAX};
    sample.Text = AnsiString(300, '\xE4');
    sample.Flag = true;
    sample.Bytes = std::string("\0\1\2", 3);
    TSample read = ReadBack(Written(sample));
    EXPECT_EQ(read.Numbers, sample.Numbers);
    EXPECT_EQ(read.Text, sample.Text) << "a string longer than a length byte holds";
    EXPECT_TRUE(read.Flag);
    EXPECT_EQ(read.Bytes, sample.Bytes);

    // 255 bytes still fit a length byte; 256 take the long form, and both come back whole.
    for (std::size_t length : {std::size_t{255}, std::size_t{256}}) {
        sample.Text = AnsiString(length, 't');
        const std::string bytes = Written(sample);
        const std::string form = length == 255 ? std::string("\x04Text\x06\xFF", 7)
                                               : std::string("\x04Text\x0C\x00\x01\x00\x00", 10);
        EXPECT_NE(bytes.find(form + "tt"), std::string::npos) << length;
        EXPECT_EQ(ReadBack(bytes).Text, sample.Text) << length;
    }
}

TEST(Filer, IntegersTakeTheFewestBytesAndPropertiesWithoutDataAreLeftOut)
{
    TSample sample;
    sample.Numbers = {5, 300, 70000};
    sample.Text = "ab";
    EXPECT_EQ(Written(sample), std::string("\x07Numbers\x01"
                                           "\x02\x05"
                                           "\x03\x2C\x01"
                                           "\x04\x70\x11\x01\x00"
                                           "\x00"
                                           "\x04Text\x06\x02"
                                           "ab"
                                           "\x04"
                                           "Flag\x08"
                                           "\x00",
                                           36));
}

// The codes of a true flag, of a string too long for a length byte and of binary data.
TEST(Filer, LongStringsTrueFlagsAndBinaryDataCarryTheirCodes)
{
    TSample sample;
    sample.Text = AnsiString(256, 'a');
    sample.Flag = true;
    sample.Bytes = "xy";
    EXPECT_EQ(Written(sample), std::string("\x04Text\x0C\x00\x01\x00\x00", 10) + AnsiString(256, 'a')
                                   + std::string("\x04"
                                                 "Flag\x09"
                                                 "\x05"
                                                 "Bytes\x0A\x02\x00\x00\x00"
                                                 "xy"
                                                 "\x00",
                                                 20));
}

TEST(Filer, DamagedStreamsRaiseAReadError)
{
    TSample sample;
    sample.Text = "abc";
    sample.Bytes = "xyz";
    std::string bytes = Written(sample);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_THROW(ReadBack(bytes.substr(0, cut)), EReadError) << "cut at " << cut;

    try {
        ReadBack(std::string("\x05Other\x08\x00", 8));
        FAIL() << "an unknown name was read";
    } catch (const EReadError& error) {
        EXPECT_STREQ(error.what(), "Property Other does not exist");
    }
    try {
        ReadBack(std::string("\x04"
                             "Flag\x02\x01\x00",
                             8));
        FAIL() << "an integer was read as a Boolean";
    } catch (const EReadError& error) {
        EXPECT_STREQ(error.what(), "Invalid property value");
    }
    // A length far past the stream's end is refused before anything is allocated.
    EXPECT_THROW(ReadBack(std::string("\x05"
                                      "Bytes\x0A\xFF\xFF\xFF\x7F",
                                      11)),
                 EReadError);
}
