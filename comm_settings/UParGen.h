// TFParGen: the communication settings of the open project (ParGen.xml): the
// Modbus TCP slave addressing and the DALI options, each in a group box that
// the user can collapse to its title line.
#pragma once

#include "comm_settings/ParGen.h"
#include "common/UDialog_Base.h"

#include <QCheckBox>
#include <QDomDocument>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

class QKeyEvent;

class TFParGen : public UComon::TDialog_Base {
    Q_OBJECT
public:
    explicit TFParGen(QWidget* parent = nullptr);

    void Set_Lang();

    // Handlers.
    void FormShow();
    void FormActivate();
    void On_Change();
    void On_Click();
    // The "." key in an address byte box moves on to the next box; true when the
    // key was taken.
    bool KeyPress(QLineEdit* Sender, QKeyEvent* Key);
    void Btn_GB_Collapse(QObject* Sender);
    void Btn_GB_Expande(QObject* Sender);
    void Btn_OKClick();
    void Btn_CancelClick();

    // Routines.
    bool Controllo_Dati();
    void Collapse_Expand_Creation();
    void Move_GroupBoxs();

    // The settings as the controls hold them, and the controls filled from settings.
    UComon::TParGen Values() const;
    void Set_Values(const UComon::TParGen& v);

    QGroupBox* GB_Modbus_TCP_Slave;
    QLabel* L_ModTCPs_IP;
    QLineEdit* E_IP1;
    QLineEdit* E_IP2;
    QLineEdit* E_IP3;
    QLineEdit* E_IP4;
    QLabel* L_ModTCPs_SM;
    QLineEdit* E_SM1;
    QLineEdit* E_SM2;
    QLineEdit* E_SM3;
    QLineEdit* E_SM4;
    QCheckBox* CB_ModTCPs_EN_GAT;
    QLineEdit* E_GAT1;
    QLineEdit* E_GAT2;
    QLineEdit* E_GAT3;
    QLineEdit* E_GAT4;
    QLabel* L_ModTCPs_Port;
    QLineEdit* E_PORT;
    QCheckBox* CB_Modbus_TCP_Slave_Map_DALI;
    QToolButton* Btn_Modbus_TCP_Slave_Collapse;
    QToolButton* Btn_Modbus_TCP_Slave_Expande;

    QGroupBox* GB_DALI;
    QLabel* L_DALI_Console_Port;
    QLineEdit* E_DALI_Console_Port;
    QCheckBox* CB_DALI_SwitchOff;
    QLabel* L_DALI_TimeOut;
    QLineEdit* E_DALI_TimeOut;
    QCheckBox* CB_DALI_Disable_Scan;
    QCheckBox* CB_DALI_En_DALI2;
    QToolButton* Btn_DALI_Collapse;
    QToolButton* Btn_DALI_Expande;

    // Expanded flags of the group boxes; they keep their values between openings.
    bool GB_Modbus_TCP_Slave_Visible = true;
    bool GB_DALI_Visible = true;
    // True once the user changed an entry since the window was last filled.
    bool Is_Change = false;
    // The document through which ParGen.xml is read and written.
    QDomDocument XML1;

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void FormCreate();
    // The twelve address byte boxes in the order in which "." moves on.
    QList<QLineEdit*> Byte_Boxes() const;
};
