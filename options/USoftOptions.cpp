#include "options/USoftOptions.h"

#include "common/Comon_State.h"
#include "common/UStyle.h"

#include <QPushButton>

using namespace UComon;

TFSoftOptions::TFSoftOptions(QWidget* parent) : TDialog_Base(parent) {
    setObjectName(QStringLiteral("FSoftOptions"));
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    Set_Client_Size(420, 200);
    Set_Lang();
}

void TFSoftOptions::Set_Lang() {
    setWindowTitle(T(300));
    L_SW_Desc->setText(T(301));
    L_SW_Desc->adjustSize();
    Btn_OK->setText(T(103));
    Btn_Cancel->setText(T(104));
}
