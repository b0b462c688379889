// TFBoot: its controls are built by the subsystem that owns it; until then it is
// an empty frame with the title panel and OK / Cancel.
#pragma once

#include "common/UDialog_Base.h"

class TFBoot : public UComon::TDialog_Base {
    Q_OBJECT
public:
    explicit TFBoot(QWidget* parent = nullptr);
    void Set_Lang();
    int Form_Type = 1; // 1: update over Ethernet
};
