// Feeds arbitrary link addresses and grid cells (the cells hold listing text from the network)
// to the programme links' reading and to the word wrap of the information box: nothing may crash
// or hang, a link reads a cell or raises the conversion error, and the wrap only ever inserts
// line breaks.
//   byte 0: the wrap's column limit; then pieces separated by 0xFF: the address, the channel, the
//   programme cell, the description cell and the time cell.
#include "app/ProgrammeLink.h"
#include "app/WrapText.h"
#include "listings/TextRoutines.h"
#include "platform/core/Exceptions.h"
#include "platform/core/StringGrid.h"
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Pieces(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> pieces(1);
    for (std::size_t i = 0; i < size && pieces.size() <= 5; ++i) {
        if (data[i] == 0xFF)
            pieces.emplace_back();
        else
            pieces.back() += static_cast<char>(data[i]);
    }
    pieces.resize(5);
    return pieces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int columns = data[0];
    const std::vector<std::string> pieces = Pieces(data + 1, size - 1);

    const AnsiString wrapped = WrapText(pieces[3], "\r\n", " ,-.", columns);
    if (ReplaceAll(wrapped, "\r\n", "", true) != ReplaceAll(pieces[3], "\r\n", "", true))
        __builtin_trap();

    TStringGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(2);
    grid.SetCell(1, 0, pieces[1]);
    grid.SetCell(1, 1, pieces[2]);
    grid.SetCell(2, 1, pieces[3]);
    grid.SetCell(0, 1, pieces[4]);
    if (!IsProgrammeLink(pieces[0]))
        return 0;
    try {
        LinkedProgramme programme;
        if (ReadLinkedProgramme(grid, ParseProgrammeLink(pieces[0]), programme))
            (void)ProgrammeInfoText(programme, "11.2.2026");
    } catch (const EConvertError&) {
    }
    return 0;
}
