// The plain text file a document goes to when it is printed to a file. Failures raise
// EInOutError with the file's name, as the class library's text files do.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Streams.h"
#include <memory>

class PageTextFile {
public:
    // Creates the file, replacing an existing one.
    explicit PageTextFile(const AnsiString& fileName);
    void Write(const AnsiString& text);

private:
    std::unique_ptr<TFileStream> FStream;
};
