#include "dali/UDALI_Access.h"

#include "common/Comon_State.h"
#include "common/UStyle.h"

#include <QPushButton>

using namespace UComon;

TFDALI_Access::TFDALI_Access(QWidget* parent) : TDialog_Base(parent) {
    setObjectName(QStringLiteral("FDALI_Access"));
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    Set_Client_Size(420, 200);
    Set_Lang();
}

void TFDALI_Access::Set_Lang() {
    setWindowTitle(T(600));
    L_SW_Desc->setText(T(601));
    L_SW_Desc->adjustSize();
    Btn_OK->setText(T(103));
    Btn_Cancel->setText(T(104));
}
