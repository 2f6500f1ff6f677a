// The page printer's device geometry: the printer's resolution, paper and printable area in
// the current unit, or those of a notional 300-dpi printer when there is no printer.
#include "printing/PagePrinter.h"
#include "platform/core/SysUtils.h"

namespace {

constexpr int kNotionalDpi = 300;

// The caps of the printer; false when there is none.
bool ReadCaps(TPrinterDeviceCaps& caps)
{
    if (!Printer()->HasPrinter())
        return false;
    caps = Printer()->DeviceCaps();
    return true;
}

int UsableDpi(int dpi)
{
    return dpi > 0 ? dpi : kNotionalDpi;
}

} // namespace

int TPagePrinter::PrinterDpiX() const
{
    TPrinterDeviceCaps caps;
    return ReadCaps(caps) ? UsableDpi(caps.LogPixelsX) : kNotionalDpi;
}

int TPagePrinter::PrinterDpiY() const
{
    TPrinterDeviceCaps caps;
    return ReadCaps(caps) ? UsableDpi(caps.LogPixelsY) : kNotionalDpi;
}

double TPagePrinter::Inches(double value) const
{
    return FMeasureUnit == muMillimeters ? value / 25.4 : value;
}

double TPagePrinter::FromInches(double inches) const
{
    return FMeasureUnit == muMillimeters ? inches * 25.4 : inches;
}

int TPagePrinter::UnitsToPixelsX(double value) const
{
    return static_cast<int>(Round(PrinterDpiX() * Inches(value)));
}

int TPagePrinter::UnitsToPixelsY(double value) const
{
    return static_cast<int>(Round(PrinterDpiY() * Inches(value)));
}

double TPagePrinter::PixelsToUnitsX(int pixels) const
{
    return FromInches(static_cast<double>(pixels) / PrinterDpiX());
}

double TPagePrinter::PixelsToUnitsY(int pixels) const
{
    return FromInches(static_cast<double>(pixels) / PrinterDpiY());
}

// Printers are taken as having the same margin at the top and bottom, and on the left and
// right: their physical offset.
double TPagePrinter::MinMarginTop() const
{
    TPrinterDeviceCaps caps;
    if (!ReadCaps(caps))
        return FMeasureUnit == muMillimeters ? 6 : 0.25;
    return PixelsToUnitsY(caps.PhysicalOffsetY);
}

double TPagePrinter::MinMarginLeft() const
{
    TPrinterDeviceCaps caps;
    if (!ReadCaps(caps))
        return FMeasureUnit == muMillimeters ? 6 : 0.25;
    return PixelsToUnitsX(caps.PhysicalOffsetX);
}

double TPagePrinter::PaperWidth() const
{
    TPrinterDeviceCaps caps;
    if (!ReadCaps(caps))
        return FMeasureUnit == muMillimeters ? 210 : 8.5;
    return PixelsToUnitsX(caps.PhysicalWidth);
}

double TPagePrinter::PaperHeight() const
{
    TPrinterDeviceCaps caps;
    if (!ReadCaps(caps))
        return FMeasureUnit == muMillimeters ? 297 : 11;
    return PixelsToUnitsY(caps.PhysicalHeight);
}

double TPagePrinter::PrintablePaperWidth() const
{
    if (!Printer()->HasPrinter())
        return FMeasureUnit == muMillimeters ? 198 : 8.0;
    return PaperWidth() - MinMarginLeft() - MinMarginRight();
}

double TPagePrinter::PrintablePaperHeight() const
{
    if (!Printer()->HasPrinter())
        return FMeasureUnit == muMillimeters ? 284 : 10.5;
    return PaperHeight() - MinMarginTop() - MinMarginBottom();
}
