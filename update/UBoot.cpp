#include "update/UBoot.h"

#include "common/Comon_State.h"
#include "common/Ip_Address.h"
#include "common/Serial_Ports.h"
#include "common/UMessages.h"
#include "common/UStyle.h"
#include "update/Job_File.h"
#include "update/Run_Program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QScopeGuard>

using namespace UComon;

namespace {

constexpr int Client_Width = 449;
constexpr int Title_Height = 69;
constexpr int IP_Address_Height = 49;
constexpr int Eth_Search_Height = 120;
constexpr int Serial_Height = 49;
constexpr int Options_Height = 72;
constexpr int Button_Height = 40;

constexpr int Echo_Size = 1024;
constexpr int Echo_Successes = 2;

// Further text lines of this window.
constexpr int Line_Update_Running = 860;
constexpr int Line_Updater_Not_Started = 861;
constexpr int Line_Echo_Refused = 862;
constexpr int Line_File_Not_Saved = 903;

QWidget* Make_Panel(QWidget* parent, const char* name) {
    auto* p = new QWidget(parent);
    p->setObjectName(QLatin1String(name));
    return p;
}

} // namespace

TFBoot::TFBoot(QWidget* parent) : TDialog_Base(parent) {
    setObjectName(QStringLiteral("FBoot"));
    Ping_Factory = [] { return UBoot::Make_System_Echo_Client(); };

    // Address of the converter.
    P_IP_Address = Make_Panel(this, "P_IP_Address");
    L_IP_Address = Make_Label(P_IP_Address, true);
    L_IP_Address->setObjectName(QStringLiteral("L_IP_Address"));
    L_IP_Address->move(16, 6);
    QLineEdit** boxes[] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    for (int i = 0; i < 4; ++i) {
        auto* e = new QLineEdit(P_IP_Address);
        e->setObjectName(QStringLiteral("E_IP%1").arg(i + 1));
        e->setGeometry(16 + 53 * i, 22, 41, 21);
        e->setText(QStringLiteral("0"));
        e->setAlignment(Qt::AlignCenter);
        e->installEventFilter(this);
        *boxes[i] = e;
        if (i < 3) {
            QLabel* dot = Make_Label(P_IP_Address, true);
            dot->setObjectName(QStringLiteral("L_Dot%1").arg(i + 1));
            dot->setText(QStringLiteral("."));
            dot->setGeometry(16 + 53 * i + 41, 22, 12, 21);
            dot->setAlignment(Qt::AlignCenter);
        }
    }

    // Search for converters on the network (not offered in this build).
    P_Eth_Search = Make_Panel(this, "P_Eth_Search");
    L_Eth_Search = Make_Label(P_Eth_Search, true);
    L_Eth_Search->setObjectName(QStringLiteral("L_Eth_Search"));
    L_Eth_Search->move(16, 6);
    Btn_Eth_Search = new TLbButton(P_Eth_Search, QStyle::SP_BrowserReload, 110, 28);
    Btn_Eth_Search->setObjectName(QStringLiteral("Btn_Eth_Search"));
    Btn_Eth_Search->move(16, 24);
    LB_Eth_Devices = new QListWidget(P_Eth_Search);
    LB_Eth_Devices->setObjectName(QStringLiteral("LB_Eth_Devices"));
    LB_Eth_Devices->setGeometry(136, 24, 297, 64);
    L_Eth_Found = Make_Label(P_Eth_Search);
    L_Eth_Found->setObjectName(QStringLiteral("L_Eth_Found"));
    L_Eth_Found->move(136, 94);
    Btn_Eth_Use = new TLbButton(P_Eth_Search, QStyle::SP_DialogApplyButton, 110, 28);
    Btn_Eth_Use->setObjectName(QStringLiteral("Btn_Eth_Use"));
    Btn_Eth_Use->move(16, 60);

    // Serial port (for the serial form, not offered in this build).
    P_Serial = Make_Panel(this, "P_Serial");
    L_COM_Port = Make_Label(P_Serial, true);
    L_COM_Port->setObjectName(QStringLiteral("L_COM_Port"));
    L_COM_Port->move(16, 6);
    CB_COM_Port = new QComboBox(P_Serial);
    CB_COM_Port->setObjectName(QStringLiteral("CB_COM_Port"));
    CB_COM_Port->setGeometry(16, 22, 120, 22);
    Btn_COM_List = new TLbButton(P_Serial, QStyle::SP_BrowserReload, 110, 24);
    Btn_COM_List->setObjectName(QStringLiteral("Btn_COM_List"));
    Btn_COM_List->move(146, 21);
    connect(Btn_COM_List, &QPushButton::clicked, this, &TFBoot::Btn_COM_ListClick);
    L_COM_Info = Make_Label(P_Serial);
    L_COM_Info->setObjectName(QStringLiteral("L_COM_Info"));
    L_COM_Info->move(266, 26);

    // What to update.
    P_Options = Make_Panel(this, "P_Options");
    L_Update_Option = Make_Label(P_Options, true);
    L_Update_Option->setObjectName(QStringLiteral("L_Update_Option"));
    L_Update_Option->move(16, 4);
    CB_Update_Options = new QComboBox(P_Options);
    CB_Update_Options->setObjectName(QStringLiteral("CB_Update_Options"));
    CB_Update_Options->setGeometry(16, 20, 200, 22);
    CB_Update_Option_Read_Back = new QCheckBox(P_Options);
    CB_Update_Option_Read_Back->setObjectName(QStringLiteral("CB_Update_Option_Read_Back"));
    CB_Update_Option_Read_Back->setGeometry(16, 48, 200, 18);
    CB_Update_Option_Read_Back->setChecked(true);
    L_Update_Running = Make_Label(P_Options, true);
    L_Update_Running->setObjectName(QStringLiteral("L_Update_Running"));
    L_Update_Running->setGeometry(232, 18, 201, 44);
    L_Update_Running->setWordWrap(true);
    L_Update_Running->setStyleSheet(QStringLiteral("color: #1f5fa8;"));
    L_Update_Running->hide();

    // Buttons: the update button takes the place of OK.
    Btn_OK->hide();
    Btn_Update = new TLbButton(P_Button, QStyle::SP_ArrowUp, 170, 28);
    Btn_Update->setObjectName(QStringLiteral("Btn_Update"));
    connect(Btn_Update, &QPushButton::clicked, this, &TFBoot::Btn_UpdateClick);

    P_IP_Address->setGeometry(0, Title_Height, Client_Width, IP_Address_Height);
    P_Options->setGeometry(0, Title_Height + IP_Address_Height, Client_Width, Options_Height);
    P_Eth_Search->hide();
    P_Serial->hide();
    Set_Client_Size(Client_Width, Title_Height + IP_Address_Height + Options_Height + Button_Height);
    Set_Lang();
}

