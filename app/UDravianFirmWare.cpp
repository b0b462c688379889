#include "app/UDravianFirmWare.h"

#include "app/Projects.h"
#include "app/Settings.h"
#include "app/UForms.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "comm_settings/UParGen.h"
#include "common/Comon_State.h"
#include "common/UMessages.h"
#include "common/UStyle.h"
#include "dali/UDALI_Access.h"
#include "image/Build_Image.h"
#include "options/UAbout.h"
#include "options/USoftOptions.h"
#include "options/Version_Check.h"
#include "texts/Text_Table.h"
#include "update/UBoot.h"

#include <QCloseEvent>
#include <QDir>
#include <QMouseEvent>
#include <QUrl>

using namespace UComon;

namespace {
constexpr int First_Check_Interval_Ms = 60000;
constexpr int Later_Check_Interval_Ms = 7200000;
} // namespace

TFDravianFirmWare::TFDravianFirmWare(const QString& program_dir, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FDravianFirmWare"));
    FormCreate(program_dir);
}

void TFDravianFirmWare::FormCreate(const QString& program_dir) {
    Text_Table.clear();
    Apply_Layout();
    Set_Program_Folders(program_dir);
    Read_Settings();
    Arm_Update_Timer();

    setWindowTitle(QString::fromLatin1(Maker_Web_Name) +
                   QStringLiteral(" - Configurator CF51730 - DALI / Modbus TCP Slave "));
    SW_Code = QString::fromLatin1(Software_Code);
    SW_Desc = QString::fromLatin1(Software_Desc);
    L_SW_Code->setText(SW_Code);
    L_SW_Code->adjustSize();
    L_SW_Desc->setText(SW_Desc);
    L_SW_Desc->adjustSize();

    Load_Language();
    Restore_Project();
    Set_Lang();
    Set_Files();
    Read_Back = true;
    Row_Clipboard.clear();
    Row_Clipboard_Checks.clear();
    Other_Model_List_1.clear();
    Other_Model_List_2.clear();
    Set_Main_Window(this);
}

