// TFDALI_Access: the DALI access editor of the active project. Page "Select Device"
// holds the 64 DALI devices (DALI_Access.xml), "Set Access" the DALI-2 rules and
// "Functions" the functions (both DALI2_Access.xml). The window reads both files each
// time it opens and writes them only when the user confirms and the checks pass.
#pragma once

#include "common/UComon.h"
#include "common/UDialog_Base.h"
#include "common/UStyle.h"

#include <QStringList>

class QAction;
class QMenu;
class QTabWidget;

namespace DALI {
struct File_Problem;
}

class TFDALI_Access : public UComon::TDialog_Base {
    Q_OBJECT
public:
    explicit TFDALI_Access(QWidget* parent = nullptr);
    void Set_Lang();

    // Controls.
    QTabWidget* PC_DALI;
    QWidget* TS_Select_Device;
    QWidget* TS_Set_Access;
    QWidget* TS_Functions;
    UComon::TGrid* ACG_DALI_Device; // devices
    UComon::TGrid* ASG;             // rules
    UComon::TGrid* ACG;             // functions
    UComon::TLbButton* Btn_SelectAll;
    UComon::TLbButton* Btn_ClearAll;
    UComon::TLbButton* Btn_DelRow;
    UComon::TLbButton* Btn_InsRow;
    UComon::TLbButton* Btn_CopyRow;
    UComon::TLbButton* Btn_PasteRow;
    QMenu* PM_Dimming_Mode;
    QMenu* PM_MinMax_Value;
    QMenu* PM_Recall_Level;

    // Window state.
    QStringList Hint, Hint_Fun, DevSen, SenType, DevType, NumBytes, SelFunct;
    bool Do_Copy = false;     // a rule row was copied since the window was shown
    bool Do_Copy_Fun = false; // a function row was copied at some time

    // Handlers and operations.
    void FormCreate();
    void FormShow();
    void Init_Form_Type();
    void Init_Table();
    void PC_DALIChange();
    bool Controllo_dati();
    void Btn_OKClick();
    void Btn_SelectAllClick();
    void Btn_ClearAllClick();
    void DimmingModeClick(QAction* item);
    void MinMaxValueClick(QAction* item);
    void RecallLevelClick(QAction* item);
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();
    void ASGClickCell(int col, int row);
    void ACGClickCell(int col, int row);
    void ASGDblClickCell(int col, int row);
    void ACGDblClickCell(int col, int row);
    void ASGKeyPress(QChar& key);
    void ACGKeyPress(QChar& key);
    UComon::Cell_Editor ASGGetEditorType(int col, int row) const;
    UComon::Cell_Editor ACGGetEditorType(int col, int row) const;
    UComon::Cell_Editor ACG_DALI_DeviceGetEditorType(int col, int row) const;
    void ACGComboChange(int col, int row, const QString& text);
    void SetConditionOnEvent(const QString& event, int row);
    void Compile_Function();
    void Load_DALI_Devices();
    void Load_DALI2_Rules();
    void Write_Byte_Used() {}

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Build_Controls();
    void Init_Function_Table();
    void Place_Window_Buttons();
    void Report_Load_Problem(const DALI::File_Problem& problem);
    void Report_Save_Failure(const QString& path, const QString& reason);
    void Set_Device_Column(int col, const QString& text);
    void Set_Device_Column_Checked(int col, bool on);
    bool Rules_Page_Active() const;
};