void TFBoot::Set_Lang() {
    switch (Form_Type) {
    case 0:
        setWindowTitle(T(800));
        L_SW_Desc->setText(T(801));
        break;
    case 2:
        setWindowTitle(T(804));
        L_SW_Desc->setText(T(805));
        break;
    default:
        setWindowTitle(T(802));
        L_SW_Desc->setText(T(803));
        break;
    }
    L_SW_Desc->adjustSize();
    L_IP_Address->setText(T(806));
    L_IP_Address->adjustSize();
    L_COM_Port->setText(T(807));
    L_COM_Port->adjustSize();
    Btn_COM_List->setText(T(808));
    L_Eth_Search->setText(T(809));
    L_Eth_Search->adjustSize();
    Btn_Eth_Search->setText(T(810));
    L_Eth_Found->setText(T(811));
    L_Eth_Found->adjustSize();
    Btn_Eth_Use->setText(T(812));
    LB_Eth_Devices->setToolTip(T(813));
    L_Update_Option->setText(T(814));
    L_Update_Option->adjustSize();
    {
        const QSignalBlocker block(CB_Update_Options);
        CB_Update_Options->clear();
        CB_Update_Options->addItems({T(815), T(816), T(817)});
        CB_Update_Options->setCurrentIndex(0);
    }
    CB_Update_Option_Read_Back->setText(T(818));
    Btn_Cancel->setText(T(819));
    Btn_Update->setText(T(820));
    E_IP1->setToolTip(T(821));
    E_IP2->setToolTip(T(822));
    E_IP3->setToolTip(T(823));
    E_IP4->setToolTip(T(824));
    CB_COM_Port->setToolTip(T(825));
    Btn_COM_List->setToolTip(T(826));
    L_COM_Port->setToolTip(T(827));
    L_COM_Info->setText(T(828));
    L_COM_Info->adjustSize();
    Btn_Eth_Search->setToolTip(T(829));
    Btn_Eth_Use->setToolTip(T(830));
    L_Eth_Found->setToolTip(T(831));
    CB_Update_Options->setToolTip(T(832));
    CB_Update_Option_Read_Back->setToolTip(T(833));
    Btn_Cancel->setToolTip(T(834));
    Btn_Update->setToolTip(T(835));
    L_Update_Running->setText(T(Line_Update_Running));
}

