#include "printing/PagePrinter.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/DisabledWindows.h"
#include "platform/forms/PaintBox.h"
#include "printing/ColumnFormat.h"
#include "printing/PageMacros.h"
#include "printing/PageTextFile.h"

TPagePrinter::TPagePrinter(TComponent* owner) : TScrollBox(owner)
{
    FPreviewBox = new TPaintBox(this);
    FPreviewBox->SetParent(this);
    FPreviewBox->SetAlign(alClient);
    FPreviewBox->OnPaint = [this](TObject* sender) { PaintPreview(sender); };
    ResetPages(false);
    Printer()->SetTitle("");
    Font()->SetName("Courier New");
    Font()->SetSize(10);
    FMarginTop = MinMarginTop();
    FMarginBottom = MinMarginBottom();
    FMarginLeft = MinMarginLeft();
    FMarginRight = MinMarginRight();
    SetLineSpacing(lsSingleSpace);
    SetBounds(Left(), Top(), 89, 115);
    SetScrollIncrement(16);
    UpdatePreviewSize();
    FConstructing = false;
}

TPagePrinter::~TPagePrinter()
{
    CloseProgressDialog();
    FreePageCanvas();
}

// Font changes (the class library's CM_FONTCHANGED): the page canvas follows Font at the
// printer's resolution, and so do the line height and the automatic header and footer fonts.
void TPagePrinter::font_changed()
{
    TScrollBox::font_changed();
    if (!FPageCanvas)
        return;
    FPageCanvas->Font()->Assign(*Font());
    FCanvasFontPoints = Font()->Size();
    ResetFontPPI();
    FTextMetrics = FPageCanvas->TextMetrics();
    SetLineSpacing(FLineSpacing);
    if (FAutoHeaderFont)
        FHeaderFont.Assign(*Font());
    if (FAutoFooterFont)
        FFooterFont.Assign(*Font());
}

