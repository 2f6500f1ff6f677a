#include "core/TempFolder.h"
#include "platform/services/ShellExecute.h"
#include <gtest/gtest.h>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class ShellExecuteTest : public ::testing::Test {
protected:
    ShellExecuteTest()
    {
        SetDesktopOpener([this](const AnsiString& target) {
            opened.push_back(target);
            return true;
        });
    }
    ~ShellExecuteTest() override { SetDesktopOpener(nullptr); }

    int Open(const AnsiString& file, TShellSource source = TShellSource::Local, const AnsiString& parameters = "")
    {
        return ShellExecute(0, "Open", file, parameters, "", SW_SHOWNORMAL, source);
    }

    std::string Script(const std::string& name, const std::string& body)
    {
        std::string path = folder / name;
        TempFolder::Write(path, "#!/bin/sh\n" + body);
        chmod(path.c_str(), 0700);
        return path;
    }

    // The started program writes its output file last; waits for it to appear.
    static std::string AwaitFile(const std::string& path)
    {
        for (int i = 0; i < 500; ++i) {
            std::string content = TempFolder::Read(path);
            if (!content.empty() && content.back() == '\n')
                return content;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return "(program left no output)";
    }

    TempFolder folder;
    std::vector<AnsiString> opened;
};

} // namespace

TEST_F(ShellExecuteTest, NetworkStringsOpenOnlyAsWebOrMailAddresses)
{
    for (const char* refused : {"javascript:alert(1)", "file:///etc/passwd", "/bin/sh", "xterm",
                                "www.example.com", "http://", "http:///path", "http://exa mple.com",
                                "mailto:", "ftp://example.com/", "http://exa\x01mple.com/", "-e"}) {
        EXPECT_EQ(Open(refused, TShellSource::Network), SE_ERR_ACCESSDENIED) << refused;
    }
    EXPECT_TRUE(opened.empty());

    for (const char* accepted : {"http://www.example.fi/qex/", "HTTPS://example.com/a?b=c&d", "mailto:tuki@example.fi"})
        EXPECT_GT(Open(accepted, TShellSource::Network), 32) << accepted;
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], "http://www.example.fi/qex/");
    EXPECT_EQ(opened[2], "mailto:tuki@example.fi");
}

TEST_F(ShellExecuteTest, MissingProgramsAreFailures)
{
    EXPECT_EQ(Open("/nonexistent/folder/program"), SE_ERR_FNF);
    EXPECT_EQ(Open("\"/nonexistent/program\""), SE_ERR_FNF);
    EXPECT_EQ(Open("no-such-program-anywhere-qex"), SE_ERR_FNF);
    EXPECT_EQ(Open(""), SE_ERR_FNF);
    EXPECT_TRUE(opened.empty());
}

// The failures a caller can meet, by the platform's own numbers.
TEST_F(ShellExecuteTest, EachFailureHasThePlatformsNumber)
{
    EXPECT_EQ(Open("/nonexistent/program"), 2);          // file not found
    EXPECT_EQ(Open("/etc/passwd/program"), 3);            // a path through something that is no folder
    EXPECT_EQ(Open("file:///x", TShellSource::Network), 5); // refused from the network
    // Executable by its mode, but neither a binary nor a script: exec refuses it.
    std::string path = folder / "broken";
    TempFolder::Write(path, std::string("\x7F" "ELF garbage\0\0", 14));
    chmod(path.c_str(), 0700);
    EXPECT_EQ(Open(path), 11);                            // not a program the system can run
    EXPECT_EQ(ShellExecute(0, "print", "/bin/true", "", "", SW_SHOW), 31); // no way to carry out the verb
    EXPECT_TRUE(opened.empty());
}

TEST_F(ShellExecuteTest, QuotedProgramStartsWithItsParametersAndNoLeakedDescriptors)
{
    // A descriptor without close-on-exec, as a careless library might leave one open.
    int leaked = open("/dev/null", O_RDONLY);
    ASSERT_GE(leaked, 3);
    std::string out = folder / "out.txt";
    std::string script = Script("print args.sh",
                                "ls /proc/$$/fd > '" + out + ".fds'\n"
                                "printf '%s|' \"$@\" > '" + out + ".tmp'\n"
                                "echo >> '" + out + ".tmp'\n"
                                "mv '" + out + ".tmp' '" + out + "'\n");
    EXPECT_GT(Open("\"" + script + "\"", TShellSource::Local, "one \"two three\" four"), 32);
    EXPECT_EQ(AwaitFile(out), "one|two three|four|\n");
    std::string fds = TempFolder::Read(out + ".fds");
    EXPECT_EQ(fds.find("\n" + std::to_string(leaked) + "\n"), std::string::npos) << fds;
    close(leaked);
    EXPECT_TRUE(opened.empty());
}

TEST_F(ShellExecuteTest, DocumentsFoldersAndLocalAddressesGoToTheDesktop)
{
    std::string document = folder / "notes.txt";
    TempFolder::Write(document, "text");
    EXPECT_GT(Open(document), 32);
    EXPECT_GT(ShellExecute(0, "", "notes.txt", "", folder.Path(), SW_SHOW), 32);
    EXPECT_GT(Open(folder.Path()), 32);
    EXPECT_GT(Open("http://www.imdb.com/Find?star+wars"), 32);
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[0], document);
    EXPECT_EQ(opened[1], document);
    EXPECT_EQ(opened[3], "http://www.imdb.com/Find?star+wars");
}
