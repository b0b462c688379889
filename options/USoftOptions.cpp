#include "options/USoftOptions.h"

#include "app/UDravianFirmWare.h"
#include "app/UForms.h"
#include "common/Comon_State.h"
#include "common/UMessages.h"
#include "common/UStyle.h"
#include "options/Version_Check.h"
#include "texts/Text_Table.h"

#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPixmap>
#include <QUrl>

using namespace UComon;

namespace {
constexpr int Client_W = 470, Client_H = 384;
constexpr int Slot_Col_X[2] = {24, 238}, Slot_Top = 36, Slot_Step = 54;
} // namespace

TFSoftOptions::TFSoftOptions(QWidget* parent) : TDialog_Base(parent) {
    setObjectName(QStringLiteral("FSoftOptions"));

    PC_Options = new QTabWidget(this);
    PC_Options->setObjectName(QStringLiteral("PC_Options"));
    PC_Options->setGeometry(8, 73, Client_W - 16, Client_H - 73 - 44);
    TS_Language = new QWidget;
    TS_Con_Options = new QWidget;
    TS_Soft_Settings = new QWidget;
    TS_Language->setObjectName(QStringLiteral("TS_Language"));
    TS_Con_Options->setObjectName(QStringLiteral("TS_Con_Options"));
    TS_Soft_Settings->setObjectName(QStringLiteral("TS_Soft_Settings"));
    PC_Options->addTab(TS_Language, QString());
    PC_Options->addTab(TS_Con_Options, QString());
    PC_Options->addTab(TS_Soft_Settings, QString());
    const int page_w = PC_Options->width() - 8;

    // Language page: six slots in two columns, page buttons at the bottom.
    L_Sel_Lang = Make_Label(TS_Language, true);
    L_Sel_Lang->setObjectName(QStringLiteral("L_Sel_Lang"));
    L_Sel_Lang->setGeometry(12, 10, page_w - 24, 18);
    for (int k = 0; k < 6; ++k) {
        const int x = Slot_Col_X[k / 3], y = Slot_Top + (k % 3) * Slot_Step;
        I_L[k] = new QLabel(TS_Language);
        I_L[k]->setObjectName(QStringLiteral("I_L%1").arg(k + 1));
        I_L[k]->setGeometry(x, y, 48, 48);
        I_L[k]->setAlignment(Qt::AlignCenter);
        I_L[k]->setCursor(Qt::PointingHandCursor);
        I_L[k]->installEventFilter(this);
        L_L[k] = Make_Label(TS_Language);
        L_L[k]->setObjectName(QStringLiteral("L_L%1").arg(k + 1));
        L_L[k]->setGeometry(x + 56, y + 15, 150, 18);
        L_L[k]->setCursor(Qt::PointingHandCursor);
        L_L[k]->installEventFilter(this);
    }
    const int bottom = Slot_Top + 3 * Slot_Step + 8;
    Btn_Prev = new TLbButton(TS_Language, QStyle::SP_ArrowLeft, 100, 26);
    Btn_Prev->setObjectName(QStringLiteral("Btn_Prev"));
    Btn_Prev->move(12, bottom);
    Btn_Next = new TLbButton(TS_Language, QStyle::SP_ArrowRight, 100, 26);
    Btn_Next->setObjectName(QStringLiteral("Btn_Next"));
    Btn_Next->setLayoutDirection(Qt::RightToLeft);
    Btn_Next->move(page_w - 12 - 100, bottom);
    L_Page_Lang = Make_Label(TS_Language);
    L_Page_Lang->setObjectName(QStringLiteral("L_Page_Lang"));
    L_Page_Lang->setAlignment(Qt::AlignCenter);
    L_Page_Lang->setGeometry(120, bottom + 4, page_w - 240, 18);
    connect(Btn_Prev, &QPushButton::clicked, this, [this] { Btn_NextClick(Btn_Prev); });
    connect(Btn_Next, &QPushButton::clicked, this, [this] { Btn_NextClick(Btn_Next); });

    // Connection page.
    CB_En_Con = new QCheckBox(TS_Con_Options);
    CB_En_Con->setObjectName(QStringLiteral("CB_En_Con"));
    CB_En_Con->setGeometry(16, 16, page_w - 32, 20);
    CB_Update = new QCheckBox(TS_Con_Options);
    CB_Update->setObjectName(QStringLiteral("CB_Update"));
    CB_Update->setGeometry(40, 46, page_w - 56, 20);
    Btn_Check_Update = new TLbButton(TS_Con_Options, QStyle::SP_BrowserReload, 200, 28);
    Btn_Check_Update->setObjectName(QStringLiteral("Btn_Check_Update"));
    Btn_Check_Update->move(40, 80);
    LL_Check_Update = new QLabel(TS_Con_Options);
    LL_Check_Update->setObjectName(QStringLiteral("LL_Check_Update"));
    LL_Check_Update->setGeometry(40, 120, page_w - 56, 36);
    LL_Check_Update->setWordWrap(true);
    LL_Check_Update->setOpenExternalLinks(false);
    connect(LL_Check_Update, &QLabel::linkActivated, this, &TFSoftOptions::LL_Check_UpdateLinkClick);
    connect(Btn_Check_Update, &QPushButton::clicked, this, &TFSoftOptions::Btn_Check_UpdateClick);

    // Table behaviour page.
    CB_Soft_Set_Jump_Table = new QCheckBox(TS_Soft_Settings);
    CB_Soft_Set_Jump_Table->setObjectName(QStringLiteral("CB_Soft_Set_Jump_Table"));
    CB_Soft_Set_Jump_Table->setGeometry(16, 16, page_w - 32, 20);
    CB_DoubleClick_Auto_Size = new QCheckBox(TS_Soft_Settings);
    CB_DoubleClick_Auto_Size->setObjectName(QStringLiteral("CB_DoubleClick_Auto_Size"));
    CB_DoubleClick_Auto_Size->setGeometry(16, 46, page_w - 32, 20);

    for (QCheckBox* cb : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        connect(cb, &QCheckBox::toggled, this, &TFSoftOptions::CB_En_ConClick);

    connect(Btn_OK, &QPushButton::clicked, this, &TFSoftOptions::Btn_OKClick);
    Set_Client_Size(Client_W, Client_H);
    PC_Options->setCurrentWidget(TS_Con_Options);
    Set_Lang();
}

void TFSoftOptions::Set_Lang() {
    setWindowTitle(T(300));
    L_SW_Desc->setText(T(301));
    L_SW_Desc->adjustSize();
    PC_Options->setTabText(0, T(302));
    PC_Options->setTabText(1, T(303));
    PC_Options->setTabText(2, T(319));
    Btn_Prev->setText(T(307));
    Btn_Next->setText(T(308));
    CB_En_Con->setText(T(309));
    CB_Update->setText(T(310));
    Btn_Check_Update->setText(T(311));
    Btn_OK->setText(T(312));
    Btn_Cancel->setText(T(313));
    CB_Soft_Set_Jump_Table->setText(T(320));
    CB_DoubleClick_Auto_Size->setText(T(321));
    // While the window is open (a language chosen here), its page keeps its place.
    if (isVisible())
        Update_Lang_Page(Show_Page);
    else
        L_Page_Lang->setText(T(305) + QLatin1Char('1') + T(306) + QLatin1Char('1'));
}

void TFSoftOptions::showEvent(QShowEvent* e) {
    TDialog_Base::showEvent(e);
    FormShow();
}

void TFSoftOptions::FormShow() {
    Language_In_Use = Current_Language;
    Create_Lang_List();
    Update_CheckBox();
    LL_Check_Update->hide();
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(Enable_Internet);
    CB_Update->setChecked(Enable_Update);
    CB_Soft_Set_Jump_Table->setChecked(Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->setChecked(Double_Click_Auto_Size);
    Update_CheckBox();
}

void TFSoftOptions::Create_Lang_List() {
    SL_Languages.clear();
    const QFileInfoList files =
        QDir(Language_Dir)
            .entryInfoList({QStringLiteral("*.lng")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& fi : files)
        if (fi.permissions() & QFileDevice::WriteOwner) // read-only files are not offered
            SL_Languages.append(fi.fileName());
    std::sort(SL_Languages.begin(), SL_Languages.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    Show_Page = 1;
    Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(int Num_Page) {
    const int count = int(SL_Languages.size());
    const int pages = Page_Count();
    L_Sel_Lang->setText(T(304) + Language_In_Use);
    L_Page_Lang->setText(T(305) + QString::number(Num_Page) + T(306) + QString::number(pages));
    Btn_Prev->setVisible(Num_Page != 1);
    Btn_Next->setVisible(Num_Page < pages); // also hidden when there is no language at all
    const int n = qBound(0, count - (Num_Page - 1) * 6, 6);
    for (int k = 0; k < 6; ++k) {
        if (k >= n) {
            I_L[k]->hide();
            L_L[k]->hide();
            continue;
        }
        const QString name = SL_Languages.at((Num_Page - 1) * 6 + k).chopped(4);
        L_L[k]->setText(name);
        L_L[k]->show();
        QString flag = Join_Path(Language_Dir, name + QStringLiteral(".bmp"));
        if (!QFileInfo(flag).isFile())
            flag = Join_Path(Language_Dir, QStringLiteral("DefaultFlag.bmp"));
        QPixmap pm;
        if (QFileInfo(flag).isFile() && pm.load(flag)) {
            I_L[k]->setPixmap(pm.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            I_L[k]->show();
        } else {
            I_L[k]->clear();
            I_L[k]->hide();
        }
    }
}

void TFSoftOptions::Btn_NextClick(QWidget* sender) {
    if (sender == Btn_Next) {
        if (Page_Count() >= Show_Page + 1)
            ++Show_Page;
    } else if (sender == Btn_Prev) {
        if (Show_Page - 1 > 0)
            --Show_Page;
    }
    Update_Lang_Page(Show_Page);
}

bool TFSoftOptions::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        for (int k = 0; k < 6; ++k)
            if (o == I_L[k] || o == L_L[k]) {
                LangClick(k + 1);
                return true;
            }
    }
    return TDialog_Base::eventFilter(o, e);
}

void TFSoftOptions::LangClick(int slot) {
    const int index = (Show_Page - 1) * 6 + slot - 1;
    if (slot < 1 || slot > 6 || index >= SL_Languages.size())
        return;
    const QString name = SL_Languages.at(index).chopped(4);
    if (!Show_Message_Text(Msg_Kind::Confirmation, T(316) + Language_In_Use + T(317) + name + T(318), 316))
        return;
    Language_In_Use = name;
    const QString kept = Current_Language;
    Current_Language = name;
    Load_Language();
    Current_Language = kept;
    Forms::FDravianFirmWare->Change_Language();
    L_Sel_Lang->setText(T(304) + name);
}

void TFSoftOptions::CB_En_ConClick() { Update_CheckBox(); }

void TFSoftOptions::Update_CheckBox() {
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked());
}

void TFSoftOptions::Btn_OKClick() {
    Current_Language = Language_In_Use;
    Enable_Internet = CB_En_Con->isChecked();
    Enable_Update = CB_Update->isChecked();
    Forms::FDravianFirmWare->Arm_Update_Timer();
    Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->isChecked();
    Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->isChecked();
    accept();
}

void TFSoftOptions::Btn_Check_UpdateClick() {
    if (Check_Version()) {
        LL_Check_Update->setText(
            QStringLiteral("<a href=\"%1\">%2</a>")
                .arg(Download_Page_Url().toString().toHtmlEscaped(), T(314).toHtmlEscaped()));
    } else {
        LL_Check_Update->setText(T(315).toHtmlEscaped());
    }
    LL_Check_Update->show();
}

void TFSoftOptions::LL_Check_UpdateLinkClick(const QString& Link) { Open_Url(QUrl(Link)); }
