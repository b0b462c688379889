#include "update/UBoot.h"

#include "common/Comon_State.h"
#include "common/UStyle.h"

#include <QPushButton>

using namespace UComon;

TFBoot::TFBoot(QWidget* parent) : TDialog_Base(parent) {
    setObjectName(QStringLiteral("FBoot"));
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    Set_Client_Size(420, 200);
    Set_Lang();
}

void TFBoot::Set_Lang() {
    setWindowTitle(T(800));
    L_SW_Desc->setText(SW_Desc);
    L_SW_Desc->adjustSize();
    Btn_OK->setText(T(103));
    Btn_Cancel->setText(T(104));
}
