// The document life cycle and plain text: the cursor, line and page breaks, wrapping.
#include "printing/PagePrinter.h"
#include "printing/PageTextFile.h"
#include "printing/TextFitting.h"

void TPagePrinter::BeginDoc()
{
    PrepareMetrics();
    if (FPrintToFile) {
        FOutFile.reset();
        FOutFile = std::make_unique<PageTextFile>(FFileName);
        FFileOpen = true;
    } else {
        ResetPages(true);
    }
    FPrinting = true;
    FInHeaderFooter = false;
    ResetFontPPI();
    FPageNumber = 1;
    StartPage();
}

void TPagePrinter::EndDoc()
{
    FPrinting = false;
    if (FPrintToFile) {
        FOutFile.reset();
        FFileOpen = false;
        return;
    }
    FreePageCanvas();
    CreatePageMetafile();
    SetPageNumber(1);
    UpdatePreviewSize();
    RepaintPreview();
}

unsigned TPagePrinter::NewPage()
{
    if (FFileOpen)
        WriteFile("\f\r\n");
    else
        AddPage();
    ++FPageNumber;
    StartPage();
    return FPageNumber;
}

unsigned TPagePrinter::NewLine()
{
    FCurrentX = 0;
    FCurrentY += static_cast<int>(FLineHeight);
    if (!FFileOpen && !FInHeaderFooter &&
        static_cast<long long>(FCurrentY) + FLineHeight >= static_cast<long long>(PrintableHeight())) {
        NewPage();
    } else {
        if (FFileOpen)
            WriteFile("\r\n");
        ++FLineNumber;
    }
    if (OnNewLine)
        OnNewLine(this);
    return FLineNumber;
}

AnsiString TPagePrinter::TabsExpanded(const AnsiString& text) const
{
    return text.find('\t') == AnsiString::npos ? text : ExpandTabs(text, TabSize);
}

// A line whose bottom would reach the printable bottom goes to the next page.
void TPagePrinter::BreakPageBeforeFullLine()
{
    if (!FFileOpen && static_cast<long long>(FCurrentY) + FLineHeight >= static_cast<long long>(PrintableHeight()))
        NewPage();
}

void TPagePrinter::PutText(int x, const AnsiString& text)
{
    if (FFileOpen)
        WriteFile(text);
    else
        FPageCanvas->TextOut(LeftOffset() + x, TopOffset() + FCurrentY, text);
}

void TPagePrinter::WriteFile(const AnsiString& text)
{
    FOutFile->Write(text);
}

int TPagePrinter::BlankWidth() const
{
    int width = MeasureWidth(" ");
    return width > 0 ? width : 1;
}

void TPagePrinter::Write(const AnsiString& text)
{
    AnsiString s = TabsExpanded(text);
    int width = MeasureWidth(s);
    long long room = static_cast<long long>(PrintableWidth()) - FCurrentX;
    if (width > room && !WordWrap) {
        // Cut at the right edge: what does not fit, be it a single character, is lost.
        AnsiString head = CutToRoom(s, room);
        if (!head.empty())
            Write(head);
        return;
    }
    if (width > room && s.size() > 1) {
        WriteWrapped(s, true);
        return;
    }
    BreakPageBeforeFullLine();
    PutText(FCurrentX, s);
    FCurrentX += width;
}

void TPagePrinter::WriteLine(const AnsiString& text)
{
    AnsiString s = TabsExpanded(text);
    int width = MeasureWidth(s);
    if (width > PrintableWidth() && (s.size() > 1 || !WordWrap)) {
        FCurrentX = 0;
        if (WordWrap)
            WriteWrapped(s, false);
        else
            WriteLine(CutToRoom(s, PrintableWidth()));
        return;
    }
    switch (Alignment) {
    case taRightJustify: FCurrentX = PrintableWidth() - width; break;
    case taCenter: FCurrentX = (PrintableWidth() - width) / 2; break;
    default: FCurrentX = 0; break;
    }
    BreakPageBeforeFullLine();
    if (FFileOpen)
        WriteFile(Spaces(FCurrentX / BlankWidth()) + s);
    else
        PutText(FCurrentX, s);
    NewLine();
}

// The longest beginning of the text that fits the room; empty when not even its first
// character does.
AnsiString TPagePrinter::CutToRoom(const AnsiString& text, long long room) const
{
    AnsiString head = TruncateToWidth(text, room, [this](const AnsiString& t) { return MeasureWidth(t); });
    return MeasureWidth(head) <= room ? head : AnsiString();
}

// Write continues the current line and leaves the cursor after the last piece; WriteLine
// makes whole lines only. A cursor already at or past the right edge (after a single character
// that did not fit) starts a new line first, so every piece has room to make progress in.
void TPagePrinter::WriteWrapped(const AnsiString& text, bool asWrite)
{
    MeasureText measure = [this](const AnsiString& t) { return MeasureWidth(t); };
    AnsiString rest = text;
    do {
        long long room = static_cast<long long>(PrintableWidth()) - FCurrentX;
        if (room <= 0 && FCurrentX > 0) {
            NewLine();
            continue;
        }
        AnsiString piece;
        SplitToWidth(piece, rest, !asWrite, room, measure);
        if (asWrite) {
            Write(piece);
            if (!rest.empty())
                NewLine();
        } else {
            WriteLine(piece);
        }
    } while (!rest.empty());
}
