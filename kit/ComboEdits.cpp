#include "kit/ComboEdits.h"
#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QUrl>
#include "kit/CommandTokens.h"
#include "kit/FileRoutines.h"
#include "kit/MaxMin.h"
#include "platform/core/Files.h"
#include "platform/messages/Application.h"
#include "platform/forms/FormsStyle.h"
#include "platform/forms/HandOn.h"
#include "platform/forms/PaletteColors.h"
#include "platform/forms/QtText.h"

namespace {

// The windowed holder of the edit's button.
class TButtonContainer : public TWinControl {
public:
    explicit TButtonContainer(TComponent* owner) : TWinControl(owner)
    {
        auto* widget = new QWidget();
        widget->setCursor(Qt::ArrowCursor);
        SetWidget(widget);
        SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    }
};

QImage FilledImage(int width, int height, TColor color)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(ToQColor(color));
    return image;
}

// An open folder, 14 x 12, on the speed button's see-through magenta, which the bottom-left
// pixel must show: the glyph takes its see-through colour from there.
const TBitmap& FolderBitmap()
{
    static const TBitmap folder = [] {
        QImage image = FilledImage(14, 12, clFuchsia);
        QPainter painter(&image);
        painter.setPen(ToQColor(clBlack));
        painter.setBrush(ToQColor(clOlive));
        painter.drawRect(1, 2, 10, 9);
        painter.setBrush(ToQColor(clYellow));
        painter.drawPolygon(QPolygon({QPoint(3, 5), QPoint(13, 5), QPoint(11, 11), QPoint(1, 11)}));
        painter.setPen(ToQColor(clOlive));
        painter.drawLine(2, 1, 5, 1);
        painter.end();
        TBitmap bitmap;
        bitmap.Assign(image);
        return bitmap;
    }();
    return folder;
}

// The small down arrow of a combo box.
TBitmap DropDownBitmap()
{
    QImage image = FilledImage(7, 4, clFuchsia);
    for (int row = 0; row < 4; ++row)
        for (int x = row; x < 7 - row; ++x)
            image.setPixel(x, row, qRgb(0, 0, 0));
    TBitmap bitmap;
    bitmap.Assign(image);
    return bitmap;
}

int ScrollBarWidth()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

} // namespace

TBitmap EllipsisBitmap(int buttonWidth)
{
    int width = IntMax(1, buttonWidth - 6);
    int gap = IntMin(IntMax((width - 6) / 2, 1), 3);
    int first = (width - 6 - 2 * gap) / 2;
    QImage image = FilledImage(width, 4, clWhite);
    for (int x : {first, first + gap + 2, first + 2 * gap + 4})
        for (int dx = 0; dx < 2; ++dx)
            for (int dy = 1; dy < 3; ++dy)
                if (x + dx >= 0 && x + dx < width)
                    image.setPixel(x + dx, dy, qRgb(0, 0, 0));
    TBitmap bitmap;
    bitmap.Assign(image);
    return bitmap;
}

AnsiString ClipFilename(const AnsiString& text)
{
    if (FileExists(text))
        return text;
    return GetCommandToken(text, 0);
}

AnsiString QuoteFilename(const AnsiString& name)
{
    if (name.find(' ') != AnsiString::npos && (name.empty() || name[0] != '"'))
        return '"' + name + '"';
    return name;
}

void ShowFileName(TFilenameEdit* edit, const AnsiString& name)
{
    try {
        edit->SetFileName(name);
    } catch (const EComboEditError&) {
        edit->SetText(QuoteFilename(name));
    }
}

// ---- the button ----

void TEditButton::Click()
{
    if (FNoAction) {
        FNoAction = false;
        return;
    }
    TKitSpeedButton::Click();
}

void TEditButton::Paint(QPainter& painter)
{
    TKitSpeedButton::Paint(painter);
    if (State() == bsDown)
        return;
    painter.setPen(ToQColor(NewStyle() ? clBtnFace : clBtnShadow));
    painter.drawLine(0, 0, 0, Height() - 1);
    painter.setPen(ToQColor(clBtnHighlight));
    painter.drawLine(1, 1, 1, Height() - 2);
}

void TEditButton::mouse_press(const QMouseEvent& event)
{
    if (event.button() == Qt::LeftButton && Edit) {
        FNoAction = Edit->PopupVisible();
        if (FNoAction)
            Edit->PopupCloseUp(false);
        else if (Edit->TabStop() && Edit->CanFocus() && !Edit->Focused())
            Edit->SetFocus();
    }
    TKitSpeedButton::mouse_press(event);
}

