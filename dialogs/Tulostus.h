// TPrintForm: the print form, made once at start-up and kept for the whole run. Its documents
// and preview are still to come.
#pragma once
#include "platform/forms/Form.h"

class TPrintForm : public TForm {
public:
    explicit TPrintForm(TComponent* owner);
};

// The instance made at start-up.
extern TPrintForm* PrintForm;
