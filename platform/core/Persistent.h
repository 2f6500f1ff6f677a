// TPersistent: an object that can write its own properties to a stream and read them back
// through a filer (TWriter, TReader).
#pragma once
#include "platform/core/Object.h"

class TFiler;

class TPersistent : public TObject {
public:
    // Names each property the object keeps beyond its published ones, with the routines that
    // read and write it and whether it needs writing at all.
    virtual void DefineProperties(TFiler& filer) { (void)filer; }
};
