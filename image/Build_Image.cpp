#include "image/Build_Image.h"

#include "common/Comon_State.h"
#include "common/Decimal_Number.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QXmlStreamReader>

#include <memory>

namespace USaveBincc {

using UComon::Str_To_Int_Def;

Config_Image Image;
Bank_Buffers Image_Buffers;

namespace {
QString Head_Line(const Build_Error& e) {
    QString head = UComon::T(e.line);
    head.replace(QLatin1String("%d"), QString::number(e.count));
    return head;
}
} // namespace

QString Build_Error::Message() const {
    QString text = Head_Line(*this) + QLatin1Char('\n') + QDir::toNativeSeparators(file);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

QString Build_Error::One_Line() const {
    QString text = Head_Line(*this) + QLatin1Char(' ') + QDir::toNativeSeparators(file);
    if (!reason.isEmpty())
        text += QLatin1String(": ") + reason;
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

// Reads a project file whole. A missing file is no error: `present` is false and the
// build takes the defaults of its part.
bool Read_Project_File(const QString& path, QByteArray& bytes, bool& present, Build_Error* error) {
    present = false;
    bytes.clear();
    if (!QFileInfo(path).isFile())
        return true;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return Fail(error, Line_File_Not_Read, path, f.errorString());
    bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return Fail(error, Line_File_Not_Read, path, f.errorString());
    present = true;
    return true;
}

bool Not_Well_Formed(const QXmlStreamReader& x, const QString& path, Build_Error* error) {
    return Fail(error, Line_File_Not_XML, path,
                QStringLiteral("%1 (line %2, column %3)")
                    .arg(x.errorString())
                    .arg(x.lineNumber())
                    .arg(x.columnNumber()));
}

// Texts of the root's child elements by name, the first one of each name counting;
// the root is the document's first element, whatever its name. The whole document
// is read, so a file that is cut short is refused.
bool Root_Child_Texts(const QByteArray& bytes, const QString& path, QHash<QString, QString>& texts,
                      Build_Error* error) {
    QXmlStreamReader x(bytes);
    x.setNamespaceProcessing(false);
    int depth = 0;
    while (!x.atEnd()) {
        const QXmlStreamReader::TokenType t = x.readNext();
        if (t == QXmlStreamReader::StartElement) {
            if (depth == 1) {
                QString name = x.qualifiedName().toString();
                // All the text inside the element; this reads up to its end.
                QString text = x.readElementText(QXmlStreamReader::IncludeChildElements);
                if (!texts.contains(name))
                    texts.insert(std::move(name), std::move(text));
                continue;
            }
            ++depth;
        } else if (t == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return x.hasError() ? Not_Well_Formed(x, path, error) : true;
}

void Read_Communication(const QHash<QString, QString>& el, Parameter_Block& p) {
    static constexpr char Version[] = "1.501";
    static_assert(sizeof Version - 1 == 5);
    p.version_text.fill(0);
    for (int i = 0; i < 5; ++i)
        p.version_text[size_t(i)] = Version[i];

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

void Read_Devices(const QHash<QString, QString>& el, std::array<quint16, Device_Words>& devices) {
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

// The DALI-2 file, read in one pass: its rows are compiled as they come.
class Dali2_Reader {
public:
    explicit Dali2_Reader(Config_Image& image)
        : image_(image), separator_(UComon::Read_Decimal_Separator()) {}

    // False when the file is not well-formed or holds more than the tables take.
    bool Read(const QByteArray& bytes, const QString& path, Build_Error* error) {
        QXmlStreamReader x(bytes);
        x.setNamespaceProcessing(false);
        int depth = 0;
        bool in_root = false, rules_seen = false, functions_seen = false;
        enum { None, Rules, Functions } list = None;
        while (!x.atEnd()) {
            const QXmlStreamReader::TokenType t = x.readNext();
            if (t == QXmlStreamReader::StartElement) {
                ++depth;
                const QStringView name = x.qualifiedName();
                if (depth == 1) {
                    in_root = name == QLatin1String("DALI2_Access");
                } else if (depth == 2 && in_root) {
                    // The first list of each name counts; a file without one has an empty list there.
                    list = None;
                    if (name == QLatin1String("DALI2_SetAccess_Rules") && !rules_seen) {
                        rules_seen = true;
                        list = Rules;
                    } else if (name == QLatin1String("DALI2_Functions_Rules") && !functions_seen) {
                        functions_seen = true;
                        list = Functions;
                    }
                } else if (depth == 3 && list == Rules) {
                    Rule(x.attributes());
                } else if (depth == 3 && list == Functions) {
                    Function(x.attributes());
                }
            } else if (t == QXmlStreamReader::EndElement) {
                if (depth == 2)
                    list = None;
                --depth;
            }
        }
        if (x.hasError())
            return Not_Well_Formed(x, path, error);
        if (enabled_ > Rule_Entries)
            return Fail(error, Line_Too_Many_Rules, path, {}, enabled_);
        if (functions_ > Function_Entries - 1)
            return Fail(error, Line_Too_Many_Functions, path, {}, functions_);
        image_.parameters.rule_count = quint32(enabled_);
        image_.parameters.position_count = highest_plus_one_ > 0 ? quint32(highest_plus_one_) : 0;
        return true;
    }

private:
    // A missing attribute reads as an empty text, which gives each field its fallback.
    static QString Text(const QXmlStreamAttributes& a, QLatin1String name) {
        return a.value(name).toString();
    }
    static int Int(const QXmlStreamAttributes& a, QLatin1String name) {
        return Str_To_Int_Def(Text(a, name), 0);
    }

    // Only an enabled rule takes an entry: the next free one.
    void Rule(const QXmlStreamAttributes& a) {
        if (a.value(QLatin1String("Enable")) != QLatin1String("Y"))
            return;
        if (enabled_++ >= Rule_Entries)
            return; // counted for the message, never written past the table
        Rule_Entry& r = image_.rules[size_t(enabled_ - 1)];
        r.sensor = a.value(QLatin1String("DeviceSensor")) == QLatin1String("Sensor") ? 1 : 0;
        r.type = Type_Code(Text(a, QLatin1String("Type")), r.sensor != 0);
        r.channel = Int(a, QLatin1String("ChannelNumber"));
        r.instance = Int(a, QLatin1String("Instance"));
        r.event = Event_Code(Text(a, QLatin1String("Event")));
        r.time_send = quint32(Int(a, QLatin1String("TimeSend")));
        r.time_out = quint32(Int(a, QLatin1String("TimeOut")));
        int position = 0;
        if (UComon::Try_Str_To_Int(Text(a, QLatin1String("Position")), position) && position >= 0) {
            r.position = quint16(position);
            if (qint64(r.position) + 1 > highest_plus_one_)
                highest_plus_one_ = qint64(r.position) + 1;
        } else {
            r.position = 0; // no position, or one below zero: does not count
        }
        r.two_byte = (r.sensor && Int(a, QLatin1String("NumBytes")) == 2) ? 1 : 0;
        r.command = quint8(Int(a, QLatin1String("Command")));
        r.function = quint32(Rule_Function_Number(Text(a, QLatin1String("Function"))));
    }

    // The k-th function row fills entry k; entry 0 stays the null function.
    void Function(const QXmlStreamAttributes& a) {
        if (++functions_ >= Function_Entries)
            return; // counted for the message
        Function_Entry& f = image_.functions[size_t(functions_)];
        f.function = quint8(Function_Code(Text(a, QLatin1String("Function"))));
        f.condition = quint8(Condition_Code(Text(a, QLatin1String("Condition"))));
        f.value = Function_Value(Text(a, QLatin1String("Value")), separator_); // missing: 1
        f.channel = quint8(Channel_Code(Text(a, QLatin1String("Channel"))));
        f.brightness = quint8(Int(a, QLatin1String("Val")));
        f.next_function = quint8(Int(a, QLatin1String("Next_Function")));
    }

    Config_Image& image_;
    QChar separator_;
    int enabled_ = 0;
    int functions_ = 0;
    qint64 highest_plus_one_ = -1; // below zero until a rule has a position
};

bool Fill_Image(const Project_Files& files, Config_Image& image, Build_Error* error) {
    QByteArray bytes;
    bool present = false;
    QHash<QString, QString> texts;
    if (!Read_Project_File(files.par_gen, bytes, present, error))
        return false;
    if (present) {
        if (!Root_Child_Texts(bytes, files.par_gen, texts, error))
            return false;
        Read_Communication(texts, image.parameters);
    }

    if (!Read_Project_File(files.dali_access, bytes, present, error))
        return false;
    if (present) {
        texts.clear();
        if (!Root_Child_Texts(bytes, files.dali_access, texts, error))
            return false;
        Read_Devices(texts, image.devices);
    }

    if (!Read_Project_File(files.dali2_access, bytes, present, error))
        return false;
    return !present || Dali2_Reader(image).Read(bytes, files.dali2_access, error);
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
            return Fail(error, Line_File_Not_Saved, paths[0],
                        QStringLiteral("the project folder does not exist"));
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

bool Write_Image_Files(Build_Error* error) {
    return Write_Bank_Files(UComon::Project_Dir, Image_Buffers, error);
}

} // namespace USaveBincc
