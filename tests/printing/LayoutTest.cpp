#include "PrintingFixture.h"
#include <climits>
#include <cmath>
#include <map>
#include "platform/core/DateTime.h"
#include "platform/core/SysUtils.h"
#include "printing/ColumnFormat.h"

namespace {

int Millimetres(double mm) { return static_cast<int>(std::lround(mm / 25.4 * 300)); }

std::vector<MetafileLine> Lines(const TMetafile* page)
{
    std::vector<MetafileLine> lines;
    for (const MetafileRecord& record : page->Records())
        if (auto* line = std::get_if<MetafileLine>(&record))
            lines.push_back(*line);
    return lines;
}

} // namespace

TEST_F(PrintingTest, MarginsInMillimetresAndInchesPlaceTheText)
{
    TPrinterDeviceCaps caps = Printer()->DeviceCaps();
    ASSERT_EQ(caps.LogPixelsX, 300);
    PP->SetMarginLeft(20);
    PP->SetMarginTop(15);
    PP->BeginDoc();
    PP->WriteLine("Alku");
    PP->EndDoc();
    std::vector<MetafileText> texts = Texts(1);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].X + caps.PhysicalOffsetX, Millimetres(20));
    EXPECT_EQ(texts[0].Y + caps.PhysicalOffsetY, Millimetres(15));

    PP->SetMeasureUnit(muInches);
    EXPECT_NEAR(PP->MarginLeft(), 20 / 25.4, 1e-9);
    PP->SetMarginLeft(1);
    PP->SetMarginTop(0.5);
    PP->BeginDoc();
    PP->WriteLine("Alku");
    PP->EndDoc();
    texts = Texts(1);
    EXPECT_EQ(texts[0].X + caps.PhysicalOffsetX, 300);
    EXPECT_EQ(texts[0].Y + caps.PhysicalOffsetY, 150);
}

TEST_F(PrintingTest, MarginsAreClampedAndUnitChangesConvertLengths)
{
    PP->SetMarginTop(0);
    EXPECT_EQ(PP->MarginTop(), PP->MinMarginTop());
    PP->SetMarginLeft(1000);
    EXPECT_EQ(PP->MarginLeft(), PP->PaperWidth() - PP->MinMarginRight());
    PP->SetCopies(0);
    EXPECT_EQ(PP->Copies(), 1u);

    PP->SetMeasureUnit(muInches);
    PP->SetMarginRight(0.5);
    PP->SetTableFormat("<1|>2");
    PP->SetMeasureUnit(muMillimeters);
    EXPECT_NEAR(PP->MarginRight(), 12.7, 1e-9);
    EXPECT_EQ(PP->TableFormat(), "<25,4|>50,8");
}

TEST_F(PrintingTest, AnOpenDocumentRefusesGeometryChanges)
{
    PP->BeginDoc();
    auto refuses = [](auto change, const char* message) {
        try {
            change();
            ADD_FAILURE() << "no refusal: " << message;
        } catch (const EPagePrinter& error) {
            EXPECT_EQ(error.Message, message);
        }
    };
    refuses([&] { PP->SetMarginTop(20); }, "Unable to change top margin while printing");
    refuses([&] { PP->SetMarginBottom(20); }, "Unable to change bottom margin while printing");
    refuses([&] { PP->SetMarginLeft(20); }, "Unable to change left margin while printing");
    refuses([&] { PP->SetMarginRight(20); }, "Unable to change right margin while printing");
    refuses([&] { PP->SetOrientation(poLandscape); }, "Unable to change orientation while printing");
    refuses([&] { PP->SetPrintToFile(true); }, "Can't change PrintToFile while printing");
    refuses([&] { PP->SetFileName("x.txt"); }, "Can't change FileName while printing");
    PP->SetPrintToFile(false);
    // A unit change keeps every length where it is on the paper, so it may happen meanwhile.
    double left = PP->MarginLeft();
    PP->SetMeasureUnit(muInches);
    EXPECT_NEAR(PP->MarginLeft(), left / 25.4, 1e-9);
    PP->EndDoc();
    PP->SetMarginTop(1);
    EXPECT_EQ(PP->MarginTop(), 1);
}