// ---- the combo edit ----

TCustomComboEdit::TCustomComboEdit(TComponent* owner) : TMaskEdit(owner)
{
    FContainer = new TButtonContainer(this);
    FContainer->SetParent(this);
    FContainer->SetBounds(0, 0, 21, 17);
    FButton = new TEditButton(this);
    FButton->Edit = this;
    FButton->SetParent(FContainer);
    FButton->SetBounds(0, 0, 21, 17);
    FButton->OnClick = [this](TObject*) { EditButtonClick(); };
    static_cast<QLineEdit*>(Widget())->setAcceptDrops(false);
    SetHeight(21);
    PlaceButton();
    UpdateCaretWidth();
}

TCustomComboEdit::~TCustomComboEdit()
{
    FButton->OnClick = nullptr;
}

bool TCustomComboEdit::ButtonShown() const
{
    return FContainer->Visible();
}

void TCustomComboEdit::UpdateEditReadOnly()
{
    TMaskEdit::SetReadOnly(FReadOnly || !FDirectInput || FPopupVisible);
}

void TCustomComboEdit::SetReadOnly(bool readOnly)
{
    FReadOnly = readOnly;
    UpdateEditReadOnly();
}

void TCustomComboEdit::SetDirectInput(bool directInput)
{
    FDirectInput = directInput;
    UpdateEditReadOnly();
}

void TCustomComboEdit::SetAlignment(TAlignment alignment)
{
    FAlignment = alignment;
    auto* edit = static_cast<QLineEdit*>(Widget());
    edit->setAlignment(alignment == taRightJustify ? Qt::AlignRight
                       : alignment == taCenter     ? Qt::AlignHCenter
                                                   : Qt::AlignLeft);
}

void TCustomComboEdit::SetEnabled(bool enabled)
{
    TMaskEdit::SetEnabled(enabled);
    FButton->SetEnabled(enabled);
}

void TCustomComboEdit::SetButtonWidth(int width)
{
    if (width == FButtonWidth)
        return;
    if (!FConstructing && width >= ClientWidth())
        return;
    FButtonWidth = width;
    FContainer->SetVisible(width >= 2);
    PlaceButton();
    RecreateGlyph();
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind kind)
{
    if (kind == FGlyphKind)
        return;
    FGlyphKind = kind;
    RecreateGlyph();
}

void TCustomComboEdit::SetGlyph(const TBitmap& glyph)
{
    FGlyphKind = gkCustom;
    FButton->SetGlyph(glyph);
}

void TCustomComboEdit::SetNumGlyphs(int count)
{
    FButton->SetNumGlyphs(FGlyphKind == gkCustom ? count : 1);
}

void TCustomComboEdit::RecreateGlyph()
{
    switch (FGlyphKind) {
    case gkDefault:
        if (const TBitmap* glyph = GetDefaultBitmap()) {
            FButton->SetGlyph(*glyph);
            FButton->SetNumGlyphs(1);
            int width = IntMax(glyph->Width() / FButton->NumGlyphs() + 6, FButtonWidth);
            if (width != FButtonWidth) {
                FButtonWidth = width;
                PlaceButton();
            }
        }
        break;
    case gkDropDown:
        FButton->SetGlyph(DropDownBitmap());
        FButton->SetNumGlyphs(1);
        if (FButtonWidth != ScrollBarWidth()) {
            FButtonWidth = ScrollBarWidth();
            PlaceButton();
        }
        break;
    case gkEllipsis:
        FButton->SetGlyph(EllipsisBitmap(FButtonWidth));
        FButton->SetNumGlyphs(1);
        break;
    case gkCustom:
        break;
    }
}

// The button sits inside the edit's sunken border, the text ends two pixels left of it.
void TCustomComboEdit::PlaceButton()
{
    int height = IntMax(Height() - 4, 1);
    FContainer->SetBounds(Width() - FButtonWidth - 2, 2, FButtonWidth, height);
    FButton->SetBounds(0, 0, FButtonWidth, height);
    SetEditRect();
}

void TCustomComboEdit::SetEditRect()
{
    int reserved = FContainer->Visible() ? FButtonWidth + 2 : 0;
    static_cast<QLineEdit*>(Widget())->setTextMargins(0, 0, reserved, 0);
}

void TCustomComboEdit::SetBounds(int left, int top, int width, int height)
{
    int system = QFontMetrics(QApplication::font()).height();
    int own = QFontMetrics(Font()->ToQFont()).height();
    height = IntMax(height, IntMin(system, own) + 4 + 1);
    TMaskEdit::SetBounds(left, top, width, height);
    PlaceButton();
}