namespace {

// MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c)
{
    long long product = static_cast<long long>(a) * b;
    long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

// The canvas font keeps its size in points; its height is recomputed for the printer.
void TPagePrinter::ResetFontPPI()
{
    if (!FPageCanvas)
        return;
    FPageCanvas->Font()->SetHeight(-MulDiv(FCanvasFontPoints, PrinterDpiY(), 72));
}

int TPagePrinter::MeasureWidth(const AnsiString& text) const
{
    return FPageCanvas->TextWidth(text);
}

void TPagePrinter::PrepareMetrics()
{
    if (!IsPrinting()) {
        SetMarginTop(FMarginTop);
        SetMarginBottom(FMarginBottom);
        SetMarginLeft(FMarginLeft);
        SetMarginRight(FMarginRight);
    }
    ResetFontPPI();
    FTextMetrics = FPageCanvas->TextMetrics();
    SetLineSpacing(FLineSpacing);
    if (!FFriendlyHeader.empty())
        SetFriendlyHeader(FFriendlyHeader);
    if (!FFriendlyFooter.empty())
        SetFriendlyFooter(FFriendlyFooter);
}

void TPagePrinter::SetLineSpacing(TLineSpacing spacing)
{
    FLineSpacing = spacing;
    unsigned h = static_cast<unsigned>(std::abs(FPageCanvas->Font()->Height()));
    switch (spacing) {
    case lsHalfSpace: FLineHeight = h / 2; break;
    case lsSingleSpace: FLineHeight = h; break;
    case lsSingleAndAHalf: FLineHeight = h + h / 2; break;
    case lsDoubleSpace: FLineHeight = 2 * h; break;
    }
}

void TPagePrinter::RefuseWhileOpen(const char* message) const
{
    if (IsPrinting())
        throw EPagePrinter(message);
}

void TPagePrinter::StoreMarginTop(double value)
{
    double limit = PaperHeight() - MinMarginBottom();
    FMarginTop = value < MinMarginTop() ? MinMarginTop() : value > limit ? limit : value;
    RepaintPreview();
}

void TPagePrinter::StoreMarginBottom(double value)
{
    double limit = PaperHeight() - MinMarginTop();
    FMarginBottom = value < MinMarginBottom() ? MinMarginBottom() : value > limit ? limit : value;
    RepaintPreview();
}

void TPagePrinter::StoreMarginLeft(double value)
{
    double limit = PaperWidth() - MinMarginRight();
    FMarginLeft = value < MinMarginLeft() ? MinMarginLeft() : value > limit ? limit : value;
    RepaintPreview();
}

void TPagePrinter::StoreMarginRight(double value)
{
    double limit = PaperWidth() - MinMarginLeft();
    FMarginRight = value < MinMarginRight() ? MinMarginRight() : value > limit ? limit : value;
    RepaintPreview();
}

void TPagePrinter::SetMarginTop(double value)
{
    RefuseWhileOpen("Unable to change top margin while printing");
    StoreMarginTop(value);
}

void TPagePrinter::SetMarginBottom(double value)
{
    RefuseWhileOpen("Unable to change bottom margin while printing");
    StoreMarginBottom(value);
}

void TPagePrinter::SetMarginLeft(double value)
{
    RefuseWhileOpen("Unable to change left margin while printing");
    StoreMarginLeft(value);
}

void TPagePrinter::SetMarginRight(double value)
{
    RefuseWhileOpen("Unable to change right margin while printing");
    StoreMarginRight(value);
}

// A change of unit keeps every length where it was on the paper, so it is allowed while a
// document is open too: the margins are converted without the open-document refusal.
void TPagePrinter::SetMeasureUnit(TMeasureUnit unit)
{
    if (unit == FMeasureUnit)
        return;
    FMeasureUnit = unit;
    if (FConstructing)
        return;
    auto convert = [unit](double value) { return unit == muInches ? value / 25.4 : value * 25.4; };
    StoreMarginTop(convert(FMarginTop));
    StoreMarginBottom(convert(FMarginBottom));
    StoreMarginLeft(convert(FMarginLeft));
    StoreMarginRight(convert(FMarginRight));
    FPageBorderOffset = convert(FPageBorderOffset);
    FDefaultColWidth = convert(FDefaultColWidth);
    PrepareMetrics();
    if (FFriendlyFooter.empty())
        FFooterFormat = NormalizeFormat(FFooterFormat, TokenSeparator, FDefaultColWidth, convert);
    if (FFriendlyHeader.empty())
        FHeaderFormat = NormalizeFormat(FHeaderFormat, TokenSeparator, FDefaultColWidth, convert);
    FTableFormat = NormalizeFormat(FTableFormat, TokenSeparator, FDefaultColWidth, convert);
}

TPrinterOrientation TPagePrinter::Orientation() const
{
    return Printer()->HasPrinter() ? Printer()->Orientation() : poPortrait;
}

void TPagePrinter::SetOrientation(TPrinterOrientation orientation)
{
    RefuseWhileOpen("Unable to change orientation while printing");
    if (Printer()->HasPrinter())
        Printer()->SetOrientation(orientation);
    UpdatePreviewSize();
    RepaintPreview();
}

AnsiString TPagePrinter::Title() const
{
    return Printer()->Title();
}

void TPagePrinter::SetTitle(const AnsiString& title)
{
    Printer()->SetTitle(title);
}

TStrings* TPagePrinter::Lines()
{
    if (!FLines)
        FLines = std::make_unique<TStringList>();
    return FLines.get();
}

void TPagePrinter::SetLines(const TStrings* lines)
{
    if (!lines) {
        FLines.reset();
        return;
    }
    Lines()->Assign(*lines);
}

void TPagePrinter::SetPrintToFile(bool toFile)
{
    if (toFile == FPrintToFile)
        return;
    RefuseWhileOpen("Can't change PrintToFile while printing");
    FPrintToFile = toFile;
}

void TPagePrinter::SetFileName(const AnsiString& fileName)
{
    AnsiString trimmed = Trim(fileName);
    if (trimmed == FFileName)
        return;
    RefuseWhileOpen("Can't change FileName while printing");
    FFileName = trimmed;
}

void TPagePrinter::SetTableFormat(const AnsiString& format)
{
    FTableFormat = NormalizeFormat(format, TokenSeparator, FDefaultColWidth);
}

void TPagePrinter::SetHeaderFormat(const AnsiString& format)
{
    FHeaderFormat = NormalizeFormat(format, TokenSeparator, FDefaultColWidth);
}

void TPagePrinter::SetFooterFormat(const AnsiString& format)
{
    FFooterFormat = NormalizeFormat(format, TokenSeparator, FDefaultColWidth);
}

void TPagePrinter::ApplyFriendlyText(const AnsiString& text, bool isHeader)
{
    FriendlyRow row = ParseFriendlyText(text, ContentWidth(), FFileName, TokenSeparator);
    if (isHeader) {
        Header = row.Row;
        SetHeaderFormat(row.Format);
    } else {
        Footer = row.Row;
        SetFooterFormat(row.Format);
    }
}

void TPagePrinter::SetFriendlyHeader(const AnsiString& text)
{
    FFriendlyHeader = text;
    ApplyFriendlyText(text, true);
}

void TPagePrinter::SetFriendlyFooter(const AnsiString& text)
{
    FFriendlyFooter = text;
    ApplyFriendlyText(text, false);
}

void TPagePrinter::SetAutoHeaderFont(bool automatic)
{
    if (automatic == FAutoHeaderFont)
        return;
    FAutoHeaderFont = automatic;
    if (automatic)
        FHeaderFont.Assign(*Font());
}

void TPagePrinter::SetAutoFooterFont(bool automatic)
{
    if (automatic == FAutoFooterFont)
        return;
    FAutoFooterFont = automatic;
    if (automatic)
        FFooterFont.Assign(*Font());
}
