// The three DALI tables of a project: their shapes, columns and choice lists.
// The texts of the lists are the fixed English names that the image compiler turns
// into codes, whatever the language of the user interface.
#pragma once

#include "common/Grid_Cells.h"

#include <QStringList>

namespace DALI {

// Device table: 64 devices (DALI ID 0..63) below the heading row.
inline constexpr int Device_Count = 64;
enum Device_Col {
    DC_Caption = 0,
    DC_Enable = 1,
    DC_Address = 2,
    DC_Dimming_Mode = 3,
    DC_Min_Max = 4,
    DC_Recall = 5
};
inline constexpr int Device_Cols = 6;

// Rule table: 256 rules, 13 columns.
inline constexpr int Rule_Count = 256;
enum Rule_Col {
    RC_Number = 0,
    RC_Enable = 1,
    RC_DevSen = 2,
    RC_Type = 3,
    RC_Channel = 4,
    RC_Instance = 5,
    RC_Command = 6,
    RC_Time_Send = 7,
    RC_TimeOut = 8,
    RC_Function = 9,
    RC_Position = 10,
    RC_Num_Bytes = 11,
    RC_Mnemonic = 12
};
inline constexpr int Rule_Cols = 13;

// Function table: 250 functions, 8 columns; row k is function number k.
inline constexpr int Function_Count = 250;
enum Function_Col {
    FC_Number = 0,
    FC_Function = 1,
    FC_Condition = 2,
    FC_Value = 3,
    FC_Channel = 4,
    FC_Brightness = 5,
    FC_Next = 6,
    FC_Mnemonic = 7
};
inline constexpr int Function_Cols = 8;

// Shapes the grids (no texts): check-box columns, rows and columns.
void Init_Device_Grid(UComon::Cell_Grid& g);
void Init_Rule_Grid(UComon::Cell_Grid& g);
void Init_Function_Grid(UComon::Cell_Grid& g);

// Choice lists.
const QStringList& Dimming_Modes();  // "Normal", "Start Break"
const QStringList& Recall_Levels();  // "None", and the two recall choices
const QStringList& Dev_Sen_List();   // "Device", "Sensor"
const QStringList& Dev_Type_List();  // the ten device types
const QStringList& Sen_Type_List();  // the seven sensor types
const QStringList& Num_Bytes_List(); // "1", "2"
const QStringList& Operations();     // function column 1
const QStringList& Conditions();     // function column 2
const QStringList& Events();         // function column 3, in the order of its drop-down
const QStringList& Targets();        // function column 4: 81 DALI targets

inline constexpr const char* Condition_Equal = "When Equal to Value";
inline constexpr const char* Condition_Nand = "NAND Logic with Value";
inline constexpr const char* Condition_And = "AND Logic with Value";

// The condition that an event fixes (exact comparison), or an empty text for a
// text that is not an event.
QString Condition_For_Event(const QString& event);

// "Recall Min-Max Level for Switch" or "Recall Old Value Level for Switch" when the
// text is exactly that choice, else "None".
QString Check_ReCall_Level(const QString& text);

// The rule table's Function list: "0 - None", then "k - <mnemonic of function k>"
// for k = 1..250.
QStringList Function_Choices(const UComon::Cell_Grid& functions);

} // namespace DALI
