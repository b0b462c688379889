#include "dali/UDALI_Access.h"

#include "common/Comon_State.h"
#include "common/Decimal_Number.h"
#include "common/UMessages.h"
#include "common/UStyle.h"
#include "dali/DALI_Check.h"
#include "dali/DALI_Files.h"
#include "dali/DALI_Tables.h"

#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace UComon;
using namespace DALI;

namespace {

constexpr int Client_Width = 1200;
constexpr int Client_Height = 496;

const QColor Colour_Enable(255, 216, 176);
const QColor Colour_Object(224, 250, 254);
const QColor Colour_Timing(168, 255, 168);
const QColor Colour_Function(213, 213, 255);
const QColor Colour_Data(252, 214, 244);
const QColor Colour_Target(255, 255, 168);
const QColor Colour_Fixed(236, 233, 216);

// Heading lines and widths of the rule table, by column.
constexpr int Rule_Heading_Lines[Rule_Cols] = {2500, 2501, 2502, 2503, 2504, 2505, 2510,
                                               2507, 2508, 2513, 2509, 2558, 2514};
constexpr int Rule_Hint_Lines[Rule_Cols - 1] = {2515, 2516, 2517, 2518, 2519, 2524,
                                                2521, 2522, 2527, 2523, 2559, 2528};
constexpr int Rule_Widths[Rule_Cols] = {40, 50, 80, 120, 80, 60, 70, 70, 70, 70, 70, 70, 130};

constexpr int Function_Heading_Lines[Function_Cols] = {2539, 2540, 2541, 2542, 2560, 2561, 2543, 2544};
constexpr int Function_Hint_Lines[Function_Cols - 1] = {2545, 2546, 2547, 2562, 2563, 2548, 2549};

constexpr int Device_Heading_Lines[Device_Cols] = {758, 759, 760, 761, 762, 763};
constexpr int Device_Widths[Device_Cols] = {200, 90, 190, 190, 90, 190};

QWidget* Page_With(QWidget* page, QWidget* grid) {
    auto* l = new QVBoxLayout(page);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(grid);
    return page;
}

void Style_Grid(TGrid* g) {
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(8);
    g->setFont(f);
    g->horizontalHeader()->setFont(f);
    g->verticalHeader()->setMinimumSectionSize(8);
    g->verticalHeader()->setDefaultSectionSize(QFontMetrics(f).height() + 6);
    g->setAlternatingRowColors(false);
}

} // namespace

TFDALI_Access::TFDALI_Access(QWidget* parent) : TDialog_Base(parent) {
    setObjectName(QStringLiteral("FDALI_Access"));
    FormCreate();
}