void TCustomComboEdit::font_changed()
{
    TMaskEdit::font_changed();
    UpdateCaretWidth();
    if (FContainer)
        SetEditRect();
}

// The caret is one pixel wide, two with a bold font, so that it shows as strongly as the text.
void TCustomComboEdit::UpdateCaretWidth()
{
    SetCaretWidth(Widget(), Font()->Style().Contains(fsBold) ? 2 : 1);
}

void TCustomComboEdit::resize_event()
{
    PlaceButton();
}

void TCustomComboEdit::EditButtonClick()
{
    if (!GetReadOnly())
        ButtonClick();
}

void TCustomComboEdit::ButtonClick()
{
    if (OnButtonClick)
        OnButtonClick(this);
    if (!FPopup)
        return;
    if (FPopupVisible)
        PopupCloseUp(true);
    else
        PopupDropDown(true);
}

// ---- the drop-down popup of derived edits ----

void TCustomComboEdit::PopupDropDown(bool disableEdit)
{
    if (!FPopup || FPopupVisible || FReadOnly)
        return;
    TPoint below = ClientToScreen(Point(0, Height()));
    int popupHeight = FPopup->Height();
    int popupWidth = FPopup->Width();
    QRect screen = QApplication::primaryScreen() ? QApplication::primaryScreen()->geometry() : QRect(0, 0, 1 << 15, 1 << 15);
    int y = below.Y + popupHeight > screen.bottom() ? ClientToScreen(Point(0, 0)).Y - popupHeight : below.Y;
    int x = FAlignment == taRightJustify ? ClientToScreen(Point(Width(), 0)).X - popupWidth : below.X;
    x = IntMax(screen.left(), IntMin(x, screen.right() - popupWidth));
    SetPopupValue(Text());
    SetFocus();
    ShowPopup(Point(x, y));
    FPopupVisible = true;
    if (disableEdit)
        UpdateEditReadOnly();
}

void TCustomComboEdit::ShowPopup(TPoint origin)
{
    FPopup->SetBounds(origin.X, origin.Y, FPopup->Width(), FPopup->Height());
    FPopup->Widget()->setWindowFlags(Qt::Popup);
    FPopup->Widget()->setAttribute(Qt::WA_ShowWithoutActivating);
    FPopup->Show();
}

void TCustomComboEdit::HidePopup()
{
    FPopup->Hide();
}

void TCustomComboEdit::PopupCloseUp(bool accept)
{
    if (!FPopup || !FPopupVisible)
        return;
    AnsiString value = GetPopupValue();
    HidePopup();
    FPopupVisible = false;
    SetFocus();
    UpdateEditReadOnly();
    Invalidate();
    if (accept && AcceptPopup(value) && !FReadOnly)
        AcceptValue(value);
    if (Focused())
        SelectAll();
}

void TCustomComboEdit::CancelMode(TControl* sender)
{
    if (!FPopupVisible || sender == this || sender == FButton || sender == FPopup)
        return;
    // A control inside the popup is the popup's own.
    if (FPopup->Widget() && sender && sender->Widget() && FPopup->Widget()->isAncestorOf(sender->Widget()))
        return;
    PopupCloseUp(false);
}

void TCustomComboEdit::AcceptValue(const AnsiString& value)
{
    if (Text() != value)
        SetText(value);
}

bool TCustomComboEdit::widget_event(QObject* watched, QEvent* event)
{
    if (watched != Widget() || IsHandedOn(event))
        return TMaskEdit::widget_event(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        // The key gets here only after the edit's own key handling: OnKeyDown has seen it and
        // may have taken it.
        auto* key = static_cast<QKeyEvent*>(event);
        if (FButtonWidth > 0 && ShortCut(VirtualKeyOf(*key), ShiftStateOf(*key)) == FClickKey) {
            Dispatch([this] { EditButtonClick(); });
            return true;
        }
        break;
    }
    case QEvent::FocusOut:
        if (FPopupVisible)
            Dispatch([this] { PopupCloseUp(false); });
        break;
    default:
        break;
    }
    return TMaskEdit::widget_event(watched, event);
}

// ---- file and folder edits ----

TFileDirEdit::TFileDirEdit(TComponent* owner) : TCustomComboEdit(owner) {}

const TBitmap* TFileDirEdit::GetDefaultBitmap()
{
    return &FolderBitmap();
}

void TFileDirEdit::SetAcceptFiles(bool accept)
{
    FAcceptFiles = accept;
    static_cast<QLineEdit*>(Widget())->setAcceptDrops(accept);
}

