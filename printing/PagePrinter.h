// TPagePrinter: a document component. A caller opens a document with BeginDoc, writes text
// through a cursor (Write, WriteLine, NewLine, NewPage, WriteTableLine), closes it with EndDoc,
// then previews the pages in the component itself and prints them with Print. Every page is
// recorded in printer pixels, so layout, measuring and wrapping happen at the printer's
// resolution and the preview shows exactly what will be printed. With PrintToFile the same
// calls write a plain text file instead of pages.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Strings.h"
#include "platform/forms/Font.h"
#include "platform/forms/ScrollBox.h"
#include "platform/forms/Set.h"
#include "platform/services/Metafile.h"
#include "platform/services/MetafileCanvas.h"
#include "platform/services/Printer.h"
#include "printing/PageList.h"
#include <memory>
#include <vector>

class DisabledWindows;
class PageTextFile;
class TCanvas;
class TPaintBox;
class TPPPrnPrgDlg;
struct ColumnLayout;

enum TMeasureUnit { muInches, muMillimeters };
enum TLineSpacing { lsHalfSpace, lsSingleSpace, lsSingleAndAHalf, lsDoubleSpace };
enum TPageBorder { pbTop, pbBottom, pbLeft, pbRight };
using TPageBorders = TSet<TPageBorder>;
enum TZoomLocation { zlTopLeft, zlTopCenter, zlCenter };

QEX_EXCEPTION(EPagePrinter, EPrinter);
QEX_EXCEPTION(ECancelPrinting, EPagePrinter);

class TPagePrinter : public TScrollBox {
public:
    explicit TPagePrinter(TComponent* owner);
    ~TPagePrinter() override;

    // The document.
    void BeginDoc();
    void EndDoc();
    unsigned NewPage();
    unsigned NewLine();
    void Write(const AnsiString& text);
    void WriteLine(const AnsiString& text);
    // One table row: cells separated by TokenSeparator, laid out in the columns of TableFormat.
    void WriteTableLine(const AnsiString& row);
    // Prints the stored pages; false when the user cancelled.
    bool Print();
    bool IsPrinting() const { return FPrintToFile ? FFileOpen : FPrinting; }

    // Cursor and pages. CurrentX and CurrentY are printer pixels from the margins (a table row
    // uses CurrentX as an absolute position).
    int CurrentX() const { return FCurrentX; }
    int CurrentY() const { return FCurrentY; }
    unsigned LineHeight() const { return FLineHeight; }
    unsigned LineNumber() const { return FLineNumber; }
    // While composing, the page being composed; afterwards the page shown in the preview.
    unsigned PageNumber() const { return FPageNumber; }
    void SetPageNumber(unsigned page);
    unsigned PageCount() const { return static_cast<unsigned>(FPages.Count()); }
    // Page n counting from 1, or nullptr.
    TMetafile* PageMetafile(unsigned n) const;
    // The page being composed, for drawing on it directly; its font's height is in printer pixels.
    TMetafileCanvas* Canvas() const { return FPageCanvas.get(); }

    // Lengths are in MeasureUnit; changing it converts them.
    TMeasureUnit MeasureUnit() const { return FMeasureUnit; }
    void SetMeasureUnit(TMeasureUnit unit);
    double MarginTop() const { return FMarginTop; }
    void SetMarginTop(double value);
    double MarginBottom() const { return FMarginBottom; }
    void SetMarginBottom(double value);
    double MarginLeft() const { return FMarginLeft; }
    void SetMarginLeft(double value);
    double MarginRight() const { return FMarginRight; }
    void SetMarginRight(double value);
    TPrinterOrientation Orientation() const;
    void SetOrientation(TPrinterOrientation orientation);
    TLineSpacing LineSpacing() const { return FLineSpacing; }
    void SetLineSpacing(TLineSpacing spacing);
    double DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(double width) { FDefaultColWidth = width; }
    double PageBorderOffset() const { return FPageBorderOffset; }
    void SetPageBorderOffset(double offset) { FPageBorderOffset = offset; }

