// Page printer tests: an application object, a modal handler that fails on any box, and the
// program's printer writing PDF files into a private folder.
#pragma once
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#include "forms/FormsFixture.h"
#include "platform/services/Printer.h"
#include "printing/PagePrinter.h"

class PrintingTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        std::string folder = (std::filesystem::temp_directory_path() / "qex-printing-XXXXXX").string();
        Folder = mkdtemp(folder.data());
        Pdf = Folder + "/out.pdf";
        Printer()->SetOutputFileName(Pdf);
        PP = new TPagePrinter(nullptr);
        PP->SetMeasureUnit(muMillimeters);
    }
    void TearDown() override
    {
        delete PP;
        Printer()->SetOutputFileName("");
        std::filesystem::remove_all(Folder);
        FormsTest::TearDown();
    }

    static std::string Run(const std::string& command)
    {
        std::string output;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return output;
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, n);
        pclose(pipe);
        return output;
    }
    // The text of one printed page, as UTF-8.
    std::string PdfPageText(int page) const
    {
        return Run("pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" + Pdf + "' - 2>/dev/null");
    }
    int PdfPageCount() const
    {
        std::string info = Run("pdfinfo '" + Pdf + "' 2>/dev/null");
        std::size_t at = info.find("Pages:");
        return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
    }
    std::string PdfInfo() const { return Run("pdfinfo '" + Pdf + "' 2>/dev/null"); }
    bool PdfExists() const { return std::filesystem::exists(Pdf); }

    // The texts recorded on a page, in drawing order.
    std::vector<MetafileText> Texts(unsigned page) const
    {
        std::vector<MetafileText> texts;
        if (TMetafile* metafile = PP->PageMetafile(page))
            for (const MetafileRecord& record : metafile->Records())
                if (auto* text = std::get_if<MetafileText>(&record))
                    texts.push_back(*text);
        return texts;
    }

    std::string Folder;
    std::string Pdf;
    TPagePrinter* PP = nullptr;
};
