#include "comm_settings/ParGen.h"

#include "common/Comon_State.h"

namespace UComon {

const std::array<TParGen_Field, ParGen_Field_Count>& ParGen_Fields() {
    static const std::array<TParGen_Field, ParGen_Field_Count> fields = {{
        {"MTCPs_IP1", &TParGen::MTCPs_IP1, nullptr},
        {"MTCPs_IP2", &TParGen::MTCPs_IP2, nullptr},
        {"MTCPs_IP3", &TParGen::MTCPs_IP3, nullptr},
        {"MTCPs_IP4", &TParGen::MTCPs_IP4, nullptr},
        {"MTCPs_SUB1", &TParGen::MTCPs_SUB1, nullptr},
        {"MTCPs_SUB2", &TParGen::MTCPs_SUB2, nullptr},
        {"MTCPs_SUB3", &TParGen::MTCPs_SUB3, nullptr},
        {"MTCPs_SUB4", &TParGen::MTCPs_SUB4, nullptr},
        {"MTCPs_EN_GAT", nullptr, &TParGen::MTCPs_EN_GAT},
        {"MTCPs_GAT1", &TParGen::MTCPs_GAT1, nullptr},
        {"MTCPs_GAT2", &TParGen::MTCPs_GAT2, nullptr},
        {"MTCPs_GAT3", &TParGen::MTCPs_GAT3, nullptr},
        {"MTCPs_GAT4", &TParGen::MTCPs_GAT4, nullptr},
        {"MTCPs_PORT", &TParGen::MTCPs_PORT, nullptr},
        {"Modbus_TCP_Slave_DALI_Map", nullptr, &TParGen::Modbus_TCP_Slave_DALI_Map},
        {"DALI_CONSOLE_PORT", &TParGen::DALI_CONSOLE_PORT, nullptr},
        {"DALI_SWITCH_OFF", nullptr, &TParGen::DALI_SWITCH_OFF},
        {"DALI_TIMEOUT", &TParGen::DALI_TIMEOUT, nullptr},
        {"DALI_DISABLE_SCAN", nullptr, &TParGen::DALI_DISABLE_SCAN},
        {"DALI_ENABLE_DALI_2", nullptr, &TParGen::DALI_ENABLE_DALI_2},
    }};
    return fields;
}

namespace {

bool Is_Xml_Char(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// The text of an edit box as it can stand in an XML file: characters that XML
// cannot hold at all (control characters, lone surrogates) are left out, since
// written raw they would make the whole file unreadable.
QString Storable_Text(const QString& s) {
    bool clean = true;
    for (const char32_t c : s.toUcs4())
        if (!Is_Xml_Char(c)) {
            clean = false;
            break;
        }
    if (clean) return s;
    QString out;
    for (const char32_t c : s.toUcs4())
        if (Is_Xml_Char(c)) out += QString::fromUcs4(&c, 1);
    return out;
}

bool Blanks_Only(const QString& s) {
    for (const QChar c : s)
        if (!c.isSpace()) return false;
    return !s.isEmpty();
}

} // namespace

TParGen Read_ParGen(const QDomDocument& doc) {
    TParGen v;
    const QDomElement root = Root_Element(doc);
    if (root.isNull()) return v;
    for (const TParGen_Field& f : ParGen_Fields()) {
        QString text;
        if (!Child_Text(root, QString::fromLatin1(f.name), text)) continue; // that setting keeps its default
        if (f.flag)
            v.*f.flag = text == QLatin1String("1");
        else
            v.*f.text = text;
    }
    return v;
}

Xml_Load_Result Load_ParGen(const QString& path, QDomDocument& doc, TParGen& values, QString* reason) {
    const Xml_Load_Result r = Load_Xml_File(path, doc, reason);
    values = r == Xml_Load_Result::Ok ? Read_ParGen(doc) : TParGen();
    return r;
}

Xml_Load_Result Load_ParGen(const QString& path, TParGen& values, QString* reason) {
    QDomDocument doc;
    return Load_ParGen(path, doc, values, reason);
}

void Build_ParGen_Document(QDomDocument& doc, const TParGen& values) {
    doc.clear();
    QDomElement root = doc.createElement(QString::fromLatin1(ParGen_Root_Name));
    doc.appendChild(root);
    doc.appendChild(doc.createComment(QStringLiteral("SW_VERSION = ") + QLatin1String(Software_Version)));
    for (const TParGen_Field& f : ParGen_Fields()) {
        const QString name = QString::fromLatin1(f.name);
        if (f.flag) {
            Add_Text_Child(doc, root, name, values.*f.flag ? QStringLiteral("1") : QStringLiteral("0"));
            continue;
        }
        const QString text = Storable_Text(values.*f.text);
        if (Blanks_Only(text)) {
            // A text of blanks only would be dropped by the reader as layout
            // whitespace; in a CDATA section it reads back as typed.
            QDomElement e = doc.createElement(name);
            e.appendChild(doc.createCDATASection(text));
            root.appendChild(e);
        } else {
            Add_Text_Child(doc, root, name, text);
        }
    }
}

bool Save_ParGen(const QString& path, QDomDocument& doc, const TParGen& values, QString* reason) {
    Build_ParGen_Document(doc, values);
    return Save_Xml_File(path, doc, reason);
}

bool Save_ParGen(const QString& path, const TParGen& values, QString* reason) {
    QDomDocument doc;
    return Save_ParGen(path, doc, values, reason);
}

} // namespace UComon