void TFDravianFirmWare::Apply_Layout() {
    Apply_Window_Style(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    L_SW_Code = Make_SW_Code_Label(this);
    L_SW_Code->move(16, 8);
    L_SW_Desc = Make_SW_Desc_Label(this);
    L_SW_Desc->move(16, 42);

    auto header_button = [this](const char* name, QStyle::StandardPixmap glyph, int left) {
        auto* b = new TLbButton(this, glyph, 50, 50);
        b->setObjectName(QLatin1String(name));
        b->move(left, 8);
        connect(b, &QPushButton::clicked, this, [this, b] { Btn_Click(b); });
        return b;
    };
    Btn_Info = header_button("Btn_Info", QStyle::SP_MessageBoxInformation, 516);
    Btn_Opz = header_button("Btn_Opz", QStyle::SP_FileDialogDetailedView, 574);
    Btn_Close = header_button("Btn_Close", QStyle::SP_DialogCloseButton, 632);

    LL_Update = new QLabel(this);
    LL_Update->setObjectName(QStringLiteral("LL_Update"));
    LL_Update->move(208, 19);
    LL_Update->setTextFormat(Qt::RichText);
    LL_Update->setOpenExternalLinks(false);
    connect(LL_Update, &QLabel::linkActivated, this, &TFDravianFirmWare::LL_UpdateLinkClick);
    LL_Update->hide();

    Shape2 = new QFrame(this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(80, 70, 348, 36);
    Shape2->setStyleSheet(QStringLiteral("QFrame#Shape2 { border: 1px solid silver; }"));

    L_Name_Conf = Make_Label(this);
    L_Name_Conf->setObjectName(QStringLiteral("L_Name_Conf"));
    L_Name_Conf->move(87, 75);
    L_Name_Conf_L2 = Make_Label(this);
    L_Name_Conf_L2->setObjectName(QStringLiteral("L_Name_Conf_L2"));
    L_Name_Conf_L2->move(87, 88);

    L_Begin = Make_Label(this, true);
    L_Begin->setObjectName(QStringLiteral("L_Begin"));
    L_Begin->move(16, 84);

    auto step_button = [this](const char* name, QStyle::StandardPixmap glyph, int left, int top) {
        auto* b = new TLbButton(this, glyph, 170, 36);
        b->setObjectName(QLatin1String(name));
        b->move(left, top);
        connect(b, &QPushButton::clicked, this, [this, b] { Btn_Click(b); });
        return b;
    };
    Btn_New = step_button("Btn_New", QStyle::SP_FileIcon, 80, 112);
    Btn_Open = step_button("Btn_Open", QStyle::SP_DirOpenIcon, 258, 112);
    Btn_Prm_Gen = step_button("Btn_Prm_Gen", QStyle::SP_ComputerIcon, 80, 156);
    Btn_DALI_Access = step_button("Btn_DALI_Access", QStyle::SP_FileDialogListView, 80, 200);
    Btn_CreateBin = step_button("Btn_CreateBin", QStyle::SP_DriveNetIcon, 80, 244);

    QLabel** steps[] = {&L_Step_1, &L_Step_2, &L_Step_3, &L_Step_4};
    for (int i = 0; i < 4; ++i) {
        *steps[i] = Make_Label(this, true);
        (*steps[i])->setObjectName(QStringLiteral("L_Step_%1").arg(i + 1));
        (*steps[i])->move(16, 128 + 44 * i);
    }

    L_Varnel = Make_Label(this, true);
    L_Varnel->setObjectName(QStringLiteral("L_Varnel"));
    L_Varnel->move(565, L_Step_4->y());
    L_Varnel->setCursor(Qt::PointingHandCursor);
    L_Varnel->setText(QString::fromLatin1(Maker_Web_Host).mid(4)); // without "www."
    L_Varnel->adjustSize();
    L_Varnel->installEventFilter(this);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(10, Btn_CreateBin->y() + 51, 674, 1);
    Shape1->setStyleSheet(QStringLiteral("QFrame#Shape1 { background: silver; }"));

    Timer_Update = new QTimer(this);
    Timer_Update->setInterval(First_Check_Interval_Ms);
    connect(Timer_Update, &QTimer::timeout, this, &TFDravianFirmWare::Timer_UpdateTimer);

    setFixedSize(694, Btn_CreateBin->y() + 152);
}

void TFDravianFirmWare::Arm_Update_Timer() {
    if (Enable_Internet && Enable_Update)
        Timer_Update->start();
    else
        Timer_Update->stop();
}

void TFDravianFirmWare::Show_Configuration_Labels() {
    if (!Project_Name.isEmpty()) {
        L_Name_Conf->setText(T(11));
        L_Name_Conf_L2->setText(Project_Name);
    } else {
        L_Name_Conf->setText(T(9));
        L_Name_Conf_L2->setText(T(10));
    }
    L_Name_Conf->adjustSize();
    L_Name_Conf_L2->adjustSize();
}

void TFDravianFirmWare::Set_Lang() {
    L_Begin->setText(T(0));
    L_Begin->adjustSize();
    QLabel* steps[] = {L_Step_1, L_Step_2, L_Step_3, L_Step_4};
    for (int i = 0; i < 4; ++i) {
        steps[i]->setText(T(1 + i));
        steps[i]->adjustSize();
    }
    Btn_Info->setToolTip(T(12));
    Btn_Opz->setToolTip(T(13));
    Btn_Close->setToolTip(T(14));
    Btn_New->setText(T(15));
    Btn_Open->setText(T(16));
    Btn_CreateBin->setText(T(17));
    Btn_Prm_Gen->setText(T(20));
    Btn_DALI_Access->setText(T(21));
    Btn_New->setToolTip(T(22));
    Btn_Open->setToolTip(T(23));
    Btn_Prm_Gen->setToolTip(T(24));
    Btn_DALI_Access->setToolTip(T(25));
    Btn_CreateBin->setToolTip(T(26));
    Show_Configuration_Labels();
}

void TFDravianFirmWare::Change_Language() {
    Set_Lang();
    Forms::FNew_Project->Set_Lang();
    Forms::FOpenConf->Set_Lang();
    Forms::FSoftOptions->Set_Lang();
    Forms::FBoot->Set_Lang();
    Forms::FParGen->Set_Lang();
    Forms::FDALI_Access->Set_Lang();
}

bool TFDravianFirmWare::Save_Setting() {
    QString reason;
    if (Write_Settings(&reason))
        return true;
    Show_Message_Text(Msg_Kind::Error,
                      T(905) + QLatin1Char('\n') + QDir::toNativeSeparators(Settings_File_Path()) +
                          QLatin1Char('\n') + reason,
                      905);
    return false;
}

void TFDravianFirmWare::closeEvent(QCloseEvent* e) {
    // FormClose: the settings are written however the window is closed, once.
    if (!saved_on_close_) {
        saved_on_close_ = true;
        Save_Setting();
    }
    e->accept();
}

bool TFDravianFirmWare::eventFilter(QObject* o, QEvent* e) {
    if (o == L_Varnel && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        L_VarnelClick();
        return true;
    }
    return QWidget::eventFilter(o, e);
}

void TFDravianFirmWare::Btn_Click(QWidget* button) {
    if (button == Btn_New) {
        Create_New_Project();
        return;
    }
    if (button == Btn_Open) {
        Open_Project();
        return;
    }
    if (button == Btn_Close) {
        close();
        return;
    }
    if (button == Btn_Info) {
        Show_Modal(Forms::FAbout);
        return;
    }
    if (button == Btn_Opz) {
        if (Show_Modal(Forms::FSoftOptions) == QDialog::Accepted) {
            Save_Setting();
            Arm_Update_Timer();
        }
        return;
    }
    if (Project_Dir.isEmpty()) {
        Error_Message(18);
        return;
    }
    if (button == Btn_Prm_Gen)
        Show_Modal(Forms::FParGen);
    else if (button == Btn_DALI_Access)
        Show_Modal(Forms::FDALI_Access);
    else if (button == Btn_CreateBin)
        Update_Device();
}

void TFDravianFirmWare::Create_New_Project() {
    if (Show_Modal(Forms::FNew_Project) == QDialog::Accepted)
        Show_Configuration_Labels();
}

void TFDravianFirmWare::Open_Project() {
    if (Show_Modal(Forms::FOpenConf) != QDialog::Accepted)
        return;
    Activate_Project(Forms::FOpenConf->Name_Conf);
    Show_Configuration_Labels();
}

void TFDravianFirmWare::Update_Device() {
    // The updater loads the bank files: without a complete, current set it must not start.
    USaveBincc::Build_Error error;
    if (!USaveBincc::Build_Image(&error) || !USaveBincc::Write_Image_Files(&error)) {
        Show_Message_Text(Msg_Kind::Error, error.Message(), error.line);
        return;
    }
    Forms::FBoot->Form_Type = 1;
    Show_Modal(Forms::FBoot);
}

void TFDravianFirmWare::L_VarnelClick() { Open_Url(Home_Page_Url()); }

void TFDravianFirmWare::LL_UpdateLinkClick(const QString& link) { Open_Url(QUrl(link)); }

void TFDravianFirmWare::Timer_UpdateTimer() {
    Timer_Update->stop();
    if (Check_Version()) {
        LL_Update->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                               .arg(Download_Page_Url().toString().toHtmlEscaped(), T(19).toHtmlEscaped()));
        LL_Update->adjustSize();
        LL_Update->show();
    } else {
        LL_Update->hide();
    }
    Timer_Update->setInterval(Later_Check_Interval_Ms);
    Timer_Update->start();
}