void TFBoot::Layout_Panels() {
    // The visible panels stand one below the other under the title, in this order.
    int y = Title_Height;
    for (QWidget* p : {P_IP_Address, P_Eth_Search, P_Serial, P_Options}) {
        if (p->isHidden())
            continue;
        const int h = p == P_IP_Address   ? IP_Address_Height
                      : p == P_Eth_Search ? Eth_Search_Height
                      : p == P_Serial     ? Serial_Height
                                          : Options_Height;
        p->setGeometry(0, y, Client_Width, h);
        y += h;
    }
    Set_Client_Size(Client_Width, y + Button_Height);
}

void TFBoot::FormShow() {
    Set_Lang();
    L_SW_Code->setText(SW_Code);
    L_SW_Code->adjustSize();
    for (QWidget* p : {P_IP_Address, P_Eth_Search, P_Options, P_Serial})
        p->hide();
    if (Form_Type == 0) {
        P_Serial->show();
        update_ComPort();
    } else if (Form_Type == 1) {
        P_IP_Address->show();
    }
    P_Options->show();
    Layout_Panels();
    setTabOrder(E_IP1, E_IP2);
    setTabOrder(E_IP2, E_IP3);
    setTabOrder(E_IP3, E_IP4);
    setTabOrder(E_IP4, CB_Update_Options);
    setTabOrder(CB_Update_Options, CB_Update_Option_Read_Back);
    setTabOrder(CB_Update_Option_Read_Back, Btn_Cancel);
    setTabOrder(Btn_Cancel, Btn_Update);

    if (!Device_IP.isEmpty()) {
        QString b[4];
        if (Split_IP_Address(Device_IP, b[0], b[1], b[2], b[3])) {
            E_IP1->setText(b[0]);
            E_IP2->setText(b[1]);
            E_IP3->setText(b[2]);
            E_IP4->setText(b[3]);
        }
    }
    CB_Update_Options->setCurrentIndex(Update_Option);
    CB_Update_Option_Read_Back->setChecked(Read_Back);
    L_Update_Running->hide();
    if (Form_Type == 1 && E_IP1->isEnabled())
        E_IP1->setFocus();
}

void TFBoot::showEvent(QShowEvent* e) {
    TDialog_Base::showEvent(e);
    FormShow();
}

void TFBoot::resizeEvent(QResizeEvent* e) {
    TDialog_Base::resizeEvent(e);
    Btn_Update->move(Btn_Cancel->x() - 8 - Btn_Update->width(), Btn_Cancel->y());
}

bool TFBoot::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress)
        if (auto* box = qobject_cast<QLineEdit*>(o))
            if (box == E_IP1 || box == E_IP2 || box == E_IP3 || box == E_IP4)
                return KeyPress(box, static_cast<QKeyEvent*>(e));
    return TDialog_Base::eventFilter(o, e);
}

bool TFBoot::KeyPress(QLineEdit* box, QKeyEvent* e) {
    if (e->text() != QLatin1String("."))
        return false;
    QLineEdit* next = box == E_IP1 ? E_IP2 : box == E_IP2 ? E_IP3 : box == E_IP3 ? E_IP4 : nullptr;
    if (next && next->isEnabled() && next->isVisible()) {
        next->setFocus(Qt::TabFocusReason);
        next->selectAll();
    }
    return true; // a point never enters a box
}

