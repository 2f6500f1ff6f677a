// File and memory streams: the class library's errors, short reads, descriptors closed on exec.
#include "TempFolder.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include <fcntl.h>
#include <gtest/gtest.h>

TEST(FileStream, ReportsFilesItCannotOpenOrCreate)
{
    TempFolder folder;
    const std::string missing = folder / "missing.dat";
    try {
        TFileStream stream(missing, fmOpenRead | fmShareDenyNone);
        ADD_FAILURE();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message, "Cannot open file " + missing);
    }
    const std::string nowhere = folder / "no/such/folder.dat";
    try {
        TFileStream stream(nowhere, fmCreate);
        ADD_FAILURE();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message, "Cannot create file " + nowhere);
    }
    // A folder is not a file, though POSIX would open it for reading.
    EXPECT_THROW(TFileStream(folder.Path(), fmOpenRead), EFOpenError);
}

TEST(FileStream, WritesReadsAndSeeks)
{
    TempFolder folder;
    const std::string path = folder / "data.bin";
    {
        TFileStream out(path, fmCreate);
        out.WriteBuffer("hello world", 11);
        EXPECT_EQ(out.Size(), 11);
        out.SetSize(5);
        EXPECT_EQ(out.Position(), 5);
        EXPECT_EQ(::fcntl(out.Handle(), F_GETFD) & FD_CLOEXEC, FD_CLOEXEC);
    }
    TFileStream in(path, fmOpenRead | fmShareDenyWrite);
    char buffer[16] {};
    EXPECT_EQ(in.Read(buffer, sizeof buffer), 5);
    EXPECT_EQ(std::string(buffer, 5), "hello");
    in.SetPosition(1);
    EXPECT_THROW(in.ReadBuffer(buffer, 5), EReadError);
    EXPECT_THROW(in.WriteBuffer("x", 1), EWriteError);
}

TEST(MemoryStream, GrowsOnWriteAndClipsReads)
{
    TMemoryStream stream;
    stream.WriteBuffer("abc", 3);
    stream.Seek(5, soFromBeginning);
    stream.WriteBuffer("z", 1);
    EXPECT_EQ(stream.Bytes(), std::string("abc\0\0z", 6));
    stream.SetPosition(4);
    char buffer[8] {};
    EXPECT_EQ(stream.Read(buffer, 8), 2);
    EXPECT_EQ(stream.Read(buffer, 8), 0);
    EXPECT_EQ(stream.Seek(-1, soFromBeginning), -1);
    EXPECT_EQ(stream.Position(), 6);
    stream.SetSize(2);
    EXPECT_EQ(stream.Position(), 2);
    EXPECT_THROW(stream.ReadBuffer(buffer, 1), EReadError);
}

TEST(MemoryStream, CopiesFromStreamsAndFiles)
{
    TempFolder folder;
    TStringStream source("request body");
    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(source, 0), 12);
    EXPECT_EQ(copy.Bytes(), "request body");
    source.SetPosition(8);
    TMemoryStream tail;
    tail.CopyFrom(source, 4);
    EXPECT_EQ(tail.Bytes(), "body");
    EXPECT_THROW(tail.CopyFrom(source, 1), EReadError);

    copy.SaveToFile(folder / "copy.bin");
    TMemoryStream loaded;
    loaded.LoadFromFile(folder / "copy.bin");
    EXPECT_EQ(loaded.Bytes(), "request body");
    TStringStream out;
    loaded.SaveToStream(out);
    EXPECT_EQ(out.DataString(), "request body");
}
