// TFBoot: the update window. The user enters the converter's address and what to
// update; the window checks with ICMP echo requests that the converter answers,
// writes the update job and runs the updater program beside the configurator.
#pragma once

#include "common/UDialog_Base.h"
#include "update/Icmp_Echo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

class TFBoot : public UComon::TDialog_Base {
    Q_OBJECT
public:
    explicit TFBoot(QWidget* parent = nullptr);

    // 0 update by serial port, 1 by Ethernet (UDP), 2 by USB; this build shows 1.
    int Form_Type = 1;
    // Outcome of the last echo request: 0 none yet, 1 reply received, 2 no reply.
    int ping_res = 0;

    void Set_Lang();
    void FormShow();
    // Key handler of the address boxes; true when the key was taken.
    bool KeyPress(QLineEdit* box, QKeyEvent* e);
    bool Send_Ping();
    void PingReply(int bytes_received);
    void Btn_UpdateClick();
    // Writes the job beside the program; false (after telling the user) when it
    // cannot be written.
    bool Compile_XML_Parameter(int Type_dev);
    void update_ComPort();
    void Btn_COM_ListClick();

    // The ICMP client of each presence check; tests put a stand-in here.
    UBoot::Echo_Client_Factory Ping_Factory;
    // Why the last presence check could not send (the system's words), else empty.
    QString Ping_Error;
    // The rhythm of the presence check: each request waits this long for its reply,
    // the check ends after two replies or this long.
    int Ping_Reply_Wait_Ms = 400;
    int Ping_Check_Ms = 5000;

    QWidget* P_IP_Address;
    QLabel* L_IP_Address;
    QLineEdit* E_IP1;
    QLineEdit* E_IP2;
    QLineEdit* E_IP3;
    QLineEdit* E_IP4;
    QWidget* P_Eth_Search;
    QLabel* L_Eth_Search;
    UComon::TLbButton* Btn_Eth_Search;
    QListWidget* LB_Eth_Devices;
    QLabel* L_Eth_Found;
    UComon::TLbButton* Btn_Eth_Use;
    QWidget* P_Serial;
    QLabel* L_COM_Port;
    QComboBox* CB_COM_Port;
    UComon::TLbButton* Btn_COM_List;
    QLabel* L_COM_Info;
    QWidget* P_Options;
    QLabel* L_Update_Option;
    QComboBox* CB_Update_Options;
    QCheckBox* CB_Update_Option_Read_Back;
    QLabel* L_Update_Running;
    UComon::TLbButton* Btn_Update;

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QString Address_Text() const;
    void Layout_Panels();
    bool ping_running_ = false;
    bool updating_ = false;
};
