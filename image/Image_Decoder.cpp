#include "image/Image_Decoder.h"

#include <algorithm>
#include <cstring>

namespace USaveBincc {

const char* Bank_Kind_File(Bank_Kind kind) {
    switch (kind) {
    case Bank_Kind::Standard:
        return Bank_File;
    case Bank_Kind::ESP32_Parameters:
        return ESP32_1_File;
    case Bank_Kind::ESP32_Tables:
        return ESP32_2_File;
    }
    return "";
}

void Read_Parameter_Block(const char* b, Parameter_Block& p) {
    p = Parameter_Block{};
    for (size_t i = 0; i < 4; ++i) {
        p.ip_address[i] = quint8(b[Par::IP_Address + int(i)]);
        p.subnet_mask[i] = quint8(b[Par::Subnet_Mask + int(i)]);
        p.gateway[i] = quint8(b[Par::Gateway + int(i)]);
    }
    p.mtcp_port = Get_U16(b + Par::MTCP_Port);
    p.console_port = Get_U16(b + Par::Console_Port);
    p.option_byte = quint8(b[Par::Option_Byte]);
    p.position_count = Get_U32(b + Par::Position_Count);
    p.rule_count = Get_U32(b + Par::Rule_Count);
    p.addresses.rule_table = Get_U32(b + Par::Rule_Table_Address);
    p.addresses.function_table = Get_U32(b + Par::Function_Table_Address);
    p.addresses.device_table = Get_U32(b + Par::Device_Table_Address);
    p.addresses.web_files = Get_U32(b + Par::Web_Files_Address);
    std::memcpy(p.version_text.data(), b + Par::Version_Text, p.version_text.size());
    p.dali_timeout = Get_U32(b + Par::DALI_Timeout);
    p.dali_options = Get_U32(b + Par::DALI_Options);
}

Rule_Entry Read_Rule_Entry(const char* e) {
    Rule_Entry r;
    const quint32 key = Get_U32(e);
    r.instance = qint32(key & 0xFF);
    r.channel = qint32((key >> 8) & 0x3F);
    r.type = qint32((key >> 14) & 0xF);
    r.sensor = qint32((key >> 18) & 0x1);
    r.event = qint32((key >> 19) & 0x3FF);
    r.two_byte = qint32((key >> 29) & 0x1);
    r.time_send = Get_U32(e + 4);
    r.time_out = Get_U32(e + 8);
    r.position = Get_U16(e + 12);
    r.command = quint8(e[14]);
    r.function = Get_U32(e + 16);
    return r;
}

Function_Entry Read_Function_Entry(const char* e) {
    Function_Entry f;
    f.next_function = quint8(e[0]);
    f.function = quint8(e[1]);
    f.condition = quint8(e[2]);
    const quint32 bits = Get_U32(e + 4);
    std::memcpy(&f.value, &bits, sizeof bits);
    f.channel = quint8(e[8]);
    f.brightness = quint8(e[9]);
    return f;
}

void Read_Device_Table(const char* t, std::array<quint16, Device_Words>& devices) {
    for (int i = 0; i < Device_Words; ++i)
        devices[size_t(i)] = Get_U16(t + Device_Words_Offset + 2 * i);
}

namespace {

bool All_Zero(const char* p, int n) {
    for (int i = 0; i < n; ++i)
        if (p[i])
            return false;
    return true;
}

// Collects reserved bytes that are not zero as ranges of file offsets.
struct Reserved_Scan {
    const QByteArray& bytes;
    QList<Byte_Range>& out;
    void Check(int first, int count) {
        const char* p = bytes.constData();
        for (int i = first; i < first + count; ++i) {
            if (!p[i])
                continue;
            if (!out.isEmpty() && out.last().last == i - 1)
                out.last().last = i;
            else
                out.append({i, i});
        }
    }
};

// Bytes of the parameter block that its fields set.
std::array<bool, Parameter_Block_Size> Parameter_Field_Bytes() {
    std::array<bool, Parameter_Block_Size> used{};
    auto mark = [&used](int offset, int size) {
        for (int i = 0; i < size; ++i)
            used[size_t(offset + i)] = true;
    };
    for (const Fixed_Field& f : Fixed_Fields)
        mark(f.offset, f.size);
    mark(Par::IP_Address, 4);
    mark(Par::Subnet_Mask, 4);
    mark(Par::Gateway, 4);
    mark(Par::MTCP_Port, 2);
    mark(Par::Console_Port, 2);
    mark(Par::Option_Byte, 1);
    mark(Par::Position_Count, 4);
    mark(Par::Device_Table_Address, 4);
    mark(Par::Rule_Count, 4);
    mark(Par::Rule_Table_Address, 4);
    mark(Par::Function_Table_Address, 4);
    mark(Par::Version_Text, 8);
    mark(Par::Web_Files_Address, 4);
    mark(Par::DALI_Timeout, 4);
    mark(Par::DALI_Options, 4);
    mark(Par::Checksum, 4);
    return used;
}

quint32 Fixed_Value_At(const char* block, const Fixed_Field& f) {
    if (f.size == 4)
        return Get_U32(block + f.offset);
    if (f.size == 2)
        return Get_U16(block + f.offset);
    return quint8(block[f.offset]);
}

void Decode_Parameters(const QByteArray& bytes, int at, Decoded_Bank& out, Reserved_Scan& scan) {
    const char* b = bytes.constData() + at;
    out.has_parameters = true;
    Read_Parameter_Block(b, out.image.parameters);
    out.checksum = Get_U32(b + Par::Checksum);
    out.expected_checksum = Parameter_Checksum(b);
    for (const Fixed_Field& f : Fixed_Fields)
        if (Fixed_Value_At(b, f) != f.value)
            out.fixed_differs.append(f.offset);
    static const std::array<bool, Parameter_Block_Size> used = Parameter_Field_Bytes();
    for (int i = 0; i < Parameter_Block_Size; ++i)
        if (!used[size_t(i)])
            scan.Check(at + i, 1);
}

void Decode_Tables(const QByteArray& bytes, int rules_at, int functions_at, int devices_at, Decoded_Bank& out,
                   Reserved_Scan& scan) {
    const char* p = bytes.constData();
    out.has_tables = true;
    int last_rule = -1;
    for (int i = 0; i < Rule_Entries; ++i) {
        const char* e = p + rules_at + i * Rule_Entry_Size;
        out.key_words[size_t(i)] = Get_U32(e);
        out.image.rules[size_t(i)] = Read_Rule_Entry(e);
        scan.Check(rules_at + i * Rule_Entry_Size + 15, 1);
        if (!All_Zero(e, Rule_Entry_Size))
            last_rule = i;
    }
    out.used_rules = last_rule + 1;

    int last_function = 0;
    scan.Check(functions_at, Function_Entry_Size); // entry 0 is reserved
    for (int k = 0; k < Function_Entries; ++k) {
        const int at = functions_at + k * Function_Entry_Size;
        out.image.functions[size_t(k)] = Read_Function_Entry(p + at);
        if (k == 0)
            continue;
        scan.Check(at + 3, 1);
        scan.Check(at + 10, 2);
        if (!All_Zero(p + at, Function_Entry_Size))
            last_function = k;
    }
    out.used_functions = last_function;

    Read_Device_Table(p + devices_at, out.image.devices);
    scan.Check(devices_at, Device_Words_Offset);
    scan.Check(devices_at + Device_Words_Offset + 2 * Device_Words,
               Device_Table_Size - Device_Words_Offset - 2 * Device_Words);
}

} // namespace

bool Decode_Bank(const QByteArray& bytes, Decoded_Bank& out, QString* reason) {
    out = Decoded_Bank{};
    int parameters_at = -1;
    switch (bytes.size()) {
    case Bank_Size:
        out.kind = Bank_Kind::Standard;
        parameters_at = Bank_Parameters_At;
        break;
    case ESP32_1_Size:
        out.kind = Bank_Kind::ESP32_Parameters;
        parameters_at = 0;
        break;
    case ESP32_2_Size:
        out.kind = Bank_Kind::ESP32_Tables;
        break;
    default:
        if (reason)
            *reason = QStringLiteral("not a bank file: %1 bytes, where a bank file has %2, %3 or %4")
                          .arg(bytes.size())
                          .arg(Bank_Size)
                          .arg(ESP32_1_Size)
                          .arg(ESP32_2_Size);
        return false;
    }
    if (parameters_at >= 0) {
        const char* b = bytes.constData() + parameters_at;
        if (Get_U32(b + Fixed_Fields[0].offset) != Fixed_Fields[0].value ||
            Get_U32(b + Fixed_Fields[1].offset) != Fixed_Fields[1].value) {
            if (reason)
                *reason = QStringLiteral("not a bank file: the parameter block at offset 0x%1 does not start "
                                         "with its fixed values")
                              .arg(parameters_at, 4, 16, QLatin1Char('0'));
            return false;
        }
    }

    Reserved_Scan scan{bytes, out.reserved_not_zero};
    switch (out.kind) {
    case Bank_Kind::Standard:
        Decode_Tables(bytes, Bank_Rules_At, Bank_Functions_At, Bank_Devices_At, out, scan);
        Decode_Parameters(bytes, Bank_Parameters_At, out, scan);
        // Entries counted as in use are in use even when all their fields are 0.
        out.used_rules =
            qMax(out.used_rules, int(qMin<quint32>(out.image.parameters.rule_count, Rule_Entries)));
        break;
    case Bank_Kind::ESP32_Parameters:
        Decode_Parameters(bytes, 0, out, scan);
        break;
    case Bank_Kind::ESP32_Tables:
        Decode_Tables(bytes, ESP32_2_Rules_At, ESP32_2_Functions_At, ESP32_2_Devices_At, out, scan);
        break;
    }
    std::sort(out.reserved_not_zero.begin(), out.reserved_not_zero.end(),
              [](const Byte_Range& a, const Byte_Range& b) { return a.first < b.first; });
    return true;
}

} // namespace USaveBincc
