#include "app/UNew_Project.h"

#include "app/Projects.h"
#include "common/Comon_State.h"
#include "common/UMessages.h"
#include "common/UStyle.h"

using namespace UComon;

TFNew_Project::TFNew_Project(QWidget* parent) : TDialog_Base(parent) {
    setObjectName(QStringLiteral("FNew_Project"));
    Label1 = Make_Label(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 70);
    E_New_Proj = new QLineEdit(this);
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    E_New_Proj->setGeometry(16, 94, 297, 21);
    // Enter in the name field confirms, like OK.
    connect(E_New_Proj, &QLineEdit::returnPressed, this, &TFNew_Project::Btn_OKClick);
    connect(Btn_OK, &QPushButton::clicked, this, &TFNew_Project::Btn_OKClick);
    Set_Client_Size(331, 162);
    Set_Lang();
}

void TFNew_Project::Set_Lang() {
    setWindowTitle(T(100));
    L_SW_Desc->setText(T(101));
    L_SW_Desc->adjustSize();
    Label1->setText(T(102));
    Label1->adjustSize();
    Btn_OK->setText(T(103));
    Btn_Cancel->setText(T(104));
    E_New_Proj->setToolTip(T(108));
    Btn_OK->setToolTip(T(109));
    Btn_Cancel->setToolTip(T(110));
}

void TFNew_Project::FormShow() {
    E_New_Proj->clear();
    E_New_Proj->setFocus();
}

void TFNew_Project::showEvent(QShowEvent* e) {
    TDialog_Base::showEvent(e);
    FormShow();
}

void TFNew_Project::Btn_OKClick() {
    const int refusal = Create_Project(E_New_Proj->text());
    if (refusal != 0) {
        Error_Message(refusal);
        return;
    }
    accept();
}
