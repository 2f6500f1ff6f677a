// TDualListForm: the window of the dual-list chooser. Items go between the left list (SrcList)
// and the right one (DstList) with the four arrow buttons, by double click and by dragging;
// Ctrl+Up and Ctrl+Down, or dragging inside a list, reorder an unsorted list.
#pragma once
#include "kit/DragDrop.h"
#include "platform/forms/Form.h"

class TBevel;
class TButton;
class TLabel;
class TTextListBox;

class TDualListForm : public TForm {
public:
    explicit TDualListForm(TComponent* owner);

    TBevel* Bevel1;
    TLabel* SrcLabel;
    TLabel* DstLabel;
    TTextListBox* SrcList;
    TButton* IncBtn;
    TButton* IncAllBtn;
    TButton* ExclBtn;
    TButton* ExclAllBtn;
    TTextListBox* DstList;
    TButton* OkBtn;
    TButton* CancelBtn;
    TButton* HelpBtn;

    // Enables the arrow buttons that have something to move.
    void SetButtons();
    // Shows or hides the Help button and lines the bottom buttons up from the window's right.
    void SetShowHelp(bool value);

    void FormCreate(TObject* Sender);
    void ListClick(TObject* Sender);
    void IncBtnClick(TObject* Sender);
    void IncAllBtnClick(TObject* Sender);
    void ExclBtnClick(TObject* Sender);
    void ExclAllBtnClick(TObject* Sender);
    void SrcListDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void DstListDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void SrcListDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    void DstListDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    void SrcListKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void DstListKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void HelpBtnClick(TObject* Sender);

private:
    TTextListBox* MakeList(int left);
    TButton* MakeButton(int left, int top, int width, int height, const AnsiString& caption);
    void ListDragOver(TTextListBox* list, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void ListDragDrop(TTextListBox* list, TObject* Source, int X, int Y);
    void ListKeyDown(TTextListBox* list, WORD& Key, TShiftState Shift);

    bool FShowHelp = true;
};
