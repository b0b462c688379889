#include "image/Build_Image.h"

#include "common/Comon_State.h"
#include "common/Decimal_Number.h"
#include "common/Xml_File.h"

#include <QDir>
#include <QDomDocument>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <memory>

namespace USaveBincc {

using UComon::Str_To_Int_Def;

Config_Image Image;
Bank_Buffers Image_Buffers;

QString Build_Error::Message() const {
    QString head = UComon::T(line);
    if (head.contains(QLatin1String("%d")))
        head.replace(QLatin1String("%d"), QString::number(count));
    QString text = head + QLatin1Char('\n') + QDir::toNativeSeparators(file);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

QString Build_Error::One_Line() const {
    QString text = Message();
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

Project_Files Project_Files::In(const QString& dir) {
    return {UComon::Join_Path(dir, QStringLiteral("ParGen.xml")),
            UComon::Join_Path(dir, QStringLiteral("DALI_Access.xml")),
            UComon::Join_Path(dir, QStringLiteral("DALI2_Access.xml"))};
}

namespace {

bool Fail(Build_Error* error, int line, const QString& file, const QString& reason = {}, int count = 0) {
    if (error)
        *error = Build_Error{line, file, reason, count};
    return false;
}

// Loads a project file. A missing file is not an error: `present` is false and the
// build takes the defaults of its part.
bool Load_Project_File(const QString& path, QDomDocument& doc, bool& present, Build_Error* error) {
    QString reason;
    present = false;
    switch (UComon::Load_Xml_File(path, doc, &reason)) {
    case UComon::Xml_Load_Result::Ok:
        present = true;
        return true;
    case UComon::Xml_Load_Result::Missing:
        return true;
    case UComon::Xml_Load_Result::Unreadable:
        return Fail(error, Line_File_Not_Read, path, reason);
    case UComon::Xml_Load_Result::Not_Well_Formed:
        return Fail(error, Line_File_Not_XML, path, reason);
    }
    return Fail(error, Line_File_Not_Read, path, reason);
}

// Texts of the root's child elements by name, the first one of each name counting.
QHash<QString, QString> Child_Texts(const QDomElement& root) {
    QHash<QString, QString> texts;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString name = e.tagName();
        if (!texts.contains(name))
            texts.insert(name, e.text());
    }
    return texts;
}

void Read_Communication(const QDomDocument& doc, Parameter_Block& p) {
    static constexpr char Version[] = "1.501";
    static_assert(sizeof Version - 1 == 5);
    p.version_text.fill(0);
    for (int i = 0; i < 5; ++i)
        p.version_text[size_t(i)] = Version[i];

    const QHash<QString, QString> el = Child_Texts(UComon::Root_Element(doc));
    // A missing element and a text that is not an integer both give the fallback.
    auto number = [&el](const char* name, int fallback) {
        const auto it = el.constFind(QLatin1String(name));
        return it == el.cend() ? fallback : Str_To_Int_Def(*it, fallback);
    };
    auto is = [&el](const char* name, const char* text) {
        const auto it = el.constFind(QLatin1String(name));
        return it != el.cend() && *it == QLatin1String(text);
    };

    static constexpr const char* Ip[] = {"MTCPs_IP1", "MTCPs_IP2", "MTCPs_IP3", "MTCPs_IP4"};
    static constexpr const char* Sub[] = {"MTCPs_SUB1", "MTCPs_SUB2", "MTCPs_SUB3", "MTCPs_SUB4"};
    static constexpr const char* Gat[] = {"MTCPs_GAT1", "MTCPs_GAT2", "MTCPs_GAT3", "MTCPs_GAT4"};
    static constexpr int Ip_Def[] = {192, 168, 0, 10};
    static constexpr int Sub_Def[] = {255, 255, 255, 0};
    static constexpr int Gat_Def[] = {192, 168, 0, 1};
    for (size_t i = 0; i < 4; ++i) {
        p.ip_address[i] = quint8(number(Ip[i], Ip_Def[i]));
        p.subnet_mask[i] = quint8(number(Sub[i], Sub_Def[i]));
        p.gateway[i] = quint8(number(Gat[i], Gat_Def[i]));
    }
    if (!el.contains(QStringLiteral("MTCPs_EN_GAT")) || is("MTCPs_EN_GAT", "0"))
        p.gateway = {255, 255, 255, 255};
    p.mtcp_port = quint16(number("MTCPs_PORT", 502));
    if (is("Modbus_TCP_Slave_DALI_Map", "1"))
        p.option_byte |= Option_Map_DALI_Devices;
    p.console_port = quint16(number("DALI_CONSOLE_PORT", 10001));
    p.dali_timeout = is("DALI_SWITCH_OFF", "1") ? quint32(number("DALI_TIMEOUT", 0)) : 0;
    if (is("DALI_DISABLE_SCAN", "1"))
        p.dali_options |= DALI_Option_Scan_Disabled;
    if (is("DALI_ENABLE_DALI_2", "1"))
        p.dali_options |= DALI_Option_DALI_2;
}

void Read_Devices(const QDomDocument& doc, std::array<quint16, Device_Words>& devices) {
    const QHash<QString, QString> el = Child_Texts(UComon::Root_Element(doc));
    auto is = [&el](const QString& name, QLatin1String text) {
        const auto it = el.constFind(name);
        return it != el.cend() && *it == text;
    };
    for (int n = 0; n < 64; ++n) {
        const QString base = QStringLiteral("DALI_ID_DEVICE_") + QString::number(n);
        quint16 w = 0;
        if (is(base, QLatin1String("1")))
            w |= Device_Enabled;
        if (is(base + QLatin1String("_DIMMING_MODE"), QLatin1String("Start Break")))
            w |= Device_Start_Break;
        if (is(base + QLatin1String("_MIN_MAN_VALUE"), QLatin1String("1")))
            w |= Device_Min_Max_Value;
        const QString recall = base + QLatin1String("_RECALL_LEVEL");
        if (is(recall, QLatin1String("Recall Min-Max Level for Switch")))
            w |= Device_Recall_Min_Max;
        else if (is(recall, QLatin1String("Recall Old Value Level for Switch")))
            w |= Device_Recall_Old_Value;
        devices[size_t(n)] = w;
    }
}

int Int_Attribute(const QDomElement& e, const QString& name, int fallback = 0) {
    return Str_To_Int_Def(e.attribute(name), fallback); // a missing attribute reads as empty
}

// Compiles the enabled rules; refuses more than the table takes.
bool Read_Rules(const QDomElement& list, const QString& path, Config_Image& image, Build_Error* error) {
    const QString Enable = QStringLiteral("Enable"), DeviceSensor = QStringLiteral("DeviceSensor"),
                  Type = QStringLiteral("Type"), ChannelNumber = QStringLiteral("ChannelNumber"),
                  Instance = QStringLiteral("Instance"), Event = QStringLiteral("Event"),
                  TimeSend = QStringLiteral("TimeSend"), TimeOut = QStringLiteral("TimeOut"),
                  Position = QStringLiteral("Position"), NumBytes = QStringLiteral("NumBytes"),
                  Command = QStringLiteral("Command"), Function = QStringLiteral("Function");
    int enabled = 0;
    qint64 highest_plus_one = -1; // below zero until a rule has a position
    for (QDomElement e = list.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.attribute(Enable) != QLatin1String("Y"))
            continue;
        if (enabled >= Rule_Entries) {
            ++enabled; // count them all for the message
            continue;
        }
        Rule_Entry& r = image.rules[size_t(enabled++)];
        r.sensor = e.attribute(DeviceSensor) == QLatin1String("Sensor") ? 1 : 0;
        r.type = Type_Code(e.attribute(Type), r.sensor != 0);
        r.channel = Int_Attribute(e, ChannelNumber);
        r.instance = Int_Attribute(e, Instance);
        r.event = Event_Code(e.attribute(Event));
        r.time_send = quint32(Int_Attribute(e, TimeSend));
        r.time_out = quint32(Int_Attribute(e, TimeOut));
        int position = 0;
        if (UComon::Try_Str_To_Int(e.attribute(Position), position) && position >= 0) {
            r.position = quint16(position);
            if (qint64(r.position) + 1 > highest_plus_one)
                highest_plus_one = qint64(r.position) + 1;
        } else {
            r.position = 0; // no position, or one below zero: does not count
        }
        r.two_byte = (r.sensor && Int_Attribute(e, NumBytes) == 2) ? 1 : 0;
        r.command = quint8(Int_Attribute(e, Command));
        r.function = quint32(Rule_Function_Number(e.attribute(Function)));
    }
    if (enabled > Rule_Entries)
        return Fail(error, Line_Too_Many_Rules, path, {}, enabled);
    image.parameters.rule_count = quint32(enabled);
    image.parameters.position_count = highest_plus_one > 0 ? quint32(highest_plus_one) : 0;
    return true;
}

bool Read_Functions(const QDomElement& list, const QString& path, Config_Image& image, Build_Error* error) {
    int count = 0;
    for (QDomElement e = list.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        ++count;
    if (count > Function_Entries - 1)
        return Fail(error, Line_Too_Many_Functions, path, {}, count);

    const QString Function = QStringLiteral("Function"), Condition = QStringLiteral("Condition"),
                  Value = QStringLiteral("Value"), Channel = QStringLiteral("Channel"), Val = QStringLiteral("Val"),
                  Next_Function = QStringLiteral("Next_Function");
    const QChar separator = UComon::Read_Decimal_Separator();
    int k = 0;
    for (QDomElement e = list.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        Function_Entry& f = image.functions[size_t(++k)]; // entry 0 stays the null function
        f.function = quint8(Function_Code(e.attribute(Function)));
        f.condition = quint8(Condition_Code(e.attribute(Condition)));
        f.value = Function_Value(e.attribute(Value), separator); // missing: empty, which gives 1
        f.channel = quint8(Channel_Code(e.attribute(Channel)));
        f.brightness = quint8(Int_Attribute(e, Val));
        f.next_function = quint8(Int_Attribute(e, Next_Function));
    }
    return true;
}

} // namespace

namespace {

bool Fill_Image(const Project_Files& files, Config_Image& image, Build_Error* error) {
    QDomDocument doc;
    bool present = false;
    if (!Load_Project_File(files.par_gen, doc, present, error))
        return false;
    if (present)
        Read_Communication(doc, image.parameters);

    if (!Load_Project_File(files.dali_access, doc, present, error))
        return false;
    if (present)
        Read_Devices(doc, image.devices);

    if (!Load_Project_File(files.dali2_access, doc, present, error))
        return false;
    if (!present)
        return true;
    // A file without the root or one of the lists counts as an empty list there.
    QDomElement root = doc.documentElement();
    if (root.tagName() != QLatin1String("DALI2_Access"))
        root = QDomElement();
    return Read_Rules(root.firstChildElement(QStringLiteral("DALI2_SetAccess_Rules")), files.dali2_access, image,
                      error) &&
           Read_Functions(root.firstChildElement(QStringLiteral("DALI2_Functions_Rules")), files.dali2_access,
                          image, error);
}

} // namespace

bool Build_Image_From(const Project_Files& files, Config_Image& image, Bank_Buffers& buffers,
                      Build_Error* error) {
    buffers.Clear();
    image.Reset(); // defaults, zero tables, standard addresses
    if (!Fill_Image(files, image, error)) {
        image.Reset(); // nothing of a refused project stays behind
        return false;
    }
    Serialise_Image(image, buffers);
    return true;
}

bool Write_Bank_Files(const QString& project_dir, const Bank_Buffers& buffers, Build_Error* error) {
    const QString bin = UComon::Join_Path(project_dir, QStringLiteral("bin"));
    const QString paths[3] = {UComon::Join_Path(bin, QLatin1String(Bank_File)),
                              UComon::Join_Path(bin, QLatin1String(ESP32_1_File)),
                              UComon::Join_Path(bin, QLatin1String(ESP32_2_File))};
    const QByteArray* data[3] = {&buffers.bank, &buffers.esp32_1, &buffers.esp32_2};
    if (!buffers.Complete())
        return Fail(error, Line_File_Not_Saved, paths[0], QStringLiteral("the image has not been built"));

    if (!QFileInfo(bin).isDir()) {
        if (!QFileInfo(project_dir).isDir())
            return Fail(error, Line_File_Not_Saved, paths[0], QStringLiteral("the project folder does not exist"));
        if (!QDir(project_dir).mkdir(QStringLiteral("bin")))
            return Fail(error, Line_File_Not_Saved, paths[0],
                        QStringLiteral("the folder %1 cannot be created").arg(QDir::toNativeSeparators(bin)));
    }

    // Stage all three beside their targets; nothing replaces an old file until every
    // new one is written whole.
    std::unique_ptr<QSaveFile> staged[3];
    for (int i = 0; i < 3; ++i) {
        staged[i] = std::make_unique<QSaveFile>(paths[i]);
        QSaveFile& f = *staged[i];
        if (!f.open(QIODevice::WriteOnly) || f.write(*data[i]) != data[i]->size())
            return Fail(error, Line_File_Not_Saved, paths[i], f.errorString());
    }
    for (int i = 0; i < 3; ++i)
        if (!staged[i]->commit())
            return Fail(error, Line_File_Not_Saved, paths[i], staged[i]->errorString());
    return true;
}

bool Build_Image(Build_Error* error) {
    return Build_Image_From({UComon::ParGen_File, UComon::DALI_Access_File, UComon::DALI2_Access_File}, Image,
                            Image_Buffers, error);
}

bool Write_Image_Files(Build_Error* error) { return Write_Bank_Files(UComon::Project_Dir, Image_Buffers, error); }

} // namespace USaveBincc