void TFDALI_Access::Build_Controls() {
    PC_DALI = new QTabWidget(this);
    PC_DALI->setObjectName(QStringLiteral("PC_DALI"));
    TS_Select_Device = new QWidget;
    TS_Select_Device->setObjectName(QStringLiteral("TS_Select_Device"));
    TS_Set_Access = new QWidget;
    TS_Set_Access->setObjectName(QStringLiteral("TS_Set_Access"));
    TS_Functions = new QWidget;
    TS_Functions->setObjectName(QStringLiteral("TS_Functions"));

    ACG_DALI_Device = new TGrid(Device_Cols, Device_Count + 1);
    ACG_DALI_Device->setObjectName(QStringLiteral("ACG_DALI_Device"));
    ASG = new TGrid(Rule_Cols, Rule_Count + 1);
    ASG->setObjectName(QStringLiteral("ASG"));
    ACG = new TGrid(Function_Cols, Function_Count + 1);
    ACG->setObjectName(QStringLiteral("ACG"));
    for (TGrid* g : {ACG_DALI_Device, ASG, ACG})
        Style_Grid(g);

    PC_DALI->addTab(Page_With(TS_Select_Device, ACG_DALI_Device), QString());
    PC_DALI->addTab(Page_With(TS_Set_Access, ASG), QString());
    PC_DALI->addTab(Page_With(TS_Functions, ACG), QString());
    connect(PC_DALI, &QTabWidget::currentChanged, this, [this] { PC_DALIChange(); });

    auto button = [this](const char* name, QStyle::StandardPixmap glyph) {
        auto* b = new TLbButton(P_Button, glyph, 110, 28);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    Btn_SelectAll = button("Btn_SelectAll", QStyle::SP_DialogYesButton);
    Btn_ClearAll = button("Btn_ClearAll", QStyle::SP_DialogNoButton);
    Btn_DelRow = button("Btn_DelRow", QStyle::SP_TrashIcon);
    Btn_InsRow = button("Btn_InsRow", QStyle::SP_FileDialogNewFolder);
    Btn_CopyRow = button("Btn_CopyRow", QStyle::SP_FileDialogContentsView);
    Btn_PasteRow = button("Btn_PasteRow", QStyle::SP_DialogSaveButton);
    // The row buttons keep their English captions in every language.
    Btn_DelRow->setText(QStringLiteral("Delete Row"));
    Btn_InsRow->setText(QStringLiteral("Insert Row"));
    Btn_CopyRow->setText(QStringLiteral("Copy Row"));
    Btn_PasteRow->setText(QStringLiteral("Paste Row"));

    connect(Btn_OK, &QPushButton::clicked, this, [this] { Btn_OKClick(); });
    connect(Btn_SelectAll, &QPushButton::clicked, this, [this] { Btn_SelectAllClick(); });
    connect(Btn_ClearAll, &QPushButton::clicked, this, [this] { Btn_ClearAllClick(); });
    connect(Btn_DelRow, &QPushButton::clicked, this, [this] { Btn_DelRowClick(); });
    connect(Btn_InsRow, &QPushButton::clicked, this, [this] { Btn_InsRowClick(); });
    connect(Btn_CopyRow, &QPushButton::clicked, this, [this] { Btn_CopyRowClick(); });
    connect(Btn_PasteRow, &QPushButton::clicked, this, [this] { Btn_PasteRowClick(); });

    // Heading menus of the device table; their captions are fixed texts.
    auto menu = [this](const char* name, std::initializer_list<std::pair<const char*, QString>> items,
                       void (TFDALI_Access::*handler)(QAction*)) {
        auto* m = new QMenu(this);
        m->setObjectName(QLatin1String(name));
        for (const auto& [caption, value] : items)
            m->addAction(QString::fromLatin1(caption))->setData(value);
        connect(m, &QMenu::triggered, this, [this, handler](QAction* a) { (this->*handler)(a); });
        return m;
    };
    PM_Dimming_Mode =
        menu("PM_Dimming_Mode",
             {{"Select All Normal", Dimming_Modes()[0]}, {"Select All Start Break", Dimming_Modes()[1]}},
             &TFDALI_Access::DimmingModeClick);
    PM_MinMax_Value =
        menu("PM_MinMax_Value", {{"Select All", QStringLiteral("Y")}, {"Clear All", QStringLiteral("N")}},
             &TFDALI_Access::MinMaxValueClick);
    PM_Recall_Level = menu("PM_Recall_Level",
                           {{"Select All None", Recall_Levels()[0]},
                            {"Select All Recall Min-Max Level for Switch", Recall_Levels()[1]},
                            {"Select All Recall Old Value Level for Switch", Recall_Levels()[2]}},
                           &TFDALI_Access::RecallLevelClick);

    // The device table.
    TGrid* d = ACG_DALI_Device;
    Init_Device_Grid(d->Cells());
    for (int c = 0; c < Device_Cols; ++c)
        d->Set_Column_Width(c, Device_Widths[c]);
    for (int r = 1; r <= Device_Count; ++r) {
        d->Cells().Set_Read_Only(DC_Address, r, true);
        d->Cells().Set_Checked(DC_Enable, r, false);
        d->Cells().Set_Checked(DC_Min_Max, r, false);
        d->Cells().Set_Text(DC_Dimming_Mode, r, Dimming_Modes()[0]);
        d->Cells().Set_Text(DC_Recall, r, Recall_Levels()[0]);
    }
    d->Editor_Type = [this](int col, int row) { return ACG_DALI_DeviceGetEditorType(col, row); };
    d->Set_Heading_Menu(DC_Dimming_Mode, PM_Dimming_Mode);
    d->Set_Heading_Menu(DC_Min_Max, PM_MinMax_Value);
    d->Set_Heading_Menu(DC_Recall, PM_Recall_Level);

    // Events of the rule and function tables.
    connect(ASG, &TGrid::Cell_Clicked, this, &TFDALI_Access::ASGClickCell);
    connect(ACG, &TGrid::Cell_Clicked, this, &TFDALI_Access::ACGClickCell);
    connect(ASG, &TGrid::Cell_Double_Clicked, this, &TFDALI_Access::ASGDblClickCell);
    connect(ACG, &TGrid::Cell_Double_Clicked, this, &TFDALI_Access::ACGDblClickCell);
    ASG->On_Key_Press = [this](QChar& key) { ASGKeyPress(key); };
    ACG->On_Key_Press = [this](QChar& key) { ACGKeyPress(key); };
    ASG->Editor_Type = [this](int col, int row) { return ASGGetEditorType(col, row); };
    ACG->Editor_Type = [this](int col, int row) { return ACGGetEditorType(col, row); };
    ACG->On_Combo_Change = [this](int col, int row, const QString& text) { ACGComboChange(col, row, text); };
}

void TFDALI_Access::FormCreate() {
    Build_Controls();
    Init_Form_Type();
    L_SW_Code->setText(SW_Code);
    L_SW_Code->adjustSize();
    Set_Client_Size(Client_Width, Client_Height);
    Place_Window_Buttons();
    Init_Function_Table();
    Init_Table();
    Set_Lang();
    PC_DALI->setCurrentWidget(TS_Select_Device);
    PC_DALIChange();
}

void TFDALI_Access::Init_Form_Type() {
    ACG_DALI_Device->Set_Column_Hidden(DC_Address, true);
    ACG_DALI_Device->Set_Column_Hidden(DC_Dimming_Mode, true);
    ACG_DALI_Device->Set_Column_Hidden(DC_Min_Max, false);
    ACG_DALI_Device->Set_Column_Hidden(DC_Recall, false);
}

void TFDALI_Access::Init_Function_Table() {
    ACG->Set_Fixed_Colour(Colour_Fixed);
    for (int c = 0; c < Function_Cols; ++c)
        ACG->Set_Column_Width(c, c == FC_Number ? 40 : c == FC_Mnemonic ? 200 : 140);
    ACG->Set_Column_Centred(FC_Number);
    ACG->Set_Column_Colour(FC_Function, Colour_Object);
    ACG->Set_Column_Colour(FC_Condition, Colour_Timing);
    ACG->Set_Column_Colour(FC_Value, Colour_Timing);
    ACG->Set_Column_Colour(FC_Channel, Colour_Target);
    ACG->Set_Column_Colour(FC_Brightness, Colour_Target);
    ACG->Set_Column_Colour(FC_Next, Colour_Enable);
    ACG->Set_Column_Colour(FC_Mnemonic, Qt::white);
    for (int k = 1; k <= Function_Count; ++k)
        ACG->Cells().Set_Text(FC_Number, k, QString::number(k));
}

void TFDALI_Access::Init_Table() {
    Init_Rule_Grid(ASG->Cells());
    ASG->Set_Fixed_Colour(Colour_Fixed);
    for (int c = 0; c < Rule_Cols; ++c)
        ASG->Set_Column_Width(c, Rule_Widths[c]);
    ASG->Set_Column_Centred(RC_Number);
    ASG->Set_Column_Centred(RC_Enable);
    ASG->Set_Column_Colour(RC_Enable, Colour_Enable);
    for (int c = RC_DevSen; c <= RC_Instance; ++c)
        ASG->Set_Column_Colour(c, Colour_Object);
    for (int c = RC_Command; c <= RC_TimeOut; ++c)
        ASG->Set_Column_Colour(c, Colour_Timing);
    ASG->Set_Column_Colour(RC_Function, Colour_Function);
    ASG->Set_Column_Colour(RC_Position, Colour_Data);
    ASG->Set_Column_Colour(RC_Num_Bytes, Colour_Data);
    ASG->Set_Column_Colour(RC_Mnemonic, Qt::white);
    for (int r = 1; r <= Rule_Count; ++r) {
        ASG->Cells().Set_Text(RC_Number, r, QString::number(r));
        ASG->Cells().Set_Checked(RC_Enable, r, true);
    }
    DevSen = Dev_Sen_List();
    SenType = Sen_Type_List();
    DevType = Dev_Type_List();
    NumBytes = Num_Bytes_List();
}

void TFDALI_Access::Set_Lang() {
    setWindowTitle(T(600));
    L_SW_Desc->setText(T(601));
    L_SW_Desc->adjustSize();
    Btn_OK->setText(T(602));
    Btn_OK->setToolTip(T(606));
    Btn_Cancel->setText(T(603));
    Btn_Cancel->setToolTip(T(607));
    Btn_SelectAll->setText(T(604));
    Btn_SelectAll->setToolTip(T(608));
    Btn_ClearAll->setText(T(605));
    Btn_ClearAll->setToolTip(T(609));

    PC_DALI->setTabText(PC_DALI->indexOf(TS_Select_Device), T(2555));
    PC_DALI->setTabText(PC_DALI->indexOf(TS_Set_Access), T(2556));
    PC_DALI->setTabText(PC_DALI->indexOf(TS_Functions), T(2557));

    for (int c = 0; c < Device_Cols; ++c)
        ACG_DALI_Device->Set_Heading(c, T(Device_Heading_Lines[c]));
    for (int r = 1; r <= Device_Count; ++r)
        ACG_DALI_Device->Cells().Set_Text(DC_Caption, r, T(609 + r));
    ACG_DALI_Device->Refresh_All();

    Hint.clear();
    for (int line : Rule_Hint_Lines)
        Hint << T(line);
    for (int c = 0; c < Rule_Cols; ++c) {
        ASG->Set_Heading(c, T(Rule_Heading_Lines[c]));
        ASG->Set_Heading_Hint(c, c >= 1 ? Hint[c - 1] : QString());
    }
    Hint_Fun.clear();
    for (int line : Function_Hint_Lines)
        Hint_Fun << T(line);
    for (int c = 0; c < Function_Cols; ++c) {
        ACG->Set_Heading(c, T(Function_Heading_Lines[c]));
        ACG->Set_Heading_Hint(c, c >= 1 ? Hint_Fun[c - 1] : QString());
    }
    for (TGrid* g : {ACG_DALI_Device, ASG, ACG})
        g->Fit_Headings();
}

void TFDALI_Access::Place_Window_Buttons() {
    Btn_OK->move(16, 6);
    Btn_Cancel->move(134, 6);
    Btn_SelectAll->move(252, 6);
    Btn_ClearAll->move(370, 6);
    Btn_DelRow->move(252, 6);
    Btn_InsRow->move(370, 6);
    Btn_CopyRow->move(488, 6);
    Btn_PasteRow->move(606, 6);
    PC_DALI->setGeometry(0, 69, width(), height() - 69 - 40);
}

void TFDALI_Access::resizeEvent(QResizeEvent* event) {
    TDialog_Base::resizeEvent(event);
    Place_Window_Buttons();
}

void TFDALI_Access::showEvent(QShowEvent* event) {
    TDialog_Base::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFDALI_Access::FormShow() {
    for (TGrid* g : {ACG_DALI_Device, ASG, ACG})
        g->Finish_Editing();
    Load_DALI_Devices();
    Load_DALI2_Rules();
    Do_Copy = false;
    if (PC_DALI->currentWidget() == TS_Select_Device)
        ACG_DALI_Device->setFocus();
    Write_Byte_Used();
    PC_DALIChange();
}

void TFDALI_Access::Report_Load_Problem(const File_Problem& problem) {
    if (problem.Ok())
        return;
    Show_Message_Text(problem.Is_Error() ? Msg_Kind::Error : Msg_Kind::Warning, problem.Message(T),
                      problem.Line());
}

void TFDALI_Access::Load_DALI_Devices() {
    const File_Problem problem = DALI::Load_DALI_Devices(DALI_Access_File, ACG_DALI_Device->Cells());
    ACG_DALI_Device->Refresh_All();
    Report_Load_Problem(problem);
}

void TFDALI_Access::Load_DALI2_Rules() {
    const File_Problem problem = DALI::Load_DALI2_Rules(DALI2_Access_File, ACG->Cells(), ASG->Cells());
    ASG->Refresh_All();
    ACG->Refresh_All();
    Report_Load_Problem(problem);
}

void TFDALI_Access::PC_DALIChange() {
    const bool devices = PC_DALI->currentWidget() == TS_Select_Device;
    Btn_SelectAll->setVisible(devices);
    Btn_ClearAll->setVisible(devices);
    for (TLbButton* b : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow})
        b->setVisible(!devices);
    Compile_Function();
}

void TFDALI_Access::Compile_Function() {
    SelFunct = Function_Choices(ACG->Cells());
}

bool TFDALI_Access::Controllo_dati() {
    const QChar s = Read_Decimal_Separator();
    const auto failure = Check_DALI2_Tables(ACG->Cells(), ASG->Cells(), s);
    if (!failure)
        return true;
    Show_Message_Text(Msg_Kind::Error, Fill_Numbers(T(failure->line), failure->numbers), failure->line);
    return false;
}

void TFDALI_Access::Report_Save_Failure(const QString& path, const QString& reason) {
    Show_Message_Text(Msg_Kind::Error,
                      T(Save_Failed_Line) + QLatin1Char('\n') + QDir::toNativeSeparators(path) +
                          QLatin1Char('\n') + reason,
                      Save_Failed_Line);
}

void TFDALI_Access::Btn_OKClick() {
    for (TGrid* g : {ACG_DALI_Device, ASG, ACG})
        g->Finish_Editing();
    if (!Controllo_dati())
        return;
    QString reason;
    if (!Save_DALI_Devices(DALI_Access_File, ACG_DALI_Device->Cells(), &reason)) {
        Report_Save_Failure(DALI_Access_File, reason);
        return;
    }
    if (!Save_DALI2_Rules(DALI2_Access_File, ACG->Cells(), ASG->Cells(), &reason)) {
        Report_Save_Failure(DALI2_Access_File, reason);
        return;
    }
    accept();
}

void TFDALI_Access::Set_Device_Column(int col, const QString& text) {
    for (int r = 1; r <= Device_Count; ++r)
        ACG_DALI_Device->Cells().Set_Text(col, r, text);
    ACG_DALI_Device->Refresh_All();
}

void TFDALI_Access::Set_Device_Column_Checked(int col, bool on) {
    for (int r = 1; r <= Device_Count; ++r)
        ACG_DALI_Device->Cells().Set_Checked(col, r, on);
    ACG_DALI_Device->Refresh_All();
}

void TFDALI_Access::Btn_SelectAllClick() {
    Set_Device_Column_Checked(DC_Enable, true);
}

void TFDALI_Access::Btn_ClearAllClick() {
    Set_Device_Column_Checked(DC_Enable, false);
}

void TFDALI_Access::DimmingModeClick(QAction* item) {
    Set_Device_Column(DC_Dimming_Mode, item->data().toString());
}

void TFDALI_Access::MinMaxValueClick(QAction* item) {
    Set_Device_Column_Checked(DC_Min_Max, item->data().toString() == QLatin1String("Y"));
}

void TFDALI_Access::RecallLevelClick(QAction* item) {
    Set_Device_Column(DC_Recall, item->data().toString());
}

bool TFDALI_Access::Rules_Page_Active() const {
    return PC_DALI->currentWidget() == TS_Set_Access;
}

void TFDALI_Access::Btn_DelRowClick() {
    if (PC_DALI->currentWidget() == TS_Select_Device)
        return;
    TGrid* g = Rules_Page_Active() ? ASG : ACG;
    g->Finish_Editing();
    const int r = g->Current_Row();
    if (!Show_Message_Text(Msg_Kind::Confirmation, Fill_Numbers(T(2554), {r}), 2554))
        return;
    if (g == ASG)
        Delete_Row_ASG(ASG, r, true);
    else
        Delete_Row(r, ACG);
}

void TFDALI_Access::Btn_InsRowClick() {
    if (PC_DALI->currentWidget() == TS_Select_Device)
        return;
    TGrid* g = Rules_Page_Active() ? ASG : ACG;
    g->Finish_Editing();
    if (g == ASG)
        Insert_Row_ASG(ASG, ASG->Current_Row(), true);
    else
        Insert_Row(ACG->Current_Row(), ACG, false);
}

void TFDALI_Access::Btn_CopyRowClick() {
    if (PC_DALI->currentWidget() == TS_Select_Device)
        return;
    if (Rules_Page_Active()) {
        ASG->Finish_Editing();
        Copy_Row_ASG(ASG, ASG->Current_Row());
        Do_Copy = true;
    } else {
        ACG->Finish_Editing();
        Copy_Row(ACG, ACG->Current_Row());
        Do_Copy_Fun = true;
    }
}

void TFDALI_Access::Btn_PasteRowClick() {
    if (PC_DALI->currentWidget() == TS_Select_Device)
        return;
    if (Rules_Page_Active()) {
        ASG->Finish_Editing();
        Paste_Row_ASG(ASG, ASG->Current_Row(), Do_Copy);
    } else {
        ACG->Finish_Editing();
        Paste_Row(ACG, ACG->Current_Row(), Do_Copy_Fun);
    }
}

void TFDALI_Access::ASGClickCell(int col, int row) {
    if (col == 0)
        ASG->Select_Row(row);
}

void TFDALI_Access::ACGClickCell(int col, int row) {
    if (col == 0)
        ACG->Select_Row(row);
}

void TFDALI_Access::ASGDblClickCell(int col, int row) {
    DblClick_Auto_Size(ASG, row, col);
}

void TFDALI_Access::ACGDblClickCell(int col, int row) {
    DblClick_Auto_Size(ACG, row, col);
}

void TFDALI_Access::ASGKeyPress(QChar& key) {
    Enter_Next_Cell(ASG, key);
}

void TFDALI_Access::ACGKeyPress(QChar& key) {
    Enter_Next_Cell(ACG, key);
}

Cell_Editor TFDALI_Access::ASGGetEditorType(int col, int row) const {
    switch (col) {
    case RC_DevSen:
        return {Cell_Editor::List, DevSen};
    case RC_Type: {
        const QString& object = ASG->Cells().Text(RC_DevSen, row);
        if (object == QLatin1String("Sensor"))
            return {Cell_Editor::List, SenType};
        if (object == QLatin1String("Device"))
            return {Cell_Editor::List, DevType};
        return {Cell_Editor::List, {}};
    }
    case RC_Function:
        return {Cell_Editor::List, SelFunct};
    case RC_Num_Bytes:
        return {Cell_Editor::List, NumBytes};
    default:
        return {};
    }
}

Cell_Editor TFDALI_Access::ACGGetEditorType(int col, int) const {
    switch (col) {
    case FC_Function:
        return {Cell_Editor::List, Operations()};
    case FC_Condition:
        return {Cell_Editor::List, Conditions()};
    case FC_Value:
        return {Cell_Editor::Edit_List, Events()};
    case FC_Channel:
        return {Cell_Editor::List, Targets()};
    default:
        return {};
    }
}

Cell_Editor TFDALI_Access::ACG_DALI_DeviceGetEditorType(int col, int) const {
    switch (col) {
    case DC_Dimming_Mode:
        return {Cell_Editor::List, Dimming_Modes()};
    case DC_Recall:
        return {Cell_Editor::List, Recall_Levels()};
    default:
        return {};
    }
}

void TFDALI_Access::ACGComboChange(int col, int row, const QString& text) {
    if (col == FC_Value)
        SetConditionOnEvent(text, row);
}

void TFDALI_Access::SetConditionOnEvent(const QString& event, int row) {
    const QString condition = Condition_For_Event(event);
    if (condition.isEmpty())
        return;
    ACG->Cells().Set_Text(FC_Condition, row, condition);
    ACG->Refresh_Rows(row, row);
}
