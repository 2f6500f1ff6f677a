#include "dialogs/ProgrammeLineDrawing.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

namespace {

// Applies and removes the leading marks "<b>" and "<c:colour>". A '<' without a closing '>'
// ends the marks and is drawn as text; an unknown colour name is ignored.
AnsiString ApplyLeadingMarks(AnsiString text, TFont& font)
{
    while (!text.empty() && text[0] == '<') {
        const std::size_t close = text.find('>');
        if (close == AnsiString::npos)
            break;
        if (text.compare(0, 2, "<b") == 0) {
            font.SetStyle(font.Style() + TFontStyles{fsBold});
        } else if (text.compare(0, 2, "<c") == 0) {
            try {
                font.SetColor(StringToColor(Copy(text, 4, static_cast<int>(close) - 3)));
            } catch (const EConvertError&) {
                // A colour name the settings got wrong keeps the row's own colour.
            }
        }
        text.erase(0, close + 1);
    }
    return text;
}

// The text between a column mark ("<w:" or "<w2:") and the next '>', and the text after that.
struct ColumnMark {
    AnsiString inside;
    AnsiString after;
};

ColumnMark SplitAtMark(const AnsiString& text, std::size_t markStart, std::size_t markLength)
{
    const std::size_t start = markStart + markLength;
    const std::size_t close = text.find('>', start);
    if (close == AnsiString::npos)
        return {text.substr(start), AnsiString()};
    return {text.substr(start, close - start), text.substr(close + 1)};
}

// Position of a mark that stands after the first character, or npos.
std::size_t MarkAfterFirst(const AnsiString& text, const char* mark)
{
    return text.size() > 1 ? text.find(mark, 1) : AnsiString::npos;
}

} // namespace

bool PrepareMarkedRow(TListBox& list, int index, const TRect& rect, TOwnerDrawState state, AnsiString& text)
{
    if (index < 0 || index >= list.Count())
        return false;
    text = list.Items()->Get(index);
    if (text.empty())
        return false;
    TCanvas* canvas = list.Canvas();
    canvas->FillRect(rect);
    text = ApplyLeadingMarks(text, *canvas->Font());
    if (state.Contains(odSelected))
        canvas->Font()->SetColor(clWindow);
    return true;
}

void DrawProgrammeLine(TListBox& list, int index, const TRect& rect, TOwnerDrawState state)
{
    AnsiString text;
    if (!PrepareMarkedRow(list, index, rect, state, text))
        return;
    TCanvas* canvas = list.Canvas();
    const int x = rect.Left;
    const int y = rect.Top;
    if (std::size_t mark = MarkAfterFirst(text, "<w:"); mark != AnsiString::npos) {
        const ColumnMark column = SplitAtMark(text, mark, 3);
        canvas->TextOut(x + 2, y, text.substr(0, 5));
        canvas->TextOut(x + 40, y, column.inside);
        canvas->TextOut(x + 130, y, column.after);
    } else if (std::size_t mark2 = MarkAfterFirst(text, "<w2:"); mark2 != AnsiString::npos) {
        const ColumnMark column = SplitAtMark(text, mark2, 4);
        canvas->TextOut(x + 2, y, text.substr(0, 15));
        canvas->TextOut(x + 100, y, column.inside);
        canvas->TextOut(x + 190, y, column.after);
    } else if (MarkAfterFirst(text, "<t") != AnsiString::npos) {
        const AnsiString rest = text.size() > 4 ? text.substr(4) : AnsiString();
        const std::size_t comma = rest.find(", ");
        if (comma == AnsiString::npos) {
            canvas->TextOut(x + 2, y, "  " + rest);
        } else {
            canvas->TextOut(x + 2, y, "  " + rest.substr(0, comma));
            canvas->TextOut(x + 100, y, rest.substr(comma + 2));
        }
    } else {
        canvas->TextOut(x + 2, y, text);
    }
}
