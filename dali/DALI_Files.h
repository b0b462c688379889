// The project files DALI_Access.xml (devices) and DALI2_Access.xml (DALI-2 rules and
// functions): reading them into the tables and writing the tables back.
#pragma once

#include "common/Grid_Cells.h"

#include <QString>

#include <functional>

namespace DALI {

// Text-table line of the warning about rows that do not fit in a table.
inline constexpr int Too_Many_Rows_Line = 2567;
// Text-table line of the error about a file that cannot be read as a project file.
inline constexpr int Bad_File_Line = 904;
// Text-table line of the error about a file that cannot be written.
inline constexpr int Save_Failed_Line = 903;

// What went wrong while loading a file (kind None: nothing).
struct File_Problem {
    enum Kind { None, Unreadable, Not_Well_Formed, Not_DALI2, Too_Many_Rows };
    Kind kind = None;
    QString path;     // the file
    QString reason;   // why, for Unreadable, Not_Well_Formed and Not_DALI2
    int left_out = 0; // Too_Many_Rows: rows of the file that were not loaded

    bool Ok() const { return kind == None; }
    bool Is_Error() const { return kind != None && kind != Too_Many_Rows; }
    int Line() const { return kind == Too_Many_Rows ? Too_Many_Rows_Line : Bad_File_Line; }
    // The message: the text of Line() from line_text (with "%d" filled), the file's
    // native path and the reason, one per line.
    QString Message(const std::function<QString(int)>& line_text) const;
};

// Sets every device to its initial values (not enabled, Dimming Mode "Normal",
// Min-Max Value "N", Recall Level "None"), then reads the file when it exists.
// The grid must have the shape of Init_Device_Grid (it is given that shape if not).
// On a problem the table keeps its initial values.
File_Problem Load_DALI_Devices(const QString& path, UComon::Cell_Grid& devices);

// Writes the device table whole and atomically; false with a reason on failure.
bool Save_DALI_Devices(const QString& path, const UComon::Cell_Grid& devices, QString* reason = nullptr);
QByteArray DALI_Devices_Bytes(const UComon::Cell_Grid& devices);

// Empties both tables (every rule's Enable box checked, editable), then reads the
// file when it exists. A file that is not well-formed, or lacks DALI2_Access or one
// of its two lists, leaves both tables empty. Rows beyond a table's size are left
// out and counted.
File_Problem Load_DALI2_Rules(const QString& path, UComon::Cell_Grid& functions, UComon::Cell_Grid& rules);

// Writes the used function rows and the used rule rows, whole and atomically.
bool Save_DALI2_Rules(const QString& path, const UComon::Cell_Grid& functions, const UComon::Cell_Grid& rules,
                      QString* reason = nullptr);
QByteArray DALI2_Rules_Bytes(const UComon::Cell_Grid& functions, const UComon::Cell_Grid& rules);

// The text without the characters that XML cannot hold (control characters other
// than tab, line feed and carriage return; unpaired surrogates; U+FFFE, U+FFFF).
QString Xml_Safe(const QString& text);

} // namespace DALI
