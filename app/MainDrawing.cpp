// Owner drawing of the programme list (its marks become bold text, colours and columns) and of
// the two lists on the left (an icon and the name).
#include "app/Main.h"
#include "listings/ChannelTable.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/ImageList.h"

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

void TMainForm::OhjelmatDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)
{
    auto* list = dynamic_cast<TListBox*>(Control);
    if (!list || Index < 0 || Index >= list->Count())
        return;
    AnsiString text = list->Items()->Get(Index);
    if (text.empty())
        return;
    TCanvas* canvas = list->Canvas();
    canvas->FillRect(Rect);
    text = ApplyLeadingMarks(text, *canvas->Font());
    if (State.Contains(odSelected))
        canvas->Font()->SetColor(clWindow);

    const int x = Rect.Left;
    const int y = Rect.Top;
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

void TMainForm::V_ListatDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)
{
    auto* list = dynamic_cast<TListBox*>(Control);
    if (!list || Index < 0 || Index >= list->Count())
        return;
    const AnsiString text = list->Items()->Get(Index);
    TCanvas* canvas = list->Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(Rect);
    const int icon = ChannelImageIndex(text);
    if (icon >= 0 && icon < S_Logot->Count())
        S_Logot->Draw(canvas, Rect.Left + 2, Rect.Top + 2, icon);
    canvas->Font()->SetColor(clWindowText);
    TFontStyles style = canvas->Font()->Style();
    if (State.Contains(odSelected))
        style = style + TFontStyles{fsBold};
    else
        style = style - TFontStyles{fsBold};
    canvas->Font()->SetStyle(style);
    canvas->TextOut(Rect.Left + 22, Rect.Top + 3, text);
}
