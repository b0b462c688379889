#include "update/Job_File.h"

#include "common/Comon_State.h"
#include "common/Xml_File.h"

#include <QDir>

using namespace UComon;

namespace UBoot {

namespace {

struct Operation_Entry {
    QString file;
    const char* start_address;
    const char* bank_type;
    bool write_css;
    const char* address_css;
    bool wid;
    bool go_to_app_after;
};

void Add_Operation(QDomDocument& doc, QDomElement& operations, const Operation_Entry& op, bool read_back) {
    QDomElement e = doc.createElement(QStringLiteral("Operation"));
    auto add = [&](const char* name, const QString& text) {
        Add_Text_Child(doc, e, QLatin1String(name), text);
    };
    add("Ope_Protection_Enabled", QString());
    add("Ope_GoToBoot_Before", QStringLiteral("0"));
    add("Ope_GoToApp_Before", QStringLiteral("0"));
    add("Ope_IP_Address", QString());
    add("Ope_Port", QString::number(Boot_Port));
    add("Ope_Port_Sec", QString::number(Boot_Port_Sec));
    add("Ope_Erase_Memory", QStringLiteral("0"));
    add("Ope_FileName", QDir::toNativeSeparators(op.file));
    add("Ope_Start_Address", QLatin1String(op.start_address));
    add("Ope_Memory_Type", QStringLiteral("0"));
    add("Ope_Bank_Type", QLatin1String(op.bank_type));
    add("Ope_Read_Back", read_back ? QStringLiteral("1") : QStringLiteral("0"));
    add("Ope_Write_CSS", op.write_css ? QStringLiteral("1") : QStringLiteral("0"));
    add("Ope_Address_CSS", QLatin1String(op.address_css));
    add("Ope_Command_CSS", QStringLiteral("0x0B"));
    if (op.wid) {
        add("Ope_Write_Internal_Data", QStringLiteral("0"));
        add("Ope_WID_Address", QStringLiteral("0x78200"));
        add("Ope_WID_Command", QStringLiteral("0x0B"));
        add("Ope_WID_Data", QString());
    }
    add("Ope_GoToApp_After", op.go_to_app_after ? QStringLiteral("1") : QStringLiteral("0"));
    operations.appendChild(e);
}

} // namespace

void Build_Job(const Job_Request& r, QDomDocument& doc) {
    doc.clear();
    doc = QDomDocument();
    const bool firmware = r.option == Option_Firmware_And_Configuration || r.option == Option_Firmware;
    const bool configuration =
        r.option == Option_Firmware_And_Configuration || r.option == Option_Configuration;
    // With the firmware alone, the application is started after each firmware write.
    const bool app_after_firmware = r.option == Option_Firmware;
    const QString bin = Join_Path(r.project_dir, QStringLiteral("bin"));

    QDomElement root = doc.createElement(QStringLiteral("Ethernet_Update"));
    doc.appendChild(root);
    Add_Text_Child(doc, root, QStringLiteral("Version"), QStringLiteral("1000"));
    Add_Text_Child(doc, root, QStringLiteral("Title"),
                   QString::fromLatin1(Maker_Web_Name) + QStringLiteral(" - CF51730 Ethernet Update"));
    Add_Text_Child(doc, root, QStringLiteral("IP_Address_Dev"), r.ip_address);
    Add_Text_Child(doc, root, QStringLiteral("Application_Port"), QString::number(Application_Port));
    Add_Text_Child(doc, root, QStringLiteral("Boot_Port"), QString::number(Boot_Port));
    Add_Text_Child(doc, root, QStringLiteral("Boot_Port_Sec"), QString::number(Boot_Port_Sec));
    Add_Text_Child(doc, root, QStringLiteral("Address_Protection"), QStringLiteral("0x78000"));
    QDomElement protections = Add_Text_Child(doc, root, QStringLiteral("Protections"), QString());
    Add_Text_Child(doc, protections, QStringLiteral("Protection"), QStringLiteral("0x16E"));

    QDomElement standard = Add_Text_Child(doc, root, QStringLiteral("Operations"), QString());
    if (firmware) {
        Add_Operation(doc, standard,
                      {Join_Path(r.master_dir, QLatin1String(Firmware_File)), "0x8000", "1", true, "0x78100",
                       false, app_after_firmware},
                      r.read_back);
        Add_Operation(doc, standard,
                      {Join_Path(r.master_dir, QLatin1String(Web_Files_File)), "0xC0000", "1", false,
                       "0x78100", false, app_after_firmware},
                      r.read_back);
    }
    if (configuration)
        Add_Operation(
            doc, standard,
            {Join_Path(bin, QStringLiteral("bank.bin")), "0x66000", "2", false, "0x50100", false, true},
            r.read_back);

    QDomElement esp32 = Add_Text_Child(doc, root, QStringLiteral("ESP32"), QString());
    Add_Text_Child(doc, esp32, QStringLiteral("Address_Protection"), QStringLiteral("0x7800"));
    QDomElement esp32_ops = Add_Text_Child(doc, esp32, QStringLiteral("Operations"), QString());
    if (firmware) {
        Add_Operation(doc, esp32_ops,
                      {Join_Path(r.master_dir, QLatin1String(ESP32_Firmware_File)), "0x110000", "1", false,
                       "0x78100", true, app_after_firmware},
                      r.read_back);
        Add_Operation(doc, esp32_ops,
                      {Join_Path(r.master_dir, QLatin1String(Web_Files_File)), "0x350000", "1", false,
                       "0x78100", false, app_after_firmware},
                      r.read_back);
    }
    if (configuration) {
        Add_Operation(doc, esp32_ops,
                      {Join_Path(bin, QStringLiteral("bank_ESP32_1.bin")), "0x09000", "2", false, "0x50100",
                       true, false},
                      r.read_back);
        Add_Operation(doc, esp32_ops,
                      {Join_Path(bin, QStringLiteral("bank_ESP32_2.bin")), "0x310000", "2", false, "0x50100",
                       true, true},
                      r.read_back);
    }
}

bool Write_Job(const QString& path, const Job_Request& request, QString* reason) {
    QDomDocument doc;
    Build_Job(request, doc);
    return Save_Xml_File(path, doc, reason);
}

} // namespace UBoot
