#include "platform/services/Printer.h"
#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include "platform/core/Files.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/QtText.h"

namespace {

TPrinter*& TheOne()
{
    static TPrinter* printer = nullptr;
    return printer;
}

// The printer outlives every window but not the application: QPrinter must go before Qt does.
void FreePrinter()
{
    delete TheOne();
    TheOne() = nullptr;
}

QString SystemPath(const AnsiString& fileName)
{
    return QString::fromStdString(ToSystemPath(fileName));
}

} // namespace

TPrinter* Printer()
{
    if (!TheOne()) {
        TheOne() = new TPrinter();
        qAddPostRoutine(FreePrinter);
    }
    return TheOne();
}

TPrinter::TPrinter() = default;

TPrinter::~TPrinter()
{
    if (Printing())
        FPainter->end();
}

// The default queue is looked up once, as the class library picks its printer once.
void TPrinter::LookUp() const
{
    if (FLookedUp)
        return;
    FLookedUp = true;
    QPrinterInfo queue = QPrinterInfo::defaultPrinter();
    if (!queue.isNull())
        FDevice = std::make_unique<QPrinter>(queue, QPrinter::HighResolution);
}

QPrinter& TPrinter::Device() const
{
    LookUp();
    if (!FDevice)
        throw EPrinter("There is no default printer currently selected");
    return *FDevice;
}

bool TPrinter::HasPrinter() const
{
    LookUp();
    return FDevice != nullptr;
}

TPrinterDeviceCaps TPrinter::DeviceCaps() const
{
    QPrinter& device = Device();
    int resolution = device.resolution();
    QPageLayout layout = device.pageLayout();
    QRect paper = layout.fullRectPixels(resolution);
    QRect printable = layout.paintRectPixels(resolution);
    TPrinterDeviceCaps caps;
    caps.LogPixelsX = resolution;
    caps.LogPixelsY = resolution;
    caps.PhysicalOffsetX = printable.left() - paper.left();
    caps.PhysicalOffsetY = printable.top() - paper.top();
    caps.PhysicalWidth = paper.width();
    caps.PhysicalHeight = paper.height();
    return caps;
}

TPrinterOrientation TPrinter::Orientation() const
{
    return Device().pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation orientation)
{
    QPrinter& device = Device();
    if (Printing())
        throw EPrinter("Printing in progress");
    device.setPageOrientation(orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int TPrinter::Copies() const
{
    return Device().copyCount();
}

void TPrinter::SetCopies(int copies)
{
    Device().setCopyCount(copies < 1 ? 1 : copies);
}

void TPrinter::BeginDoc()
{
    if (Printing())
        throw EPrinter("Printing in progress");
    QPrinter& device = Device();
    device.setDocName(ToQString(FTitle));
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&device))
        throw EPrinter(FOutputFileName.empty() ? AnsiString("The printer could not start the job")
                                               : "Cannot create file " + FOutputFileName);
    FPainter = std::move(painter);
    FPageNumber = 1;
    FAborted = false;
}

void TPrinter::RequirePrinting() const
{
    if (!Printing())
        throw EPrinter("Printer is not currently printing");
}

void TPrinter::NewPage()
{
    RequirePrinting();
    if (!FDevice->newPage())
        throw EPrinter("The printer could not start a new page");
    ++FPageNumber;
}

void TPrinter::EndDoc()
{
    RequirePrinting();
    bool written = FPainter->end();
    FinishJob();
    if (!written)
        throw EPrinter("The print job could not be completed");
}

// A PDF file has no queue to take the job back from: the half-written file is removed instead.
void TPrinter::Abort()
{
    RequirePrinting();
    bool queueAborted = FDevice->abort();
    FPainter->end();
    FinishJob();
    if (!queueAborted && !FOutputFileName.empty())
        QFile::remove(SystemPath(FOutputFileName));
    FAborted = true;
}

void TPrinter::FinishJob()
{
    if (FCanvas)
        FCanvas->EndPaint();
    FCanvas.reset();
    FPainter.reset();
    FPageNumber = 0;
}

TCanvas* TPrinter::Canvas()
{
    RequirePrinting();
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>();
        FCanvas->BeginPaint(FPainter.get());
    }
    return FCanvas.get();
}

void TPrinter::SetOutputFileName(const AnsiString& fileName, int resolution)
{
    if (Printing())
        throw EPrinter("Printing in progress");
    FOutputFileName = fileName;
    FDevice.reset();
    FLookedUp = !fileName.empty();
    if (fileName.empty())
        return;
    FDevice = std::make_unique<QPrinter>(QPrinter::HighResolution);
    FDevice->setOutputFormat(QPrinter::PdfFormat);
    FDevice->setOutputFileName(SystemPath(fileName));
    FDevice->setResolution(resolution);
}