void TFileDirEdit::DropFiles(const std::vector<AnsiString>& names)
{
    if (names.empty())
        return;
    ClearFileList();
    for (const AnsiString& name : names) {
        AcceptDroppedName(name);
        if (!FMultipleFiles)
            break;
    }
    if (OnDropFiles)
        OnDropFiles(this);
}

bool TFileDirEdit::widget_event(QObject* watched, QEvent* event)
{
    if (watched == Widget() && FAcceptFiles) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            bool files = drag->mimeData()->hasUrls();
            for (const QUrl& url : drag->mimeData()->urls())
                files = files && url.isLocalFile();
            if (files)
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            std::vector<AnsiString> names;
            for (const QUrl& url : drop->mimeData()->urls())
                if (url.isLocalFile())
                    names.push_back(FromQString(url.toLocalFile()));
            // The drop is finished in any case; a refused name is reported as any error is.
            drop->acceptProposedAction();
            Dispatch([&] { DropFiles(names); });
            return true;
        }
        default:
            break;
        }
    }
    return TCustomComboEdit::widget_event(watched, event);
}

TFilenameEdit::TFilenameEdit(TComponent* owner) : TFileDirEdit(owner), FDialog(std::make_unique<TOpenDialog>(nullptr))
{
    FDialog->Title = "Browse";
    FDialog->Filter = "All files (*.*)|*.*";
    FDialog->Options = TOpenOptions{ofHideReadOnly};
    SetGlyphKind(gkDefault);
    FConstructing = false;
}

AnsiString TFilenameEdit::FileName() const
{
    return ClipFilename(Text());
}

void TFilenameEdit::SetFileName(const AnsiString& value)
{
    if (value.empty()) {
        SetText("");
        return;
    }
    if (!IsValidFileName(ClipFilename(value)))
        throw EComboEditError("Invalid file name - " + value);
    SetText(QuoteFilename(value));
    ClearFileList();
}

void TFilenameEdit::SetDialogKind(TFileDialogKind kind)
{
    if (kind == FDialogKind)
        return;
    std::unique_ptr<TOpenDialog> dialog;
    switch (kind) {
    case dkSave: dialog = std::make_unique<TSaveDialog>(nullptr); break;
    case dkOpenPicture: dialog = std::make_unique<TOpenPictureDialog>(nullptr); break;
    case dkSavePicture: dialog = std::make_unique<TSavePictureDialog>(nullptr); break;
    default: dialog = std::make_unique<TOpenDialog>(nullptr); break;
    }
    dialog->AssignSettings(*FDialog);
    FDialog = std::move(dialog);
    FDialogKind = kind;
}

void TFilenameEdit::SetDialogOptions(TOpenOptions options)
{
    FDialog->Options = options;
    FMultipleFiles = options.Contains(ofAllowMultiSelect);
    if (!FMultipleFiles)
        FDialog->Files.Clear();
}

AnsiString TFilenameEdit::GetLongName()
{
    return ExpandToLongFileName(FileName());
}

AnsiString TFilenameEdit::GetShortName()
{
    return ReduceToShortFileName(FileName());
}

void TFilenameEdit::AcceptDroppedName(const AnsiString& name)
{
    if (!FMultipleFiles) {
        SetFileName(name);
        return;
    }
    if (FDialog->Files.Count() == 0)
        SetFileName(name);
    FDialog->Files.Add(name);
}

void TFilenameEdit::ClearFileList()
{
    FDialog->Files.Clear();
}

void TFilenameEdit::ButtonClick()
{
    TFileDirEdit::ButtonClick();
    AnsiString name = ClipFilename(Text());
    bool action = true;
    if (OnBeforeDialog)
        OnBeforeDialog(this, name, action);
    if (!action)
        return;
    if (IsValidFileName(name)) {
        AnsiString folder = ExtractFilePath(name);
        if (DirectoryPresent(folder))
            FDialog->InitialDir = folder;
        AnsiString part = ExtractFileName(name);
        FDialog->FileName = part.empty() || !IsValidFileName(part) ? AnsiString() : name;
    }
    FDialog->HelpContext = 0;
    bool chosen = FDialog->Execute();
    if (chosen)
        name = FDialog->FileName;
    if (CanFocus())
        SetFocus();
    action = chosen;
    if (OnAfterDialog)
        OnAfterDialog(this, name, action);
    if (!action)
        return;
    SetText(QuoteFilename(name));
    FDialog->InitialDir = ExtractFilePath(FDialog->FileName);
}
