#include "comm_settings/UParGen.h"

#include "common/Comon_State.h"
#include "common/UStyle.h"

#include <QPushButton>

using namespace UComon;

TFParGen::TFParGen(QWidget* parent) : TDialog_Base(parent) {
    setObjectName(QStringLiteral("FParGen"));
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    Set_Client_Size(420, 200);
    Set_Lang();
}

void TFParGen::Set_Lang() {
    setWindowTitle(T(400));
    L_SW_Desc->setText(T(401));
    L_SW_Desc->adjustSize();
    Btn_OK->setText(T(103));
    Btn_Cancel->setText(T(104));
}
