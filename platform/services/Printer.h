// TPrinter: the one printer object of the program, over QPrinter. It prints on the system's
// default print queue; SetOutputFileName sends the jobs to a PDF file instead, which is how
// tests and a machine without a print queue get their output.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Object.h"
#include "platform/services/PrinterOrientation.h"
#include <memory>

class QPainter;
class QPrinter;
class TCanvas;

QEX_EXCEPTION(EPrinter, Exception);

// What GetDeviceCaps tells of a printer: LOGPIXELSX/Y, PHYSICALOFFSETX/Y, PHYSICALWIDTH/HEIGHT.
struct TPrinterDeviceCaps {
    int LogPixelsX = 0;
    int LogPixelsY = 0;
    int PhysicalOffsetX = 0;
    int PhysicalOffsetY = 0;
    int PhysicalWidth = 0;
    int PhysicalHeight = 0;
};

class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;

    // Every call that needs a device raises EPrinter "There is no default printer currently
    // selected" when there is none.
    bool HasPrinter() const;
    TPrinterDeviceCaps DeviceCaps() const;
    TPrinterOrientation Orientation() const;
    void SetOrientation(TPrinterOrientation orientation);
    int Copies() const;
    void SetCopies(int copies);
    // The job's name in the print queue.
    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& title) { FTitle = title; }

    // A job: BeginDoc raises "Printing in progress" while one runs; NewPage, EndDoc and Abort
    // raise "Printer is not currently printing" outside one. Abort throws the job away (a PDF
    // file being written is deleted).
    void BeginDoc();
    void NewPage();
    void EndDoc();
    void Abort();
    bool Printing() const { return FPainter != nullptr; }
    bool Aborted() const { return FAborted; }
    int PageNumber() const { return FPageNumber; }
    // The page being printed; origin at the printable origin, one unit per printer pixel.
    TCanvas* Canvas();
    QPainter* Painter() const { return FPainter.get(); }

    // Sends the following jobs to a PDF file at the given resolution; an empty name goes back
    // to the default print queue. Not while a job runs.
    void SetOutputFileName(const AnsiString& fileName, int resolution = 300);
    const AnsiString& OutputFileName() const { return FOutputFileName; }

private:
    void LookUp() const;
    QPrinter& Device() const;
    void RequirePrinting() const;
    void FinishJob();

    mutable std::unique_ptr<QPrinter> FDevice;
    mutable bool FLookedUp = false;
    std::unique_ptr<QPainter> FPainter;
    std::unique_ptr<TCanvas> FCanvas;
    AnsiString FTitle;
    AnsiString FOutputFileName;
    int FCopies = 1;
    int FPageNumber = 0;
    bool FAborted = false;
};

// The program's printer, made at first use and freed with the application.
TPrinter* Printer();
