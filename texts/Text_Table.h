// The numbered text table of the user interface and the language files that
// replace its English defaults line by line.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace UComon {

inline constexpr int Text_Lines = 2800;

// English default of line n (a single blank where no text is given).
QString Default_Text(int n);

// Clears the table and fills it with the 2800 English defaults.
void Init_Text_Table();

// Decodes the bytes of a language file: a byte-order mark selects UTF-8 or
// UTF-16 (LE/BE); without one, valid UTF-8 is read as such, anything else as Windows-1252.
QString Decode_Lang_Bytes(const QByteArray& bytes);

// Applies the lines of a decoded language file to `table` (does not reset it).
void Apply_Lang_Text(const QString& text, QStringList& table, int table_size);

// Applies the language file at `path` to Text_Table; false when it cannot be read.
bool Read_Lang_File(const QString& path);

// Rebuilds Text_Table for Current_Language; falls back to English when that
// language has no file.
void Load_Language();

// Path of the language file of a language.
QString Lang_File_Path(const QString& language);

} // namespace UComon