    // Device geometry, read from the printer on every use (a notional 300-dpi printer when
    // there is none).
    double MinMarginTop() const;
    double MinMarginBottom() const { return MinMarginTop(); }
    double MinMarginLeft() const;
    double MinMarginRight() const { return MinMarginLeft(); }
    double PaperWidth() const;
    double PaperHeight() const;
    double PrintablePaperWidth() const;
    double PrintablePaperHeight() const;
    double ContentWidth() const { return PaperWidth() - FMarginLeft - FMarginRight; }
    int LeftOffset() const { return UnitsToPixelsX(FMarginLeft - MinMarginLeft()); }
    int RightOffset() const { return UnitsToPixelsX(FMarginRight - MinMarginRight()); }
    int TopOffset() const { return UnitsToPixelsY(FMarginTop - MinMarginTop()); }
    int BottomOffset() const { return UnitsToPixelsY(FMarginBottom - MinMarginBottom()); }
    int PrintableWidth() const { return UnitsToPixelsX(PrintablePaperWidth()) - LeftOffset() - RightOffset(); }
    int PrintableHeight() const { return UnitsToPixelsY(PrintablePaperHeight()) - TopOffset() - BottomOffset(); }
    int UnitsToPixelsX(double value) const;
    int UnitsToPixelsY(double value) const;
    double PixelsToUnitsX(int pixels) const;
    double PixelsToUnitsY(int pixels) const;

    // Text.
    TAlignment Alignment = taLeftJustify; // of WriteLine
    bool WordWrap = true;                 // wrap, or cut what does not fit
    unsigned TabSize = 8;
    char TokenSeparator = '|';
    TStrings* Lines();
    void SetLines(const TStrings* lines);
    bool PrintToFile() const { return FPrintToFile; }
    void SetPrintToFile(bool toFile);
    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& fileName);
    // The printer's job title, also the "{$TITLE}" macro.
    AnsiString Title() const;
    void SetTitle(const AnsiString& title);

    // Tables, headers and footers.
    const AnsiString& TableFormat() const { return FTableFormat; }
    void SetTableFormat(const AnsiString& format);
    bool TableGrid = false;
    AnsiString Header;
    const AnsiString& HeaderFormat() const { return FHeaderFormat; }
    void SetHeaderFormat(const AnsiString& format);
    AnsiString Footer;
    const AnsiString& FooterFormat() const { return FFooterFormat; }
    void SetFooterFormat(const AnsiString& format);
    const AnsiString& FriendlyHeader() const { return FFriendlyHeader; }
    void SetFriendlyHeader(const AnsiString& text);
    const AnsiString& FriendlyFooter() const { return FFriendlyFooter; }
    void SetFriendlyFooter(const AnsiString& text);
    TFont* HeaderFont() { return &FHeaderFont; }
    void SetHeaderFont(const TFont& font) { FHeaderFont.Assign(font); }
    TFont* FooterFont() { return &FFooterFont; }
    void SetFooterFont(const TFont& font) { FFooterFont.Assign(font); }
    // While set, every change of Font is copied into the header (footer) font.
    bool AutoHeaderFont() const { return FAutoHeaderFont; }
    void SetAutoHeaderFont(bool automatic);
    bool AutoFooterFont() const { return FAutoFooterFont; }
    void SetAutoFooterFont(bool automatic);
    TPageBorders PageBorders;

    // Printing.
    unsigned Copies() const { return FCopies; }
    void SetCopies(unsigned copies) { FCopies = copies == 0 ? 1 : copies; }
    bool Collate = true;
    // 0 means from the first page and to the last page.
    unsigned PrintFromPage() const { return FPrintFromPage; }
    void SetPrintFromPage(unsigned page);
    unsigned PrintToPage() const { return FPrintToPage; }
    void SetPrintToPage(unsigned page);
    bool AbortOnCancel = false; // a cancelled run throws the job away instead of ending it
    bool ShowProgress = true;
    bool ShowCancel = true;
    AnsiString ProgressMessage;
    TPPPrnPrgDlg* ProgressDialog() const { return FProgressDialog; }

    // The preview.
    unsigned ZoomPercent() const { return FZoomPercent; }
    void SetZoomPercent(unsigned percent);
    TZoomLocation ZoomLocation() const { return FZoomLocation; }
    void SetZoomLocation(TZoomLocation location) { FZoomLocation = location; }
    unsigned ShadowOffset() const { return FShadowOffset; }
    void SetShadowOffset(unsigned offset);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor color);
    bool ShowMargins() const { return FShowMargins; }
    void SetShowMargins(bool show);
    bool GradientBackground() const { return FGradientBackground; }
    void SetGradientBackground(bool gradient);
    TPaintBox* PreviewBox() const { return FPreviewBox; }
    int PreviewPageWidth() const { return PreviewPageSize(true); }
    int PreviewPageHeight() const { return PreviewPageSize(false); }

    TNotifyEvent OnNewLine; // after every line advance and after each page start
    TNotifyEvent OnNewPage; // at each page start, before the header

