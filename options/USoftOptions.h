// The software options window: language, internet access and the version check,
// and the behaviour of the tables.
#pragma once

#include "common/UDialog_Base.h"

#include <QCheckBox>
#include <QLabel>
#include <QStringList>
#include <QTabWidget>

class TFSoftOptions : public UComon::TDialog_Base {
    Q_OBJECT
public:
    explicit TFSoftOptions(QWidget* parent = nullptr);
    void Set_Lang();
    void FormShow();
    void Create_Lang_List();
    void Update_Lang_Page(int Num_Page);
    void LangClick(int slot); // slot 1..6
    void Btn_NextClick(QWidget* sender);
    void CB_En_ConClick();
    void Update_CheckBox();
    void Btn_OKClick();
    void Btn_Check_UpdateClick();
    void LL_Check_UpdateLinkClick(const QString& Link);
    int Page_Count() const { return int((SL_Languages.size() + 5) / 6); }

    QStringList SL_Languages;
    int Show_Page = 1;
    QString Language_In_Use;

    QTabWidget* PC_Options;
    QWidget* TS_Language;
    QWidget* TS_Con_Options;
    QWidget* TS_Soft_Settings;
    QLabel* L_Sel_Lang;
    QLabel* I_L[6];
    QLabel* L_L[6];
    UComon::TLbButton* Btn_Prev;
    UComon::TLbButton* Btn_Next;
    QLabel* L_Page_Lang;
    QCheckBox* CB_En_Con;
    QCheckBox* CB_Update;
    UComon::TLbButton* Btn_Check_Update;
    QLabel* LL_Check_Update;
    QCheckBox* CB_Soft_Set_Jump_Table;
    QCheckBox* CB_DoubleClick_Auto_Size;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
};
