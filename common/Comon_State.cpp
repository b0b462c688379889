#include "common/Comon_State.h"

#include <limits>

namespace UComon {

QStringList Text_Table;
int Text_Table_Size = 2800;

QString Program_Dir;
QString Master_Dir;
QString Projects_Dir;
QString Language_Dir;

QString Project_Name;
QString Project_Dir;

QString ParGen_File;
QString DALI_Access_File;
QString DALI2_Access_File;
QStringList Other_Model_Files;

QString SW_Code;
QString SW_Desc;
QString Device_IP = Default_Device_IP;
int Update_Option = 0;
bool Read_Back = true;
QString Current_Language = "English";
bool Enable_Internet = false;
bool Enable_Update = false;
bool Enable_Jump_Field_Tables = false;
bool Double_Click_Auto_Size = false;

QStringList Row_Clipboard;
QList<bool> Row_Clipboard_Checks;
QStringList Other_Model_List_1;
QStringList Other_Model_List_2;

QString T(int n) {
    if (n < 0 || n >= Text_Table.size())
        return QStringLiteral(" ");
    return Text_Table.at(n);
}

bool Try_Str_To_Int(const QString& text, int& value) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i >= n)
        return false;

    bool hex = false;
    if (text.at(i) == QLatin1Char('$') || text.at(i) == QLatin1Char('x') || text.at(i) == QLatin1Char('X')) {
        hex = true;
        ++i;
    } else if (text.at(i) == QLatin1Char('0') && i + 1 < n &&
               (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return false;

    if (hex) {
        if (n - i > 8)
            return false;
        quint32 v = 0;
        for (; i < n; ++i) {
            const QChar c = text.at(i);
            int d;
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                d = c.unicode() - '0';
            else if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
                d = c.unicode() - 'a' + 10;
            else if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
                d = c.unicode() - 'A' + 10;
            else
                return false;
            v = (v << 4) | quint32(d);
        }
        if (negative)
            v = 0u - v;
        value = static_cast<qint32>(v);
        return true;
    }

    qint64 v = 0;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        v = v * 10 + (c.unicode() - '0');
        if (v > qint64(std::numeric_limits<qint32>::max()) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<qint32>::max() || v < std::numeric_limits<qint32>::min())
        return false;
    value = static_cast<int>(v);
    return true;
}

int Str_To_Int_Def(const QString& text, int fallback) {
    int v;
    return Try_Str_To_Int(text, v) ? v : fallback;
}

QString Trim(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= ' ')
        ++b;
    while (e > b && s.at(e - 1).unicode() <= ' ')
        --e;
    return s.mid(b, e - b);
}

QString Join_Path(const QString& dir, const QString& name) { return dir + QLatin1Char('/') + name; }

void Reset_State() {
    Text_Table.clear();
    Text_Table_Size = 2800;
    Program_Dir.clear();
    Master_Dir.clear();
    Projects_Dir.clear();
    Language_Dir.clear();
    Project_Name.clear();
    Project_Dir.clear();
    ParGen_File.clear();
    DALI_Access_File.clear();
    DALI2_Access_File.clear();
    Other_Model_Files.clear();
    SW_Code.clear();
    SW_Desc.clear();
    Device_IP = Default_Device_IP;
    Update_Option = 0;
    Read_Back = true;
    Current_Language = "English";
    Enable_Internet = Enable_Update = Enable_Jump_Field_Tables = Double_Click_Auto_Size = false;
    Row_Clipboard.clear();
    Row_Clipboard_Checks.clear();
    Other_Model_List_1.clear();
    Other_Model_List_2.clear();
}

} // namespace UComon
