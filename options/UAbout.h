// TFAbout: its controls are built by the subsystem that owns it; until then it is
// an empty frame with the title panel and OK / Cancel.
#pragma once

#include "common/UDialog_Base.h"

class TFAbout : public UComon::TDialog_Base {
    Q_OBJECT
public:
    explicit TFAbout(QWidget* parent = nullptr);
    void Set_Lang();
};
