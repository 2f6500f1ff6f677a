// TPPPrnPrgDlg: the page printer's progress dialog, shown while pages are sent to the printer.
#pragma once
#include "platform/forms/Bevel.h"
#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/forms/ProgressBar.h"

class TPPPrnPrgDlg : public TForm {
public:
    explicit TPPPrnPrgDlg(TComponent* owner);

    TBevel* Bevel;
    TLabel* lblStatus;
    TLabel* lblPageNumber;
    TProgressBar* ProgBar;
    TButton* btnCancel;
};