TEST_F(PrintingTest, WriteLineWrapsAtTheLastBlankThatFits)
{
    PP->SetMarginLeft(40);
    PP->SetMarginRight(80);
    const AnsiString text = "Uutiset ja urheilua, säätiedotus sekä illan elokuva: Tuntematon sotilas "
                            "(1955) ohjaus Edvin Laine, pääosissa Kosti Klemelä ja Heikki Savolainen."_a;
    PP->BeginDoc();
    PP->WriteLine(text);
    PP->EndDoc();
    std::vector<MetafileText> texts = Texts(1);
    ASSERT_GT(texts.size(), 2u);
    AnsiString joined;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const AnsiString& line = texts[i].Text;
        EXPECT_LE(PP->Canvas()->TextWidth(line), PP->PrintableWidth()) << line;
        EXPECT_NE(line.front(), ' ') << line;
        EXPECT_EQ(texts[i].Y, PP->TopOffset() + static_cast<int>(i * PP->LineHeight()));
        if (i + 1 < texts.size()) {
            AnsiString next = texts[i + 1].Text;
            AnsiString longer = line + " " + next.substr(0, next.find(' '));
            EXPECT_GT(PP->Canvas()->TextWidth(longer), PP->PrintableWidth()) << "the next word would have fit: " << line;
        }
        // The blank at a break stays at the end of the line it ends, or is dropped.
        joined += (i && joined.back() != ' ' ? " " : "") + line;
    }
    EXPECT_EQ(joined, text);

    // A word wider than a line is cut at the widest prefix that fits.
    PP->BeginDoc();
    PP->WriteLine(AnsiString(200, 'W'));
    PP->EndDoc();
    texts = Texts(1);
    ASSERT_GT(texts.size(), 1u);
    std::size_t total = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_LE(PP->Canvas()->TextWidth(texts[i].Text), PP->PrintableWidth());
        if (i + 1 < texts.size()) {
            EXPECT_GT(PP->Canvas()->TextWidth(texts[i].Text + "W"), PP->PrintableWidth());
        }
        total += texts[i].Text.size();
    }
    EXPECT_EQ(total, 200u);
}

TEST_F(PrintingTest, WithoutWrappingNothingIsDrawnPastTheRightEdge)
{
    PP->WordWrap = false;
    PP->BeginDoc();
    TMetafileCanvas* canvas = PP->Canvas();
    // A line of x's with less room left than one "W" takes.
    AnsiString filler;
    while (canvas->TextWidth(filler + "x") <= PP->PrintableWidth())
        filler += 'x';
    ASSERT_GT(canvas->TextWidth(filler + "W"), PP->PrintableWidth());
    PP->Write(filler);
    PP->Write("Wide");
    PP->Write("W");
    PP->NewLine();
    PP->Write("ok");
    PP->EndDoc();

    std::vector<MetafileText> texts = Texts(1);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Text, filler);
    EXPECT_EQ(texts[1].Text, "ok");
    for (const MetafileText& text : texts)
        EXPECT_LE(text.X + canvas->TextWidth(text.Text), PP->LeftOffset() + PP->PrintableWidth()) << text.Text;
}

TEST_F(PrintingTest, WriteRunsOnAndBreaksBeforeTheWordThatDoesNotFit)
{
    PP->BeginDoc();
    TMetafileCanvas* canvas = PP->Canvas();
    // A run of x's leaving room for "abc d" but not for "abc de".
    AnsiString filler;
    while (canvas->TextWidth(filler + "xabc d") <= PP->PrintableWidth())
        filler += 'x';
    ASSERT_LE(canvas->TextWidth(filler + "abc d"), PP->PrintableWidth());
    ASSERT_GT(canvas->TextWidth(filler + "abc de"), PP->PrintableWidth());
    PP->Write(filler);
    PP->Write("abc def");
    PP->NewLine();
    // Without wrapping the part that fits is written and the rest is lost.
    PP->WordWrap = false;
    PP->Write(filler);
    PP->Write("abc def");
    PP->NewLine();
    PP->Write("a\tb");
    PP->EndDoc();

    std::vector<MetafileText> texts = Texts(1);
    ASSERT_EQ(texts.size(), 6u);
    int line = static_cast<int>(PP->LineHeight());
    EXPECT_EQ(texts[1].Text, "abc ");
    EXPECT_EQ(texts[1].Y, texts[0].Y);
    EXPECT_EQ(texts[2].Text, "def");
    EXPECT_EQ(texts[2].X, PP->LeftOffset());
    EXPECT_EQ(texts[2].Y, texts[0].Y + line);
    EXPECT_EQ(texts[4].Text, "abc d");
    EXPECT_EQ(texts[4].Y, texts[3].Y);
    EXPECT_EQ(texts[5].Text, "a       b");
    EXPECT_EQ(texts[5].Y, texts[3].Y + line);
}

