#include "image/Config_Image.h"

#include "common/Comon_State.h"
#include "common/Decimal_Number.h"

#include <cstring>

namespace USaveBincc {

void Parameter_Block::Reset() {
    *this = Parameter_Block{};
    ip_address = {192, 168, 2, 205};
    subnet_mask = {255, 255, 255, 0};
    gateway = {255, 255, 255, 255};
    mtcp_port = 10001;
    console_port = 10001;
    addresses = Standard_Addresses;
}

void Config_Image::Reset() {
    rules.fill(Rule_Entry{});
    functions.fill(Function_Entry{});
    devices.fill(0);
    parameters.Reset();
}

quint32 Parameter_Checksum(const char* block) {
    quint32 sum = 0;
    for (int i = 0; i < Par::Checksum; ++i)
        sum += quint8(block[i]);
    return sum;
}

quint32 Rule_Entry::Key_Word() const {
    // Unsigned arithmetic: the fields are added as 32-bit patterns, carries included.
    return quint32(instance) + (quint32(channel) << 8) + (quint32(type) << 14) + (quint32(sensor) << 18) +
           (quint32(event) << 19) + (quint32(two_byte) << 29);
}

void Write_Rule_Table(const Config_Image& image, char* out) {
    for (const Rule_Entry& r : image.rules) {
        Put_U32(out + 0, r.Key_Word());
        Put_U32(out + 4, r.time_send);
        Put_U32(out + 8, r.time_out);
        Put_U16(out + 12, r.position);
        out[14] = char(r.command);
        Put_U32(out + 16, r.function);
        out += Rule_Entry_Size;
    }
}

void Write_Function_Table(const Config_Image& image, char* out) {
    for (const Function_Entry& f : image.functions) {
        out[0] = char(f.next_function);
        out[1] = char(f.function);
        out[2] = char(f.condition);
        quint32 bits;
        static_assert(sizeof(bits) == sizeof(f.value));
        std::memcpy(&bits, &f.value, sizeof bits);
        Put_U32(out + 4, bits);
        out[8] = char(f.channel);
        out[9] = char(f.brightness);
        out += Function_Entry_Size;
    }
}

void Write_Device_Table(const Config_Image& image, char* out) {
    for (int i = 0; i < Device_Words; ++i)
        Put_U16(out + Device_Words_Offset + 2 * i, image.devices[size_t(i)]);
}

void Write_Parameter_Block(const Parameter_Block& p, const Address_Set& a, char* out) {
    for (const Fixed_Field& f : Fixed_Fields) {
        if (f.size == 4)
            Put_U32(out + f.offset, f.value);
        else if (f.size == 2)
            Put_U16(out + f.offset, quint16(f.value));
        else
            out[f.offset] = char(f.value);
    }
    for (int i = 0; i < 4; ++i) {
        out[Par::IP_Address + i] = char(p.ip_address[size_t(i)]);
        out[Par::Subnet_Mask + i] = char(p.subnet_mask[size_t(i)]);
        out[Par::Gateway + i] = char(p.gateway[size_t(i)]);
    }
    Put_U16(out + Par::MTCP_Port, p.mtcp_port);
    Put_U16(out + Par::Console_Port, p.console_port);
    out[Par::Option_Byte] = char(p.option_byte);
    Put_U32(out + Par::Position_Count, p.position_count);
    Put_U32(out + Par::Device_Table_Address, a.device_table);
    Put_U32(out + Par::Rule_Count, p.rule_count);
    Put_U32(out + Par::Rule_Table_Address, a.rule_table);
    Put_U32(out + Par::Function_Table_Address, a.function_table);
    std::memcpy(out + Par::Version_Text, p.version_text.data(), p.version_text.size());
    Put_U32(out + Par::Web_Files_Address, a.web_files);
    Put_U32(out + Par::DALI_Timeout, p.dali_timeout);
    Put_U32(out + Par::DALI_Options, p.dali_options);
    Put_U32(out + Par::Checksum, Parameter_Checksum(out));
}

void Serialise_Image(const Config_Image& image, Bank_Buffers& out) {
    out.bank = QByteArray(Bank_Size, '\0');
    char* b = out.bank.data();
    Write_Rule_Table(image, b + Bank_Rules_At);
    Write_Function_Table(image, b + Bank_Functions_At);
    Write_Parameter_Block(image.parameters, Standard_Addresses, b + Bank_Parameters_At);
    Write_Device_Table(image, b + Bank_Devices_At);

    out.esp32_1 = QByteArray(ESP32_1_Size, '\0');
    Write_Parameter_Block(image.parameters, ESP32_Addresses, out.esp32_1.data());

    // The tables are the same bytes in both images.
    out.esp32_2 = QByteArray(ESP32_2_Size, '\0');
    char* e = out.esp32_2.data();
    std::memcpy(e + ESP32_2_Rules_At, b + Bank_Rules_At, Rule_Table_Size + Function_Table_Size);
    std::memcpy(e + ESP32_2_Devices_At, b + Bank_Devices_At, Device_Table_Size);
}

// ---------------------------------------------------------------------------

namespace {

template <int N> bool Find_Code(const Code_Name (&table)[N], const QString& name, int& code) {
    for (const Code_Name& c : table)
        if (name == QLatin1String(c.name)) {
            code = c.code;
            return true;
        }
    return false;
}

template <int N> int Code_Or_Zero(const Code_Name (&table)[N], const QString& name) {
    int code = 0;
    return Find_Code(table, name, code) ? code : 0;
}

// Whether `marker` occurs in `text`; when it does, `value` is the integer that follows
// it to the end of the text, or `fallback` when that is not an integer.
bool Number_After(const QString& text, QLatin1String marker, int fallback, int& value) {
    const qsizetype at = text.indexOf(marker);
    if (at < 0)
        return false;
    value = UComon::Str_To_Int_Def(text.mid(at + marker.size()), fallback);
    return true;
}

} // namespace

int Function_Code(const QString& name) { return Code_Or_Zero(Function_Codes, name); }
int Condition_Code(const QString& name) { return Code_Or_Zero(Condition_Codes, name); }

int Type_Code(const QString& name, bool sensor) {
    return sensor ? Code_Or_Zero(Sensor_Type_Codes, name) : Code_Or_Zero(Device_Type_Codes, name);
}

int Event_Code(const QString& text) {
    int code = 0;
    if (Find_Code(Button_Events, text, code))
        return code;
    return UComon::Str_To_Int_Def(text, 0);
}

float Function_Value(const QString& text, QChar decimal_separator) {
    int code = 0;
    if (Find_Code(Button_Events, text, code) || Find_Code(NAND_Events, text, code) ||
        Find_Code(AND_Events, text, code))
        return float(code);
    float v = 0.0f;
    return UComon::Text_To_Float(text, decimal_separator, v) ? v : 1.0f;
}

int Channel_Code(const QString& text) {
    int n = 0;
    if (Number_After(text, QLatin1String("DALI Channel "), 0, n))
        return n;
    if (Number_After(text, QLatin1String("DALI Group "), 1, n))
        return int(quint32(n) + 63u); // wraps instead of overflowing; only the low byte is kept
    if (text.contains(QLatin1String("DALI Broadcast")))
        return 80;
    return 0;
}

int Rule_Function_Number(const QString& text) {
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return 0;
    return UComon::Str_To_Int_Def(UComon::Trim(text.left(blank)), 0);
}

const char* Code_Name_Of(const Code_Name* table, int count, int code) {
    for (int i = 0; i < count; ++i)
        if (table[i].code == code)
            return table[i].name;
    return nullptr;
}

QString Target_Name(int code) {
    if (code >= 0 && code <= 63)
        return QStringLiteral("DALI Channel %1").arg(code);
    if (code >= 64 && code <= 79)
        return QStringLiteral("DALI Group %1").arg(code - 63);
    if (code == 80)
        return QStringLiteral("DALI Broadcast");
    return {};
}

} // namespace USaveBincc
