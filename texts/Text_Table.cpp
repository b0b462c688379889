#include "texts/Text_Table.h"

#include "common/Comon_State.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <array>

namespace UComon {

namespace {

struct Default_Line {
    int line;
    const char8_t* text;
};

constexpr Default_Line Default_Lines[] = {
#include "texts/Default_Texts.inc"
};

const std::array<QString, Text_Lines>& Defaults() {
    static const std::array<QString, Text_Lines> table = [] {
        std::array<QString, Text_Lines> t;
        t.fill(QStringLiteral(" "));
        for (const Default_Line& d : Default_Lines)
            if (d.line >= 0 && d.line < Text_Lines)
                t[d.line] = QString::fromUtf8(reinterpret_cast<const char*>(d.text));
        return t;
    }();
    return table;
}

// Windows-1252 characters 0x80..0x9F; the undefined ones map like ISO 8859-1.
constexpr char16_t Cp1252_High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString Decode_Cp1252(const QByteArray& bytes) {
    QString s;
    s.resize(bytes.size());
    QChar* out = s.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? QChar(Cp1252_High[b - 0x80]) : QChar(b);
    }
    return s;
}

const QChar Pilcrow(0x00B6);

} // namespace

QString Default_Text(int n) {
    if (n < 0 || n >= Text_Lines)
        return QStringLiteral(" ");
    return Defaults()[n];
}

void Init_Text_Table() {
    const auto& d = Defaults();
    Text_Table.clear();
    Text_Table.reserve(Text_Lines);
    for (const QString& s : d)
        Text_Table.append(s);
    Text_Table_Size = Text_Lines;
}

QString Decode_Lang_Bytes(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder dec(QStringDecoder::Utf16LE);
        return dec(QByteArrayView(bytes).sliced(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder dec(QStringDecoder::Utf16BE);
        return dec(QByteArrayView(bytes).sliced(2));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8(bytes);
    if (!utf8.hasError())
        return s;
    return Decode_Cp1252(bytes);
}

void Apply_Lang_Text(const QString& text, QStringList& table, int table_size) {
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start <= n) {
        // A line ends with CR LF, LF or CR.
        qsizetype end = start;
        while (end < n && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n'))
            ++end;
        const QString line = Trim(text.mid(start, end - start));
        if (end < n && text.at(end) == QLatin1Char('\r') && end + 1 < n &&
            text.at(end + 1) == QLatin1Char('\n'))
            ++end;
        start = end + 1;

        if (!line.startsWith(QLatin1String("STR")))
            continue;
        // p: 1-based position of the first "="; the number is characters 4 .. p-2.
        const qsizetype p = line.indexOf(QLatin1Char('=')) + 1;
        if (p == 0)
            continue;
        const QString number_text = p < 6 ? QString() : Trim(line.mid(3, p - 2 - 3));
        const int number = Str_To_Int_Def(number_text, -1);
        if (number < 0 || number >= table_size || number >= table.size())
            continue;
        QString value = Trim(line.mid(p));
        if (value.isEmpty())
            continue;
        const qsizetype remark = value.indexOf(QLatin1String("/#/"));
        if (remark >= 0) {
            value = Trim(value.left(remark));
            if (value.isEmpty())
                continue;
        }
        if (value.startsWith(Pilcrow))
            value.remove(0, 1);
        const qsizetype close = value.indexOf(Pilcrow);
        if (close >= 0)
            value.truncate(close);
        table[number] = value;
    }
}

bool Read_Lang_File(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    Apply_Lang_Text(Decode_Lang_Bytes(f.readAll()), Text_Table, Text_Table_Size);
    return true;
}

QString Lang_File_Path(const QString& language) {
    return Join_Path(Language_Dir, language + QStringLiteral(".lng"));
}

void Load_Language() {
    Init_Text_Table();
    const QString path = Lang_File_Path(Current_Language);
    if (!Current_Language.isEmpty() && QFileInfo(path).isFile()) {
        Read_Lang_File(path);
        return;
    }
    Current_Language = QStringLiteral("English");
    const QString english = Lang_File_Path(Current_Language);
    if (QFileInfo(english).isFile())
        Read_Lang_File(english);
}

} // namespace UComon
