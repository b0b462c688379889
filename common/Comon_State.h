// Program-wide state shared by every window, and small helpers that every
// subsystem uses (integer conversion, paths, the first element of an XML file).
#pragma once

#include <QString>
#include <QStringList>

class QDomDocument;
class QDomElement;

namespace UComon {

// Texts of the user interface, line 0 .. Text_Table_Size-1.
extern QStringList Text_Table;
extern int Text_Table_Size;

// Folders beside the program ("/"-joined, no trailing separator).
extern QString Program_Dir;
extern QString Master_Dir;
extern QString Projects_Dir;
extern QString Language_Dir;

// Active project: both empty, or Project_Dir == Projects_Dir + "/" + Project_Name.
extern QString Project_Name;
extern QString Project_Dir;

// Files of the active project, recomputed by Set_Files.
extern QString ParGen_File;
extern QString DALI_Access_File;
extern QString DALI2_Access_File;
extern QStringList Other_Model_Files; // files of editors of other converter models

extern QString SW_Code;
extern QString SW_Desc;
extern QString Device_IP;
extern int Update_Option;
extern bool Read_Back;
extern QString Current_Language;
extern bool Enable_Internet;
extern bool Enable_Update;
extern bool Enable_Jump_Field_Tables;
extern bool Double_Click_Auto_Size;

// Cell texts of the last copied table row, shared by every table.
extern QStringList Row_Clipboard;
// For a row copied from a table with check boxes: which cells were check boxes.
extern QList<bool> Row_Clipboard_Checks;

// Lists of the editors of other converter models (kept empty in this build).
extern QStringList Other_Model_List_1;
extern QStringList Other_Model_List_2;

inline constexpr const char* Default_Device_IP = "192.168.2.205";
inline constexpr const char* Software_Code = "CF51730";
inline constexpr const char* Software_Desc = "DALI / Modbus TCP Slave - Converter";
inline constexpr const char* Software_Version = "1.501";
inline constexpr const char* Device_Order_Code = "GW51730";

// The maker's web presence. The host is a reserved name until a real one is chosen,
// so that nothing the program opens or asks ever reaches a stranger.
inline constexpr const char* Maker_Web_Name = "Dravian";
inline constexpr const char* Maker_Web_Host = "www.dravian.example";

// Text of line n of the text table (a single blank for a line out of range).
QString T(int n);

// Converts a whole number text: optional leading blanks, an optional sign, then
// decimal digits, or a hexadecimal number introduced by "$", "x", "X", "0x" or "0X"
// (at most eight digits, taken as a 32-bit pattern). Nothing may follow.
// A decimal value outside the signed 32-bit range does not convert.
bool Try_Str_To_Int(const QString& text, int& value);
int Str_To_Int_Def(const QString& text, int fallback);

// Removes characters with codes up to the blank from both ends.
QString Trim(const QString& s);

// Joins a folder and a name with "/".
QString Join_Path(const QString& dir, const QString& name);

// Resets every value to its state before start-up (used by tests and start-up).
void Reset_State();

} // namespace UComon
