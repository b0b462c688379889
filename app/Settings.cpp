#include "app/Settings.h"

#include "common/Comon_State.h"
#include "common/Xml_File.h"

#include <QDir>
#include <QFileInfo>

namespace UComon {

QString Settings_File_Path() { return Join_Path(Program_Dir, QStringLiteral("Dravian.xml")); }

void Set_Program_Folders(const QString& program_dir) {
    Program_Dir = program_dir;
    while (Program_Dir.size() > 1 && Program_Dir.endsWith(QLatin1Char('/')))
        Program_Dir.chop(1);
    Master_Dir = Join_Path(Program_Dir, QStringLiteral("MASTER"));
    Projects_Dir = Join_Path(Program_Dir, QStringLiteral("PROJECTS"));
    Language_Dir = Join_Path(Program_Dir, QStringLiteral("LANGUAGE"));
    for (const QString& d : {Master_Dir, Projects_Dir, Language_Dir})
        if (!QFileInfo(d).isDir())
            QDir().mkdir(d); // a failure shows where the folder is used
}

namespace {

void Set_Setting_Defaults() {
    Project_Name.clear();
    Project_Dir.clear();
    Device_IP = QString::fromLatin1(Default_Device_IP);
    Current_Language = QStringLiteral("English");
    Enable_Internet = Enable_Update = Enable_Jump_Field_Tables = Double_Click_Auto_Size = false;
}

// Text of root/group/leaf, or `fallback` when any of them is missing.
QString Group_Text(const QDomElement& root, const char* group, const char* leaf, const QString& fallback) {
    QString text;
    if (Child_Text(root.firstChildElement(QLatin1String(group)), QLatin1String(leaf), text))
        return text;
    return fallback;
}

bool Flag(const QDomElement& internet, const char* leaf) {
    QString text;
    return Child_Text(internet, QLatin1String(leaf), text) && text == QLatin1String("1");
}

} // namespace

void Read_Settings() {
    Set_Setting_Defaults();
    QDomDocument doc;
    if (Load_Xml_File(Settings_File_Path(), doc) != Xml_Load_Result::Ok)
        return;
    const QDomElement root = Root_Element(doc);
    if (root.isNull())
        return;
    Project_Name = Group_Text(root, "lastproj", "projectname", QString());
    Device_IP = Group_Text(root, "lastipadd", "ipaddress", QString::fromLatin1(Default_Device_IP));
    Current_Language = Group_Text(root, "lastlang", "language", QStringLiteral("English"));
    const QDomElement internet = root.firstChildElement(QStringLiteral("lastinternet"));
    Enable_Internet = Flag(internet, "enable_internet");
    Enable_Update = Flag(internet, "enable_update");
    Enable_Jump_Field_Tables = Flag(internet, "enable_jump_field_tables");
    Double_Click_Auto_Size = Flag(internet, "Double_Click_Auto_Size");
}

bool Write_Settings(QString* reason) {
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("Conf_Settings"));
    doc.appendChild(root);
    auto group = [&](const char* name) {
        QDomElement g = doc.createElement(QLatin1String(name));
        root.appendChild(g);
        return g;
    };
    auto flag = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    QDomElement proj = group("lastproj");
    Add_Text_Child(doc, proj, QStringLiteral("projectname"), Project_Name);
    QDomElement ip = group("lastipadd");
    Add_Text_Child(doc, ip, QStringLiteral("ipaddress"), Device_IP);
    QDomElement lang = group("lastlang");
    Add_Text_Child(doc, lang, QStringLiteral("language"), Current_Language);
    QDomElement internet = group("lastinternet");
    Add_Text_Child(doc, internet, QStringLiteral("enable_internet"), flag(Enable_Internet));
    Add_Text_Child(doc, internet, QStringLiteral("enable_update"), flag(Enable_Update));
    Add_Text_Child(doc, internet, QStringLiteral("enable_jump_field_tables"), flag(Enable_Jump_Field_Tables));
    Add_Text_Child(doc, internet, QStringLiteral("Double_Click_Auto_Size"), flag(Double_Click_Auto_Size));
    return Save_Xml_File(Settings_File_Path(), doc, reason);
}

void Set_Files() {
    ParGen_File = Project_Dir + QStringLiteral("/ParGen.xml");
    DALI_Access_File = Project_Dir + QStringLiteral("/DALI_Access.xml");
    DALI2_Access_File = Project_Dir + QStringLiteral("/DALI2_Access.xml");
    static const char* const others[] = {
        "ModbusTCPM_SetAccess.xml", "DMX_Default_Values.xml", "BACnet_Master_Access.xml",
        "ModbusM_SetAccess.xml",    "SNMP_Trap.xml",          "CAN_Rec_Frames.xml",
        "CAN_Send_Frames.xml",      "SDO_Server_CANopen.xml", "SDO_Client_CANopen.xml",
        "PDO_CANopen.xml",          "KNX_SetAccess.xml",      "SNMP_Manager.xml"};
    Other_Model_Files.clear();
    for (const char* f : others)
        Other_Model_Files.append(Project_Dir + QLatin1Char('/') + QLatin1String(f));
}

void Restore_Project() {
    if (!Project_Name.isEmpty() && QFileInfo(Join_Path(Projects_Dir, Project_Name)).isDir()) {
        Project_Dir = Join_Path(Projects_Dir, Project_Name);
    } else {
        Project_Name.clear();
        Project_Dir.clear();
    }
}

} // namespace UComon