QString TFBoot::Address_Text() const {
    return E_IP1->text() + QLatin1Char('.') + E_IP2->text() + QLatin1Char('.') + E_IP3->text() +
           QLatin1Char('.') + E_IP4->text();
}

void TFBoot::PingReply(int bytes_received) { ping_res = bytes_received > 0 ? 1 : 2; }

bool TFBoot::Send_Ping() {
    ping_res = 0;
    Ping_Error.clear();
    QElapsedTimer since_start;
    since_start.start();
    quint32 address = 0;
    // Only an address: a name would have to be looked up first.
    if (!Parse_IP_Address(Address_Text(), address))
        return false;
    std::unique_ptr<UBoot::Echo_Client> ping = Ping_Factory();
    int successes = 0;
    do {
        if (!ping->Send_Request(address, Echo_Size, &Ping_Error))
            return false;
        QElapsedTimer since_request;
        since_request.start();
        int bytes = 0;
        while ((bytes = ping->Wait_Reply(10)) == 0 && since_request.elapsed() <= Ping_Reply_Wait_Ms)
            QCoreApplication::processEvents();
        PingReply(bytes);
        if (ping_res == 1)
            ++successes;
    } while (successes < Echo_Successes && since_start.elapsed() <= Ping_Check_Ms);
    return ping_res == 1;
}

bool TFBoot::Compile_XML_Parameter(int Type_dev) {
    Q_UNUSED(Type_dev);
    UBoot::Job_Request r;
    r.ip_address = Address_Text();
    r.option = CB_Update_Options->currentIndex();
    r.read_back = CB_Update_Option_Read_Back->isChecked();
    r.master_dir = Master_Dir;
    r.project_dir = Project_Dir;
    const QString path = Join_Path(Program_Dir, QLatin1String(UBoot::Job_File_Name));
    QString reason;
    if (UBoot::Write_Job(path, r, &reason))
        return true;
    Show_Message_Text(Msg_Kind::Error,
                      T(Line_File_Not_Saved) + QLatin1Char('\n') + QDir::toNativeSeparators(path) +
                          QLatin1Char('\n') + reason,
                      Line_File_Not_Saved);
    return false;
}

void TFBoot::Btn_UpdateClick() {
    if (Form_Type != 1 || ping_running_ || updating_)
        return;
    bool answered;
    {
        ping_running_ = true;
        const auto done = qScopeGuard([this] { ping_running_ = false; });
        answered = Send_Ping();
    }
    // The user closed the window while the converter was being looked for.
    if (!isVisible())
        return;
    if (!answered) {
        if (ping_res == 2)
            Show_Message(Msg_Kind::Warning, 836);
        else if (!Ping_Error.isEmpty())
            Show_Message_Text(
                Msg_Kind::Error,
                T(837) + QLatin1Char('\n') + T(Line_Echo_Refused) + QLatin1Char(' ') + Ping_Error, 837);
        else
            Error_Message(837);
        return;
    }
    Device_IP = Address_Text();
    Update_Option = CB_Update_Options->currentIndex();
    Read_Back = CB_Update_Option_Read_Back->isChecked();
    if (!Compile_XML_Parameter(0))
        return;

    const QString updater = Join_Path(Program_Dir, QLatin1String(UBoot::Updater_Program_Name));
    updating_ = true;
    L_Update_Running->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents(); // show that the update runs before the wait
    const UBoot::Program_Run run = UBoot::Start_Program(updater, QString(), 0);
    QApplication::restoreOverrideCursor();
    L_Update_Running->hide();
    updating_ = false;
    if (!run.started)
        Show_Message_Text(Msg_Kind::Error,
                          T(Line_Updater_Not_Started) + QLatin1Char('\n') +
                              QDir::toNativeSeparators(updater) + QLatin1Char('\n') + run.error,
                          Line_Updater_Not_Started);
}

void TFBoot::update_ComPort() {
    CB_COM_Port->clear();
    for (const QString& n : List_COM_Ports())
        CB_COM_Port->addItem(QStringLiteral("COM") + n);
    if (CB_COM_Port->count() > 0)
        CB_COM_Port->setCurrentIndex(0);
}

void TFBoot::Btn_COM_ListClick() { update_ComPort(); }