TEST_F(PrintingTest, ACursorPastTheEdgeStartsANewLineInsteadOfStalling)
{
    PP->BeginDoc();
    AnsiString filler;
    while (PP->Canvas()->TextWidth(filler + "x") <= PP->PrintableWidth())
        filler += 'x';
    PP->Write(filler);
    PP->Write("W"); // a single character is written even where it does not fit
    EXPECT_GT(PP->CurrentX(), PP->PrintableWidth());
    PP->Write("yz");
    PP->EndDoc();
    std::vector<MetafileText> texts = Texts(1);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].Text, "W");
    EXPECT_EQ(texts[2].Text, "yz");
    EXPECT_EQ(texts[2].X, PP->LeftOffset());
    EXPECT_EQ(texts[2].Y, texts[0].Y + static_cast<int>(PP->LineHeight()));
}

TEST_F(PrintingTest, LineSpacingAndPageBreaks)
{
    int height = std::abs(PP->Canvas()->Font()->Height());
    EXPECT_EQ(height, 42); // 10 points at 300 dpi
    PP->SetLineSpacing(lsHalfSpace);
    EXPECT_EQ(PP->LineHeight(), 21u);
    PP->SetLineSpacing(lsDoubleSpace);
    EXPECT_EQ(PP->LineHeight(), 84u);
    PP->Font()->SetSize(8); // 33 pixels: a half line is taken in whole pixels
    PP->SetLineSpacing(lsSingleAndAHalf);
    EXPECT_EQ(PP->LineHeight(), 49u);

    int newPages = 0;
    PP->OnNewPage = [&](TObject*) { ++newPages; };
    PP->BeginDoc();
    std::vector<unsigned> lineNumbers;
    while (PP->PageNumber() == 1) {
        PP->WriteLine("rivi");
        lineNumbers.push_back(PP->LineNumber());
    }
    PP->WriteLine("toinen sivu");
    PP->EndDoc();
    EXPECT_EQ(newPages, 2);
    EXPECT_EQ(lineNumbers.back(), 0u); // the break counts no line on the old page

    int lineHeight = static_cast<int>(PP->LineHeight());
    int expectedLines = 0;
    while ((expectedLines + 1) * lineHeight < PP->PrintableHeight())
        ++expectedLines;
    std::vector<MetafileText> first = Texts(1);
    ASSERT_EQ(static_cast<int>(first.size()), expectedLines);
    EXPECT_LT(first.back().Y - PP->TopOffset() + lineHeight, PP->PrintableHeight());
    std::vector<MetafileText> second = Texts(2);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].Y, PP->TopOffset());
}

TEST_F(PrintingTest, TableColumnsAlignWithInsetAndGrid)
{
    PP->SetMarginLeft(20);
    PP->SetTableFormat("<30|>20|^-10");
    PP->TableGrid = true;
    PP->BeginDoc();
    PP->WriteTableLine("vasen|oik|k|ylimääräinen"_a);
    PP->EndDoc();
    std::vector<MetafileText> texts = Texts(1);
    ASSERT_EQ(texts.size(), 3u);
    int left = PP->LeftOffset();
    int c1 = Millimetres(30), c2 = Millimetres(20), c3 = Millimetres(10);
    TMetafileCanvas* canvas = PP->Canvas();
    EXPECT_EQ(texts[0].X, left + 6);
    EXPECT_EQ(texts[1].X + canvas->TextWidth("oik"), left + c1 + c2 - 6);
    EXPECT_EQ(texts[2].X, left + c1 + c2 + (c3 - canvas->TextWidth("k")) / 2);

    // Boxes around the first two columns only: a top and a bottom line each, and their sides.
    std::vector<MetafileLine> lines = Lines(PP->PageMetafile(1));
    int horizontal = 0;
    for (const MetafileLine& line : lines) {
        EXPECT_LE(std::max(line.From.X, line.To.X), left + c1 + c2);
        if (line.From.Y == line.To.Y)
            ++horizontal;
    }
    EXPECT_EQ(horizontal, 4);
}

