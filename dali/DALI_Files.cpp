#include "dali/DALI_Files.h"

#include "common/Comon_State.h"
#include "common/Xml_File.h"
#include "dali/DALI_Tables.h"

#include <QDir>
#include <QDomDocument>
#include <QHash>
#include <QXmlStreamWriter>

using UComon::Cell_Grid;

namespace DALI {

namespace {

const char* const Version_Comment = "SW_VERSION = 1.501";

const char* const Function_Attributes[] = {"Function", "Condition",     "Value",   "Channel",
                                           "Val",      "Next_Function", "Mnemonic"};
// Rule attributes after Enable, for columns 2 .. 12.
const char* const Rule_Attributes[] = {"DeviceSensor", "Type",     "ChannelNumber", "Instance",
                                       "Command",      "TimeSend", "TimeOut",       "Function",
                                       "Position",     "NumBytes", "Mnemonic"};

File_Problem Problem(File_Problem::Kind kind, const QString& path, const QString& reason) {
    File_Problem p;
    p.kind = kind;
    p.path = path;
    p.reason = reason;
    return p;
}

// Loads a file; Missing gives an empty problem and false in `loaded`.
File_Problem Load(const QString& path, QDomDocument& doc, bool& loaded) {
    loaded = false;
    QString reason;
    switch (UComon::Load_Xml_File(path, doc, &reason)) {
    case UComon::Xml_Load_Result::Ok:
        loaded = true;
        return {};
    case UComon::Xml_Load_Result::Missing:
        return {};
    case UComon::Xml_Load_Result::Unreadable:
        return Problem(File_Problem::Unreadable, path, reason);
    case UComon::Xml_Load_Result::Not_Well_Formed:
        break;
    }
    return Problem(File_Problem::Not_Well_Formed, path, reason);
}

QXmlStreamWriter& Start(QXmlStreamWriter& w) {
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    return w;
}

void Finish(QXmlStreamWriter& w) {
    w.writeEndElement(); // the root
    w.writeComment(QLatin1String(Version_Comment));
    w.writeEndDocument();
}

bool Ensure_Shape(Cell_Grid& g, int cols, int rows) {
    return g.Cols() == cols && g.Rows() == rows;
}

} // namespace

QString File_Problem::Message(const std::function<QString(int)>& line_text) const {
    if (kind == None)
        return QString();
    QString text = UComon::Fill_Numbers(line_text(Line()), {left_out});
    text += QLatin1Char('\n') + QDir::toNativeSeparators(path);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

QString Xml_Safe(const QString& text) {
    auto allowed = [](const QChar* p, const QChar* end, int& len) {
        const char16_t u = p->unicode();
        len = 1;
        if (QChar::isHighSurrogate(u)) {
            if (p + 1 < end && (p + 1)->isLowSurrogate()) {
                len = 2;
                return true;
            }
            return false;
        }
        if (QChar::isLowSurrogate(u))
            return false;
        if (u < 0x20)
            return u == 0x09 || u == 0x0A || u == 0x0D;
        return u != 0xFFFE && u != 0xFFFF;
    };
    const QChar* begin = text.constData();
    const QChar* end = begin + text.size();
    int len = 1;
    const QChar* p = begin;
    while (p < end && allowed(p, end, len))
        p += len;
    if (p == end)
        return text;
    QString out(begin, p - begin);
    while (p < end) {
        if (allowed(p, end, len))
            out.append(p, len);
        p += len;
    }
    return out;
}

File_Problem Load_DALI_Devices(const QString& path, Cell_Grid& devices) {
    if (!Ensure_Shape(devices, Device_Cols, Device_Count + 1))
        Init_Device_Grid(devices);
    for (int r = 1; r <= Device_Count; ++r) {
        devices.Set_Checked(DC_Enable, r, false);
        devices.Set_Text(DC_Address, r, QString());
        devices.Set_Text(DC_Dimming_Mode, r, Dimming_Modes()[0]);
        devices.Set_Checked(DC_Min_Max, r, false);
        devices.Set_Text(DC_Recall, r, Recall_Levels()[0]);
    }

    QDomDocument doc;
    bool loaded;
    File_Problem problem = Load(path, doc, loaded);
    if (!loaded)
        return problem;
    const QDomElement root = UComon::Root_Element(doc);

    // The first element of each name counts; their order does not matter.
    QHash<QString, QString> values;
    values.reserve(4 * Device_Count);
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString name = e.tagName();
        if (!values.contains(name))
            values.insert(name, e.text());
    }
    const QString one = QStringLiteral("1");
    for (int n = 0; n < Device_Count; ++n) {
        const int r = n + 1;
        const QString base = QStringLiteral("DALI_ID_DEVICE_") + QString::number(n);
        devices.Set_Checked(DC_Enable, r, values.value(base) == one);
        const auto min_max = values.constFind(base + QStringLiteral("_MIN_MAN_VALUE"));
        if (min_max != values.constEnd())
            devices.Set_Checked(DC_Min_Max, r, *min_max == one);
        const auto recall = values.constFind(base + QStringLiteral("_RECALL_LEVEL"));
        if (recall != values.constEnd())
            devices.Set_Text(DC_Recall, r, Check_ReCall_Level(*recall));
    }
    return {};
}

QByteArray DALI_Devices_Bytes(const Cell_Grid& devices) {
    QByteArray bytes;
    QXmlStreamWriter w(&bytes);
    Start(w).writeStartElement(QStringLiteral("DALI_Access"));
    auto flag = [&](int col, int r) {
        return UComon::Trim(devices.Text(col, r)).toUpper() == QLatin1String("Y") ? QStringLiteral("1")
                                                                                  : QStringLiteral("0");
    };
    for (int r = 1; r <= Device_Count && r < devices.Rows(); ++r) {
        const QString base = QStringLiteral("DALI_ID_DEVICE_") + QString::number(r - 1);
        w.writeTextElement(base, flag(DC_Enable, r));
        w.writeTextElement(base + QStringLiteral("_MIN_MAN_VALUE"), flag(DC_Min_Max, r));
        w.writeTextElement(base + QStringLiteral("_RECALL_LEVEL"), Xml_Safe(devices.Text(DC_Recall, r)));
    }
    Finish(w);
    return bytes;
}

bool Save_DALI_Devices(const QString& path, const Cell_Grid& devices, QString* reason) {
    return UComon::Save_File_Atomic(path, DALI_Devices_Bytes(devices), reason);
}

File_Problem Load_DALI2_Rules(const QString& path, Cell_Grid& functions, Cell_Grid& rules) {
    if (!Ensure_Shape(rules, Rule_Cols, Rule_Count + 1))
        Init_Rule_Grid(rules);
    if (!Ensure_Shape(functions, Function_Cols, Function_Count + 1))
        Init_Function_Grid(functions);
    for (int r = 1; r <= Rule_Count; ++r) {
        rules.Set_Text(RC_Number, r, QString::number(r));
        rules.Set_Checked(RC_Enable, r, true);
        rules.Set_Read_Only(RC_Enable, r, false);
        for (int c = RC_DevSen; c < Rule_Cols; ++c) {
            rules.Set_Text(c, r, QString());
            rules.Set_Read_Only(c, r, false);
        }
    }
    for (int k = 1; k <= Function_Count; ++k) {
        functions.Set_Text(FC_Number, k, QString::number(k));
        for (int c = FC_Function; c < Function_Cols; ++c)
            functions.Set_Text(c, k, QString());
    }

    QDomDocument doc;
    bool loaded;
    File_Problem problem = Load(path, doc, loaded);
    if (!loaded)
        return problem;

    QDomElement root;
    for (QDomNode n = doc.firstChild(); !n.isNull(); n = n.nextSibling())
        if (n.isElement() && n.nodeName() == QLatin1String("DALI2_Access")) {
            root = n.toElement();
            break;
        }
    if (root.isNull())
        return Problem(File_Problem::Not_DALI2, path, QStringLiteral("the element DALI2_Access is missing"));
    const QDomElement function_list = root.firstChildElement(QStringLiteral("DALI2_Functions_Rules"));
    const QDomElement rule_list = root.firstChildElement(QStringLiteral("DALI2_SetAccess_Rules"));
    if (function_list.isNull())
        return Problem(File_Problem::Not_DALI2, path,
                       QStringLiteral("the element DALI2_Functions_Rules is missing"));
    if (rule_list.isNull())
        return Problem(File_Problem::Not_DALI2, path,
                       QStringLiteral("the element DALI2_SetAccess_Rules is missing"));

    int left_out = 0;
    // The i-th element of a list is table row i + 1 (comments do not count).
    int k = 1;
    for (QDomElement e = function_list.firstChildElement(); !e.isNull(); e = e.nextSiblingElement(), ++k) {
        if (k > Function_Count) {
            ++left_out;
            continue;
        }
        for (int c = FC_Function; c < Function_Cols; ++c)
            functions.Set_Text(c, k, e.attribute(QLatin1String(Function_Attributes[c - FC_Function])));
    }
    int r = 1;
    for (QDomElement e = rule_list.firstChildElement(); !e.isNull(); e = e.nextSiblingElement(), ++r) {
        if (r > Rule_Count) {
            ++left_out;
            continue;
        }
        rules.Set_Checked(RC_Enable, r,
                          e.attribute(QStringLiteral("Enable"), QStringLiteral("Y")) != QLatin1String("N"));
        for (int c = RC_DevSen; c < Rule_Cols; ++c)
            rules.Set_Text(c, r, e.attribute(QLatin1String(Rule_Attributes[c - RC_DevSen])));
    }
    if (left_out > 0) {
        File_Problem p;
        p.kind = File_Problem::Too_Many_Rows;
        p.path = path;
        p.left_out = left_out;
        return p;
    }
    return {};
}

QByteArray DALI2_Rules_Bytes(const Cell_Grid& functions, const Cell_Grid& rules) {
    QByteArray bytes;
    QXmlStreamWriter w(&bytes);
    Start(w).writeStartElement(QStringLiteral("DALI2_Access"));

    w.writeStartElement(QStringLiteral("DALI2_Functions_Rules"));
    const int used_functions = qMin(functions.Used_Rows(FC_Function), Function_Count);
    for (int k = 1; k <= used_functions; ++k) {
        w.writeStartElement(QStringLiteral("row"));
        for (int c = FC_Function; c < Function_Cols; ++c)
            w.writeAttribute(QLatin1String(Function_Attributes[c - FC_Function]),
                             Xml_Safe(functions.Text(c, k)));
        w.writeEndElement();
    }
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("DALI2_SetAccess_Rules"));
    const int used_rules = qMin(rules.Used_Rows(RC_DevSen), Rule_Count);
    for (int r = 1; r <= used_rules; ++r) {
        w.writeStartElement(QStringLiteral("row"));
        w.writeAttribute(QStringLiteral("Enable"),
                         rules.Checked(RC_Enable, r) ? QStringLiteral("Y") : QStringLiteral("N"));
        for (int c = RC_DevSen; c < Rule_Cols; ++c)
            w.writeAttribute(QLatin1String(Rule_Attributes[c - RC_DevSen]), Xml_Safe(rules.Text(c, r)));
        w.writeEndElement();
    }
    w.writeEndElement();

    Finish(w);
    return bytes;
}

bool Save_DALI2_Rules(const QString& path, const Cell_Grid& functions, const Cell_Grid& rules,
                      QString* reason) {
    return UComon::Save_File_Atomic(path, DALI2_Rules_Bytes(functions, rules), reason);
}

} // namespace DALI
