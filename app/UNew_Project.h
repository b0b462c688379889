// The new-configuration dialog.
#pragma once

#include "common/UDialog_Base.h"

#include <QLineEdit>

class TFNew_Project : public UComon::TDialog_Base {
    Q_OBJECT
public:
    explicit TFNew_Project(QWidget* parent = nullptr);
    void Set_Lang();
    void FormShow();
    void Btn_OKClick();

    QLabel* Label1;
    QLineEdit* E_New_Proj;

protected:
    void showEvent(QShowEvent* e) override;
};