TEST_F(PrintingTest, ALongCellWrapsWithinItsColumnAndLineFeedsBreakIt)
{
    PP->SetTableFormat("<25|<40");
    PP->TableGrid = true;
    PP->BeginDoc();
    PP->WriteTableLine("Ohjelma joka jatkuu monelle riville sarakkeessaan|toinen");
    PP->WriteTableLine("a\nb|{$LINE}");
    PP->EndDoc();
    std::vector<MetafileText> texts = Texts(1);
    int line = static_cast<int>(PP->LineHeight());
    int column = Millimetres(25);
    ASSERT_GE(texts.size(), 5u);
    EXPECT_EQ(texts[1].Text, "toinen");
    int rows = 0;
    AnsiString joined;
    std::size_t i = 0;
    for (; i < texts.size() && texts[i].Text != "a"; ++i) {
        if (texts[i].X >= PP->LeftOffset() + column) {
            EXPECT_TRUE(texts[i].Text.empty() || texts[i].Text == "toinen");
            continue;
        }
        EXPECT_LE(PP->Canvas()->TextWidth(texts[i].Text), column);
        EXPECT_EQ(texts[i].Y, PP->TopOffset() + rows * line);
        joined += texts[i].Text;
        ++rows;
    }
    EXPECT_EQ(joined, "Ohjelma joka jatkuu monelle riville sarakkeessaan");
    ASSERT_GE(rows, 3);
    // Each row has one top line and one bottom line per column, however many lines it takes;
    // the first row's bottom lines lie on the second row's top lines.
    std::map<int, int> horizontal;
    int firstTop = INT_MAX;
    for (const MetafileLine& l : Lines(PP->PageMetafile(1)))
        if (l.From.Y == l.To.Y) {
            ++horizontal[l.From.Y];
            firstTop = std::min(firstTop, l.From.Y);
        }
    EXPECT_EQ(horizontal, (std::map<int, int>{{firstTop, 2}, {firstTop + rows * line, 4}, {firstTop + (rows + 2) * line, 2}}));

    // The second row: the line feed splits "a" and "b"; the macro shows the line count.
    ASSERT_EQ(texts.size(), i + 4);
    EXPECT_EQ(texts[i + 1].Text, IntToStr(rows));
    EXPECT_EQ(texts[i + 2].Text, "b");
    EXPECT_EQ(texts[i + 2].Y, texts[i].Y + line);
}

TEST_F(PrintingTest, HeadersAndFootersCarryTitlePageAndDate)
{
    ClockSet(EncodeDate(2026, 12, 6) + EncodeTime(23, 0, 0, 0));
    PP->SetMarginTop(25);
    PP->SetMarginBottom(25);
    PP->SetTitle("Päivän tiedot"_a);
    PP->SetFriendlyHeader("&i");
    EXPECT_EQ(PP->Header, "{$TITLE}");
    EXPECT_EQ(PP->HeaderFormat(), NormalizeFormat("<" + FloatToStr(std::round(PP->ContentWidth() * 100) / 100), '|', 0));
    PP->SetFriendlyFooter("&lSivu &p&r&d");
    PP->BeginDoc();
    PP->WriteLine("eka");
    PP->NewPage();
    PP->WriteLine("toka");
    PP->EndDoc();
    ClockUseSystem();

    for (unsigned page = 1; page <= 2; ++page) {
        std::vector<MetafileText> texts = Texts(page);
        ASSERT_EQ(texts.size(), 4u);
        EXPECT_EQ(texts[0].Text, "Päivän tiedot"_a);
        EXPECT_LT(texts[0].Y, PP->TopOffset());
        EXPECT_EQ(texts[1].Text, "Sivu " + IntToStr(page));
        EXPECT_EQ(texts[2].Text, "6.12.2026");
        EXPECT_GT(texts[1].Y, PP->TopOffset() + PP->PrintableHeight());
        EXPECT_EQ(texts[3].Text, page == 1 ? "eka" : "toka");
        EXPECT_EQ(texts[3].Y, PP->TopOffset());
    }
    // The header sits in the middle of the top margin.
    int headerMiddle = Texts(1)[0].Y + Printer()->DeviceCaps().PhysicalOffsetY + static_cast<int>(PP->LineHeight()) / 2;
    EXPECT_NEAR(headerMiddle, Millimetres(25) / 2, 2);

    // A top margin lower than the header: the header goes to the printable top, not off the page.
    PP->SetMarginTop(0);
    PP->BeginDoc();
    PP->EndDoc();
    EXPECT_EQ(Texts(1)[0].Y, 0);
}

TEST_F(PrintingTest, PageBordersLieOutsideTheMargins)
{
    PP->SetMarginLeft(30);
    PP->SetMarginTop(30);
    PP->SetPageBorderOffset(5);
    PP->PageBorders = {pbTop, pbLeft};
    PP->BeginDoc();
    PP->EndDoc();
    std::vector<MetafileLine> lines = Lines(PP->PageMetafile(1));
    ASSERT_EQ(lines.size(), 2u);
    int d = Millimetres(5);
    EXPECT_EQ(lines[0].From.Y, PP->TopOffset() - d);
    EXPECT_EQ(lines[0].To.Y, PP->TopOffset() - d);
    EXPECT_EQ(lines[1].From.X, PP->LeftOffset() - d);
    EXPECT_EQ(lines[1].To.Y, PP->TopOffset() + PP->PrintableHeight() + d);
    EXPECT_EQ(lines[0].Width, 2);
}

