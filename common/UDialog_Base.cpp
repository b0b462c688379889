#include "common/UDialog_Base.h"

#include "common/Comon_State.h"
#include "common/UStyle.h"

#include <QResizeEvent>

namespace UComon {

TDialog_Base::TDialog_Base(QWidget* parent) : QDialog(parent) {
    Apply_Window_Style(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    P_Title = new QWidget(this);
    P_Title->setObjectName(QStringLiteral("P_Title"));
    L_SW_Code = Make_SW_Code_Label(P_Title);
    L_SW_Code->move(16, 8);
    L_SW_Code->setText(SW_Code);
    L_SW_Code->adjustSize();
    L_SW_Desc = Make_SW_Desc_Label(P_Title);
    L_SW_Desc->move(16, 42);

    P_Button = new QWidget(this);
    P_Button->setObjectName(QStringLiteral("P_Button"));
    Btn_OK = new TLbButton(P_Button, QStyle::SP_DialogApplyButton, 110, 28);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_Cancel = new TLbButton(P_Button, QStyle::SP_DialogCancelButton, 110, 28);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TDialog_Base::Set_Client_Size(int w, int h, bool fixed) {
    if (fixed)
        setFixedSize(w, h);
    else
        resize(w, h);
    Place_Buttons();
}

void TDialog_Base::Place_Buttons() {
    P_Title->setGeometry(0, 0, width(), 69);
    P_Button->setGeometry(0, height() - 40, width(), 40);
    Btn_Cancel->move(P_Button->width() - 8 - Btn_Cancel->width(), 6);
    Btn_OK->move(Btn_Cancel->x() - 8 - Btn_OK->width(), 6);
}

void TDialog_Base::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    Place_Buttons();
}

} // namespace UComon
