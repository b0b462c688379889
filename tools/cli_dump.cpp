// dravian-cli dump FILE [--json]: what a bank file gives the converter, field by field.
#include "image/Image_Decoder.h"
#include "tools/Cli_Commands.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cmath>
#include <cstdio>

using namespace USaveBincc;

namespace {

// One line of the dump: its text form and its JSON form carry the same content.
struct Field {
    QString key;
    QString text;
    QJsonValue json;
};

// A group of lines. Sections of one `group` form a JSON array when `array` is set,
// else one JSON object; the top lines have no group.
struct Section {
    QString title;
    QString group;
    bool array = false;
    QList<Field> fields;

    void Add(const QString& key, const QString& text, const QJsonValue& json) {
        fields.append({key, text, json});
    }
    void Add(const QString& key, const QString& text) { fields.append({key, text, text}); }
    void Add(const QString& key, qint64 n) { fields.append({key, QString::number(n), double(n)}); }
    void Add_Bool(const QString& key, bool b) {
        fields.append({key, b ? QStringLiteral("yes") : QStringLiteral("no"), b});
    }
    // A code and its name: "Push Button (1)" / JSON key "Push Button", key_code 1.
    void Add_Code(const QString& key, const char* name, int code) {
        fields.append({key,
                       name ? QStringLiteral("%1 (%2)").arg(QLatin1String(name)).arg(code)
                            : QStringLiteral("unknown (%1)").arg(code),
                       name ? QJsonValue(QLatin1String(name)) : QJsonValue()});
        fields.append({key + QLatin1String("_code"), QString(), code});
    }
};

QString Hex(quint32 v, int digits = 8) {
    return QLatin1String("0x") + QString::number(v, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

QString Dotted(const std::array<quint8, 4>& b) {
    return QStringLiteral("%1.%2.%3.%4").arg(b[0]).arg(b[1]).arg(b[2]).arg(b[3]);
}

// The shortest text that reads back as the same single-precision number.
QString Float_Text(float f) {
    char buf[48];
    const auto r = std::to_chars(buf, buf + sizeof buf, f);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

QJsonValue Float_Json(float f) {
    if (!std::isfinite(f))
        return Float_Text(f);
    return Float_Text(f).toDouble();
}

QString Ranges_Text(const QList<Byte_Range>& ranges) {
    QStringList parts;
    for (const Byte_Range& r : ranges)
        parts << (r.first == r.last ? Hex(quint32(r.first), 4)
                                    : Hex(quint32(r.first), 4) + QLatin1Char('-') + Hex(quint32(r.last), 4));
    return parts.join(QLatin1String(", "));
}

const char* Address_Set_Name(const Address_Set& a) {
    if (a == Standard_Addresses)
        return "standard";
    if (a == ESP32_Addresses)
        return "ESP32";
    return nullptr;
}

// An occupancy or button event whose value a function tests, by its condition.
const char* Value_Name(int condition, float value) {
    if (!(value >= 0.0f && value <= 1023.0f) || float(int(value)) != value)
        return nullptr;
    const int v = int(value);
    if (condition == Condition_When_Equal)
        return Name_Of(Button_Events, v);
    if (condition == Condition_NAND)
        return Name_Of(NAND_Events, v);
    if (condition == Condition_AND)
        return Name_Of(AND_Events, v);
    return nullptr;
}

Section Parameter_Section(const Decoded_Bank& d) {
    const Parameter_Block& p = d.image.parameters;
    Section s{QStringLiteral("parameter block"), QStringLiteral("parameters"), false, {}};
    s.Add(QStringLiteral("ip_address"), Dotted(p.ip_address));
    s.Add(QStringLiteral("subnet_mask"), Dotted(p.subnet_mask));
    s.Add(QStringLiteral("gateway"), Dotted(p.gateway));
    s.Add_Bool(QStringLiteral("gateway_enabled"), p.gateway != std::array<quint8, 4>{255, 255, 255, 255});
    s.Add(QStringLiteral("modbus_tcp_port"), p.mtcp_port);
    s.Add(QStringLiteral("dali_console_port"), p.console_port);
    s.Add(QStringLiteral("option_byte"), Hex(p.option_byte, 2));
    s.Add_Bool(QStringLiteral("map_each_dali_device"), p.option_byte & Option_Map_DALI_Devices);
    s.Add(QStringLiteral("position_count"), p.position_count);
    s.Add(QStringLiteral("enabled_rule_count"), p.rule_count);
    s.Add(QStringLiteral("rule_table_address"), Hex(p.addresses.rule_table));
    s.Add(QStringLiteral("function_table_address"), Hex(p.addresses.function_table));
    s.Add(QStringLiteral("device_table_address"), Hex(p.addresses.device_table));
    s.Add(QStringLiteral("web_files_address"), Hex(p.addresses.web_files));

    const char* set = Address_Set_Name(p.addresses);
    const char* wanted = d.kind == Bank_Kind::Standard ? "standard" : "ESP32";
    QString set_text = set ? QLatin1String(set) : QStringLiteral("neither standard nor ESP32");
    if (!set || qstrcmp(set, wanted) != 0)
        set_text += QStringLiteral(" (a %1 carries the %2 set)")
                        .arg(QLatin1String(Bank_Kind_File(d.kind)), QLatin1String(wanted));
    s.Add(QStringLiteral("address_set"), set_text);

    bool zero = true, printable = true;
    QString version;
    for (char c : p.version_text) {
        zero = zero && c == 0;
        if (c != 0)
            version += QLatin1Char(c);
        printable = printable && (c == 0 || (c >= 0x20 && c < 0x7F));
    }
    if (zero) {
        s.Add(QStringLiteral("version"), QStringLiteral("none"), QJsonValue());
    } else if (printable) {
        s.Add(QStringLiteral("version"), version);
    } else {
        QString hex;
        for (char c : p.version_text)
            hex += QStringLiteral("%1 ").arg(quint8(c), 2, 16, QLatin1Char('0'));
        s.Add(QStringLiteral("version"), QStringLiteral("bytes ") + hex.trimmed());
    }

    s.Add(QStringLiteral("dali_timeout_ms"), p.dali_timeout);
    s.Add(QStringLiteral("dali_option_word"), Hex(p.dali_options));
    s.Add_Bool(QStringLiteral("dali_scan_disabled"), p.dali_options & DALI_Option_Scan_Disabled);
    s.Add_Bool(QStringLiteral("dali_2_enabled"), p.dali_options & DALI_Option_DALI_2);

    QStringList differ;
    for (int off : d.fixed_differs)
        differ << Hex(quint32(off), 3);
    s.Add(QStringLiteral("fixed_values"),
          differ.isEmpty() ? QStringLiteral("ok")
                           : QStringLiteral("differ at ") + differ.join(QLatin1String(", ")));

    if (d.Checksum_Ok()) {
        s.Add(QStringLiteral("checksum"), Hex(d.checksum) + QLatin1String(" ok"), Hex(d.checksum));
        s.fields.append({QStringLiteral("checksum_ok"), QString(), true});
    } else {
        s.Add(QStringLiteral("checksum"),
              Hex(d.checksum) + QLatin1String(" expected ") + Hex(d.expected_checksum), Hex(d.checksum));
        s.fields.append({QStringLiteral("checksum_ok"), QString(), false});
        s.fields.append({QStringLiteral("checksum_expected"), QString(), Hex(d.expected_checksum)});
    }
    return s;
}

Section Rule_Section(const Decoded_Bank& d, int i) {
    const Rule_Entry& r = d.image.rules[size_t(i)];
    Section s{QStringLiteral("rule entry %1").arg(i), QStringLiteral("rules"), true, {}};
    s.fields.append({QStringLiteral("entry"), QString(), i});
    s.Add(QStringLiteral("key_word"), Hex(d.key_words[size_t(i)]));
    s.Add(QStringLiteral("device_sensor"), r.sensor ? QStringLiteral("Sensor") : QStringLiteral("Device"));
    s.Add_Code(QStringLiteral("type"),
               r.sensor ? Name_Of(Sensor_Type_Codes, r.type) : Name_Of(Device_Type_Codes, r.type), r.type);
    s.Add(QStringLiteral("channel_number"), r.channel);
    s.Add(QStringLiteral("instance"), r.instance);
    // Event names are those of push buttons, so only a sensor's event is named.
    if (const char* name = r.sensor ? Name_Of(Button_Events, r.event) : nullptr)
        s.Add_Code(QStringLiteral("event"), name, r.event);
    else
        s.Add(QStringLiteral("event"), QString::number(r.event), r.event);
    s.Add_Bool(QStringLiteral("two_byte_value"), r.two_byte);
    s.Add(QStringLiteral("time_send_ms"), r.time_send);
    s.Add(QStringLiteral("time_out_ms"), r.time_out);
    s.Add(QStringLiteral("position"), r.position);
    s.Add(QStringLiteral("command"), r.command);
    s.Add(QStringLiteral("function"), r.function);
    return s;
}

Section Function_Section(const Decoded_Bank& d, int k) {
    const Function_Entry& f = d.image.functions[size_t(k)];
    Section s{QStringLiteral("function %1").arg(k), QStringLiteral("functions"), true, {}};
    s.fields.append({QStringLiteral("number"), QString(), k});
    s.Add_Code(QStringLiteral("function"), Name_Of(Function_Codes, f.function), f.function);
    s.Add_Code(QStringLiteral("condition"), Name_Of(Condition_Codes, f.condition), f.condition);
    const char* value_name = Value_Name(f.condition, f.value);
    s.Add(QStringLiteral("value"),
          value_name ? QStringLiteral("%1 (%2)").arg(Float_Text(f.value), QLatin1String(value_name))
                     : Float_Text(f.value),
          Float_Json(f.value));
    if (value_name)
        s.fields.append({QStringLiteral("value_name"), QString(), QLatin1String(value_name)});
    const QString target = Target_Name(f.channel);
    s.Add(QStringLiteral("channel"),
          target.isEmpty() ? QStringLiteral("unknown (%1)").arg(f.channel)
                           : QStringLiteral("%1 (%2)").arg(target).arg(f.channel),
          target.isEmpty() ? QJsonValue() : QJsonValue(target));
    s.fields.append({QStringLiteral("channel_code"), QString(), f.channel});
    s.Add(QStringLiteral("brightness"), f.brightness);
    s.Add(QStringLiteral("next_function"), f.next_function);
    return s;
}

Section Device_Section(const Decoded_Bank& d) {
    Section s{QStringLiteral("devices"), QStringLiteral("devices"), false, {}};
    int enabled = 0;
    for (quint16 w : d.image.devices)
        enabled += (w & Device_Enabled) ? 1 : 0;
    s.Add(QStringLiteral("enabled_devices"), enabled);
    static constexpr struct {
        quint16 mask;
        const char* name;
    } Flags[] = {{Device_Enabled, "enabled"},
                 {Device_Start_Break, "Start Break"},
                 {Device_Min_Max_Value, "Min-Max Value"},
                 {Device_Recall_Min_Max, "Recall Min-Max Level for Switch"},
                 {Device_Recall_Old_Value, "Recall Old Value Level for Switch"}};
    for (int n = 0; n < Device_Words; ++n) {
        const quint16 w = d.image.devices[size_t(n)];
        if (!w)
            continue;
        QStringList flags;
        quint16 rest = w;
        for (const auto& f : Flags)
            if (w & f.mask) {
                flags << QLatin1String(f.name);
                rest &= quint16(~f.mask);
            }
        if (rest)
            flags << QStringLiteral("unknown bits ") + Hex(rest, 4);
        QJsonObject o{{QStringLiteral("code"), n},
                      {QStringLiteral("word"), Hex(w, 4)},
                      {QStringLiteral("flags"), QJsonArray::fromStringList(flags)}};
        s.Add(Target_Name(n), Hex(w, 4) + QLatin1Char(' ') + flags.join(QLatin1String(", ")), o);
    }
    return s;
}

QList<Section> Dump(const QString& path, const Decoded_Bank& d, int size) {
    QList<Section> out;
    Section top;
    top.Add(QStringLiteral("file"), QDir::toNativeSeparators(path));
    static const char* const Kind_Text[] = {"standard image", "ESP32 parameter block", "ESP32 tables"};
    top.Add(QStringLiteral("kind"),
            QStringLiteral("%1 (%2)").arg(QLatin1String(Bank_Kind_File(d.kind)),
                                          QLatin1String(Kind_Text[int(d.kind)])),
            QLatin1String(Bank_Kind_File(d.kind)));
    top.Add(QStringLiteral("size"), size);
    QJsonArray reserved;
    for (const Byte_Range& r : d.reserved_not_zero)
        reserved.append(Ranges_Text({r}));
    top.Add(QStringLiteral("reserved_bytes"),
            d.reserved_not_zero.isEmpty() ? QStringLiteral("zero")
                                          : QStringLiteral("not zero at ") + Ranges_Text(d.reserved_not_zero),
            reserved);
    if (d.has_tables) {
        top.Add(QStringLiteral("rule_entries_used"), d.used_rules);
        top.Add(QStringLiteral("function_entries_used"), d.used_functions);
    }
    out.append(top);
    if (d.has_parameters)
        out.append(Parameter_Section(d));
    if (d.has_tables) {
        for (int i = 0; i < d.used_rules; ++i)
            out.append(Rule_Section(d, i));
        for (int k = 1; k <= d.used_functions; ++k)
            out.append(Function_Section(d, k));
        out.append(Device_Section(d));
    }
    return out;
}

QByteArray Render_Text(const QList<Section>& sections) {
    QString t;
    for (const Section& s : sections) {
        if (!s.title.isEmpty())
            t += QStringLiteral("\n[%1]\n").arg(s.title);
        for (const Field& f : s.fields)
            if (!f.text.isNull()) // JSON-only members repeat what the line already says
                t += f.key + QLatin1String(": ") + f.text + QLatin1Char('\n');
    }
    return t.toUtf8();
}

QByteArray Render_Json(const QList<Section>& sections, bool has_tables) {
    QJsonObject root;
    QHash<QString, QJsonArray> arrays;
    for (const Section& s : sections) {
        QJsonObject o;
        for (const Field& f : s.fields)
            o.insert(f.key, f.json);
        if (s.group.isEmpty()) {
            for (auto it = o.begin(); it != o.end(); ++it)
                root.insert(it.key(), it.value());
        } else if (s.array) {
            arrays[s.group].append(o);
        } else {
            root.insert(s.group, o);
        }
    }
    if (has_tables) {
        root.insert(QStringLiteral("rules"), arrays.value(QStringLiteral("rules")));
        root.insert(QStringLiteral("functions"), arrays.value(QStringLiteral("functions")));
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace

int Cmd_Dump(const QStringList& args) {
    QString file;
    bool json = false;
    for (const QString& a : args) {
        if (a == QLatin1String("--json"))
            json = true;
        else if (a.startsWith(QLatin1String("--")) || !file.isEmpty())
            return Cli_Usage_Error("dump takes one FILE and an optional --json");
        else
            file = a;
    }
    if (file.isEmpty())
        return Cli_Usage_Error("dump needs a FILE");

    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "dravian-cli: cannot read %s: %s\n", qPrintable(QDir::toNativeSeparators(file)),
                     qPrintable(f.errorString()));
        return 1;
    }
    const QByteArray bytes = f.readAll();
    Decoded_Bank d;
    QString reason;
    if (!Decode_Bank(bytes, d, &reason)) {
        std::fprintf(stderr, "dravian-cli: %s: %s\n", qPrintable(QDir::toNativeSeparators(file)),
                     qPrintable(reason));
        return 1;
    }
    const QList<Section> sections = Dump(file, d, int(bytes.size()));
    const QByteArray out = json ? Render_Json(sections, d.has_tables) : Render_Text(sections);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fflush(stdout);
    if (d.has_parameters && !d.Checksum_Ok()) {
        std::fprintf(stderr, "dravian-cli: %s: the checksum does not match the parameter block\n",
                     qPrintable(QDir::toNativeSeparators(file)));
        return 1;
    }
    return 0;
}
