#include "update/Job_Reader.h"

#include "common/Comon_State.h"
#include "common/Ip_Address.h"
#include "common/Xml_File.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace UComon;

namespace UBoot {

namespace {

// Reads the children of one element; the first failure keeps its message.
class Reader {
public:
    Reader(const QDomElement& e, QString where) : e_(e), where_(std::move(where)) {}

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    QString Text(const char* name, bool required = true) {
        QString t;
        if (!Child_Text(e_, QLatin1String(name), t) && required)
            Fail(name, QStringLiteral("is missing"));
        return Trim(t);
    }
    quint32 Number(const char* name, quint64 max) {
        const QString t = Text(name);
        if (!ok())
            return 0;
        int v = 0;
        if (!Try_Str_To_Int(t, v) || t.contains(QLatin1Char('-')) || quint64(quint32(v)) > max) {
            Fail(name, QStringLiteral("is \"%1\", not a number from 0 to %2").arg(t).arg(max));
            return 0;
        }
        return quint32(v);
    }
    quint16 Port(const char* name) {
        const quint32 p = Number(name, 65535);
        if (ok() && p == 0)
            Fail(name, QStringLiteral("is 0, not a port"));
        return quint16(p);
    }
    // "1" or "0"; an empty or missing flag is not set.
    bool Flag(const char* name) {
        const QString t = Text(name, false);
        if (t.isEmpty() || t == QLatin1String("0"))
            return false;
        if (t == QLatin1String("1"))
            return true;
        Fail(name, QStringLiteral("is \"%1\", not 0 or 1").arg(t));
        return false;
    }
    quint32 Address(const QString& text, const char* name) {
        quint32 a = 0;
        if (!Parse_IP_Address(text, a))
            Fail(name, QStringLiteral("is \"%1\", not an IP address").arg(text));
        return a;
    }
    void Fail(const char* name, const QString& what) {
        if (ok())
            error_ = QStringLiteral("%1%2 %3").arg(where_, QLatin1String(name), what);
    }

private:
    QDomElement e_;
    QString where_;
    QString error_;
};

QByteArray Hex_Bytes(const QString& text, bool& ok) {
    QString t = text;
    t.remove(QLatin1Char(' '));
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        t = t.mid(2);
    ok = t.size() % 2 == 0;
    for (QChar c : t)
        ok = ok && (c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')));
    return ok ? QByteArray::fromHex(t.toLatin1()) : QByteArray();
}

bool Read_List(const QDomElement& parent, const QString& list_name, const Update_Job& job, Job_List& list,
               QString* error) {
    Reader top(parent, list_name.isEmpty() ? QString() : list_name + QLatin1Char('/'));
    list.address_protection = top.Number("Address_Protection", 0xFFFFFFFFu);
    const QDomElement ops = parent.firstChildElement(QStringLiteral("Operations"));
    if (ops.isNull())
        top.Fail("Operations", QStringLiteral("is missing"));
    if (!top.ok()) {
        *error = top.error();
        return false;
    }
    int n = 0;
    for (QDomElement e = ops.firstChildElement(QStringLiteral("Operation")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("Operation"))) {
        ++n;
        Reader r(e, QStringLiteral("%1Operation %2: ")
                        .arg(list_name.isEmpty() ? QString() : list_name + QLatin1Char(' '))
                        .arg(n));
        Job_Operation op;
        op.protection_enabled = r.Flag("Ope_Protection_Enabled");
        op.go_to_boot_before = r.Flag("Ope_GoToBoot_Before");
        op.go_to_app_before = r.Flag("Ope_GoToApp_Before");
        const QString ip = r.Text("Ope_IP_Address", false);
        op.ip_address = ip.isEmpty() ? job.ip_address : r.Address(ip, "Ope_IP_Address");
        op.port = r.Port("Ope_Port");
        op.port_sec = r.Port("Ope_Port_Sec");
        op.erase_memory = r.Flag("Ope_Erase_Memory");
        op.file_name = r.Text("Ope_FileName");
        if (r.ok() && op.file_name.isEmpty())
            r.Fail("Ope_FileName", QStringLiteral("is empty"));
        op.start_address = r.Number("Ope_Start_Address", 0xFFFFFFFFu);
        op.memory_type = quint8(r.Number("Ope_Memory_Type", 255));
        op.bank_type = quint8(r.Number("Ope_Bank_Type", 255));
        op.read_back = r.Flag("Ope_Read_Back");
        op.write_css = r.Flag("Ope_Write_CSS");
        if (op.write_css) {
            op.address_css = r.Number("Ope_Address_CSS", 0xFFFFFFFFu);
            op.command_css = quint8(r.Number("Ope_Command_CSS", 255));
        }
        op.write_internal_data = r.Flag("Ope_Write_Internal_Data");
        if (op.write_internal_data) {
            op.wid_address = r.Number("Ope_WID_Address", 0xFFFFFFFFu);
            op.wid_command = quint8(r.Number("Ope_WID_Command", 255));
            bool hex_ok = false;
            const QString data = r.Text("Ope_WID_Data", false);
            op.wid_data = Hex_Bytes(data, hex_ok);
            if (!hex_ok || op.wid_data.isEmpty())
                r.Fail("Ope_WID_Data", QStringLiteral("is \"%1\", not bytes in hexadecimal").arg(data));
        }
        op.go_to_app_after = r.Flag("Ope_GoToApp_After");
        if (!r.ok()) {
            *error = r.error();
            return false;
        }
        list.operations.append(op);
    }
    return true;
}

} // namespace

bool Parse_Job(const QByteArray& xml, Update_Job& job, QString* error) {
    QString dummy;
    if (!error)
        error = &dummy;
    job = Update_Job();
    QDomDocument doc;
    QString msg;
    int line = 0, column = 0;
    if (!doc.setContent(xml, &msg, &line, &column)) {
        *error = QStringLiteral("the job is not a valid XML document: %1 (line %2, column %3)")
                     .arg(msg)
                     .arg(line)
                     .arg(column);
        return false;
    }
    const QDomElement root = Root_Element(doc);
    if (root.tagName() != QLatin1String("Ethernet_Update")) {
        *error = QStringLiteral("the job's root element is \"%1\", not Ethernet_Update").arg(root.tagName());
        return false;
    }
    Reader r(root, QString());
    job.title = r.Text("Title", false);
    job.ip_text = r.Text("IP_Address_Dev");
    if (r.ok())
        job.ip_address = r.Address(job.ip_text, "IP_Address_Dev");
    job.application_port = r.Port("Application_Port");
    job.boot_port = r.Port("Boot_Port");
    job.boot_port_sec = r.Port("Boot_Port_Sec");
    const QDomElement protections = root.firstChildElement(QStringLiteral("Protections"));
    for (QDomElement p = protections.firstChildElement(QStringLiteral("Protection")); r.ok() && !p.isNull();
         p = p.nextSiblingElement(QStringLiteral("Protection"))) {
        int v = 0;
        if (!Try_Str_To_Int(Trim(p.text()), v))
            r.Fail("Protection", QStringLiteral("is \"%1\", not a number").arg(Trim(p.text())));
        job.protections.append(quint32(v));
    }
    if (!r.ok()) {
        *error = r.error();
        return false;
    }
    if (!Read_List(root, QString(), job, job.standard, error))
        return false;
    const QDomElement esp32 = root.firstChildElement(QStringLiteral("ESP32"));
    if (esp32.isNull()) {
        *error = QStringLiteral("ESP32 is missing");
        return false;
    }
    return Read_List(esp32, QStringLiteral("ESP32"), job, job.esp32, error);
}

bool Read_Job(const QString& path, Update_Job& job, QString* error) {
    QFile f(path);
    if (!QFileInfo(path).isFile()) {
        if (error)
            *error = QStringLiteral("the job file %1 does not exist").arg(QDir::toNativeSeparators(path));
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("the job file %1 cannot be read: %2")
                         .arg(QDir::toNativeSeparators(path), f.errorString());
        return false;
    }
    return Parse_Job(f.readAll(), job, error);
}

bool Check_Files(const Job_List& list, QString* error) {
    for (const Job_Operation& op : list.operations) {
        const QString shown = QDir::toNativeSeparators(op.file_name);
        const QFileInfo fi(QDir::fromNativeSeparators(op.file_name));
        QString what;
        if (!fi.exists())
            what = QStringLiteral("does not exist");
        else if (!fi.isFile())
            what = QStringLiteral("is not a file");
        else if (!fi.isReadable())
            what = QStringLiteral("cannot be read");
        else if (fi.size() == 0)
            what = QStringLiteral("is empty");
        else if (quint64(op.start_address) + quint64(fi.size()) > 0x100000000ull)
            what = QStringLiteral("does not fit in memory from address 0x%1").arg(op.start_address, 0, 16);
        if (!what.isEmpty()) {
            if (error)
                *error = QStringLiteral("the file %1 %2").arg(shown, what);
            return false;
        }
    }
    return true;
}

} // namespace UBoot
