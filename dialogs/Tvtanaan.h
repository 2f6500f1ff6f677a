// TTVTanaanForm: the small stay-on-top window of what is on now, made at start-up and kept for
// the whole run; the hot key fills and shows it. Its lists are still to come.
#pragma once
#include "platform/forms/Form.h"

class TTVTanaanForm : public TForm {
public:
    explicit TTVTanaanForm(TComponent* owner);
};

// The one instance, made by the program's entry; nullptr until then (and in tests that don't
// make it), so writers of its caption look first.
extern TTVTanaanForm* TVTanaanForm;