protected:
    void font_changed() override;
    virtual void PaintPreview(TObject* Sender);

private:
    // Metrics and fonts.
    int PrinterDpiX() const;
    int PrinterDpiY() const;
    double Inches(double value) const;
    double FromInches(double inches) const;
    void PrepareMetrics();
    void ResetFontPPI();
    int MeasureWidth(const AnsiString& text) const;
    void StoreMarginTop(double value);
    void StoreMarginBottom(double value);
    void StoreMarginLeft(double value);
    void StoreMarginRight(double value);
    void RefuseWhileOpen(const char* message) const;

    // Text.
    AnsiString TabsExpanded(const AnsiString& text) const;
    void BreakPageBeforeFullLine();
    void WriteWrapped(const AnsiString& text, bool asWrite);
    AnsiString CutToRoom(const AnsiString& text, long long room) const;
    void PutText(int x, const AnsiString& text);
    void WriteFile(const AnsiString& text);
    int BlankWidth() const;

    // Tables, headers, footers.
    ColumnLayout GetTableColumn(const std::vector<AnsiString>& formats, std::size_t i) const;
    void DrawCellBox(int width, bool drawTop, bool drawBottom);
    int ScaledExternalLeading() const;
    void StartPage();
    void WriteHeaderAndFooter();
    void DrawPageBorders();
    void ApplyFriendlyText(const AnsiString& text, bool isHeader);

    // The page store.
    void ResetPages(bool addFirst);
    void AddPage();
    void CreatePageMetafile();
    void FreePageCanvas();

    // The preview.
    int UnitsToScreenPixels(bool horizontal, double value) const;
    int ZoomedPixels(bool horizontal, double value) const;
    int PreviewPageSize(bool horizontal) const;
    void UpdatePreviewSize();
    void RepaintPreview();

    // Printing.
    void PrintOnePage(unsigned page, unsigned fromPage, unsigned toPage, bool isFirst);
    void UpdateProgress(const AnsiString& message, unsigned page, unsigned fromPage, unsigned toPage);
    void ShowProgressDialog();
    void CloseProgressDialog();
    void CancelClick(TObject* Sender);

    TMeasureUnit FMeasureUnit = muInches;
    double FMarginTop = 0;
    double FMarginBottom = 0;
    double FMarginLeft = 0;
    double FMarginRight = 0;
    TLineSpacing FLineSpacing = lsSingleSpace;
    double FDefaultColWidth = 0;
    double FPageBorderOffset = 0;
    std::unique_ptr<TStringList> FLines;
    bool FPrintToFile = false;
    AnsiString FFileName;
    AnsiString FTableFormat;
    AnsiString FHeaderFormat;
    AnsiString FFooterFormat;
    AnsiString FFriendlyHeader;
    AnsiString FFriendlyFooter;
    TFont FHeaderFont;
    TFont FFooterFont;
    bool FAutoHeaderFont = true;
    bool FAutoFooterFont = true;
    unsigned FCopies = 1;
    unsigned FPrintFromPage = 0;
    unsigned FPrintToPage = 0;
    unsigned FZoomPercent = 25;
    TZoomLocation FZoomLocation = zlTopLeft;
    unsigned FShadowOffset = 5;
    TColor FShadowColor = clBtnShadow;
    bool FShowMargins = true;
    bool FGradientBackground = true;

    int FCurrentX = 0;
    int FCurrentY = 0;
    unsigned FLineHeight = 0;
    unsigned FLineNumber = 0;
    unsigned FPageNumber = 0;
    bool FPrinting = false;
    bool FFileOpen = false;
    bool FInHeaderFooter = false;
    bool FCancelled = false;
    bool FConstructing = true;
    TTextMetric FTextMetrics;
    int FCanvasFontPoints = 10; // the page canvas font's size, from which its printer height comes

    TPageList FPages;
    std::unique_ptr<TMetafile> FUnlistedPage;
    TMetafile* FCurrentPage = nullptr;
    std::unique_ptr<TMetafileCanvas> FPageCanvas;
    std::unique_ptr<PageTextFile> FOutFile;
    TPaintBox* FPreviewBox = nullptr;
    TPPPrnPrgDlg* FProgressDialog = nullptr;
    std::unique_ptr<DisabledWindows> FDisabledWindows;
};