TEST_F(PrintingTest, PrintToFileWritesPlainText)
{
    std::string path = Folder + "/lista.txt";
    PP->SetPrintToFile(true);
    PP->SetFileName(" " + path + " ");
    EXPECT_EQ(PP->FileName(), path);
    PP->SetTitle("Lista");
    PP->SetFriendlyHeader("&i");
    PP->Footer = "-";
    PP->SetFooterFormat("<20");
    PP->BeginDoc();
    for (int i = 0; i < 150; ++i)
        PP->WriteLine("Rivi");
    PP->Write("a");
    PP->Write("b");
    PP->NewLine();
    PP->NewPage();
    PP->Alignment = taRightJustify;
    PP->WriteLine("oikea");
    PP->EndDoc();
    EXPECT_EQ(PP->PageCount(), 0u);

    TStringList lines;
    lines.LoadFromFile(path);
    ASSERT_EQ(lines.Count(), 1 + 1 + 150 + 1 + 1 + 1 + 1 + 1);
    EXPECT_EQ(Trim(lines[0]), "Lista");
    EXPECT_EQ(Trim(lines[1]), "-");
    EXPECT_EQ(lines[2], "Rivi");
    EXPECT_EQ(lines[152], "ab");
    EXPECT_EQ(lines[153], "\f");
    EXPECT_EQ(Trim(lines[154]), "Lista");
    EXPECT_EQ(Trim(lines[156]), "oikea");
    EXPECT_GT(lines[156].size(), 40u); // padded to the right edge

    PP->SetFileName(Folder + "/puuttuva/lista.txt");
    EXPECT_THROW(PP->BeginDoc(), EInOutError);
    EXPECT_FALSE(PP->IsPrinting());
}

// The day's listing as the print form writes it: bold times and plain titles running on as one
// paragraph, which must wrap between programmes and never inside a time.
TEST_F(PrintingTest, MixedFontsRunOnAndWrapAsOneParagraph)
{
    PP->SetLineSpacing(lsSingleAndAHalf);
    PP->BeginDoc();
    PP->Font()->SetName("Verdana");
    PP->Font()->SetSize(8);
    for (int i = 0; i < 40; ++i) {
        char time[8];
        std::snprintf(time, sizeof time, "%02d:%02d", 6 + i / 3, i % 3 * 20);
        PP->Font()->SetStyle({fsBold});
        PP->Write(i == 0 ? AnsiString(time) : " " + AnsiString(time));
        PP->Font()->SetStyle({});
        PP->Write(" Uutiset ja sää"_a);
    }
    PP->EndDoc();

    std::vector<MetafileText> texts = Texts(1);
    ASSERT_EQ(texts[0].Text, "06:00");
    EXPECT_TRUE(texts[0].Font.Style.Contains(fsBold));
    EXPECT_EQ(texts[1].Text, " Uutiset ja sää"_a);
    EXPECT_FALSE(texts[1].Font.Style.Contains(fsBold));
    EXPECT_EQ(texts[1].Y, texts[0].Y);
    EXPECT_GT(texts[1].X, texts[0].X);
    EXPECT_EQ(texts[1].Font.Name, "Verdana");
    EXPECT_EQ(texts[1].Font.Height, -33); // 8 points at 300 dpi

    int lines = 0;
    for (const MetafileText& text : texts) {
        if (text.Font.Style.Contains(fsBold)) {
            // A time is whole, or only the blank before it stayed at the end of a line.
            AnsiString time = text.Text[0] == ' ' ? text.Text.substr(1) : text.Text;
            EXPECT_TRUE(time.empty() || (time.size() == 5 && time[2] == ':')) << text.Text;
        }
        if (text.X == PP->LeftOffset())
            ++lines;
        if (!text.Font.Style.Contains(fsBold)) {
            EXPECT_LE(text.X - PP->LeftOffset() + PP->Canvas()->TextWidth(text.Text), PP->PrintableWidth());
        }
    }
    EXPECT_GT(lines, 3);
    EXPECT_EQ(texts.back().Y, PP->TopOffset() + (lines - 1) * static_cast<int>(PP->LineHeight()));
}
