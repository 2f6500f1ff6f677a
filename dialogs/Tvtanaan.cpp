#include "dialogs/Tvtanaan.h"

TTVTanaanForm* TVTanaanForm = nullptr;

TTVTanaanForm::TTVTanaanForm(TComponent* owner) : TForm(owner)
{
    SetName("TVTanaanForm");
    SetBorderStyle(bsSizeToolWin);
    SetShowInTaskbar(false);
    SetFormStyle(fsStayOnTop);
    KeyPreview = true;
    SetBounds(0, 0, 600, 362);
}

