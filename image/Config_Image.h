// The configuration image that the converter loads: its four sections, the codes
// into which the DALI-2 editor's names are turned, and the three bank files.
// Every number is little-endian; every byte that no field sets is 0.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

#include <array>
#include <cstdint>

namespace USaveBincc {

// ---------------------------------------------------------------------------
// Sizes and addresses

inline constexpr int Rule_Entries = 256;
inline constexpr int Rule_Entry_Size = 20;
inline constexpr int Function_Entries = 256; // entry 0 is the null function
inline constexpr int Function_Entry_Size = 12;
inline constexpr int Device_Words = 81; // 64 channels, 16 groups, broadcast

inline constexpr int Rule_Table_Size = Rule_Entries * Rule_Entry_Size;             // 5120
inline constexpr int Function_Table_Size = Function_Entries * Function_Entry_Size; // 3072
inline constexpr int Parameter_Block_Size = 2048;
inline constexpr int Device_Table_Size = 256;
inline constexpr int Device_Words_Offset = 4; // in the device table

inline constexpr int Bank_Size =
    Rule_Table_Size + Function_Table_Size + Parameter_Block_Size + Device_Table_Size;
inline constexpr int ESP32_1_Size = Parameter_Block_Size;
inline constexpr int ESP32_2_Size = Rule_Table_Size + Function_Table_Size + Device_Table_Size;
static_assert(Bank_Size == 10496 && ESP32_1_Size == 2048 && ESP32_2_Size == 8448);

// Offsets of the sections in the bank files.
inline constexpr int Bank_Rules_At = 0;
inline constexpr int Bank_Functions_At = Rule_Table_Size;
inline constexpr int Bank_Parameters_At = Rule_Table_Size + Function_Table_Size;
inline constexpr int Bank_Devices_At = Bank_Parameters_At + Parameter_Block_Size;
inline constexpr int ESP32_2_Rules_At = 0;
inline constexpr int ESP32_2_Functions_At = Rule_Table_Size;
inline constexpr int ESP32_2_Devices_At = Rule_Table_Size + Function_Table_Size;

inline constexpr const char* Bank_File = "bank.bin";
inline constexpr const char* ESP32_1_File = "bank_ESP32_1.bin";
inline constexpr const char* ESP32_2_File = "bank_ESP32_2.bin";

// Memory addresses of the first byte of each bank file (the update job names them).
inline constexpr quint32 Bank_Address = 0x66000;
inline constexpr quint32 ESP32_1_Address = 0x09000;
inline constexpr quint32 ESP32_2_Address = 0x310000;

// The table addresses that the parameter block carries.
struct Address_Set {
    quint32 rule_table = 0;
    quint32 function_table = 0;
    quint32 device_table = 0;
    quint32 web_files = 0;
    friend constexpr bool operator==(const Address_Set&, const Address_Set&) = default;
};
inline constexpr Address_Set Standard_Addresses{0x66000, 0x67400, 0x68800, 0xC0000};
inline constexpr Address_Set ESP32_Addresses{0x310000, 0x311400, 0x312000, 0x350000};

// ---------------------------------------------------------------------------
// Parameter block

namespace Par {
inline constexpr int IP_Address = 0x028;
inline constexpr int Subnet_Mask = 0x02C;
inline constexpr int Gateway = 0x030;
inline constexpr int MTCP_Port = 0x036;
inline constexpr int Console_Port = 0x038;
inline constexpr int Option_Byte = 0x062;
inline constexpr int Position_Count = 0x078;
inline constexpr int Device_Table_Address = 0x5FC;
inline constexpr int Rule_Count = 0x628;
inline constexpr int Rule_Table_Address = 0x62C;
inline constexpr int Function_Table_Address = 0x640;
inline constexpr int Version_Text = 0x66C; // 8 bytes
inline constexpr int Web_Files_Address = 0x70C;
inline constexpr int DALI_Timeout = 0x760;
inline constexpr int DALI_Options = 0x764;
inline constexpr int Checksum = 0x7FC;
} // namespace Par

inline constexpr quint8 Option_Map_DALI_Devices = 0x01;
inline constexpr quint32 DALI_Option_Scan_Disabled = 0x10000;
inline constexpr quint32 DALI_Option_DALI_2 = 0x20000;

// Values that every parameter block carries, whatever the project holds.
struct Fixed_Field {
    int offset;
    int size;
    quint32 value;
};
inline constexpr Fixed_Field Fixed_Fields[] = {
    {0x000, 4, 125000}, {0x004, 4, 125000}, {0x00C, 4, 9600},  {0x010, 2, 8},     {0x034, 2, 10000},
    {0x194, 4, 38400},  {0x1AF, 1, 1},      {0x1B4, 1, 8},     {0x1B5, 1, 8},     {0x1B6, 1, 8},
    {0x1B7, 1, 8},      {0x1B8, 1, 8},      {0x1B9, 1, 8},     {0x1BA, 1, 8},     {0x1BB, 1, 8},
    {0x1CC, 2, 3671},   {0x1D4, 2, 50000},  {0x1D6, 2, 50001}, {0x1D8, 2, 50002}, {0x1DE, 2, 512},
    {0x768, 4, 6000},   {0x76C, 4, 100},
};

// The fields of the parameter block that a project sets.
struct Parameter_Block {
    std::array<quint8, 4> ip_address{};
    std::array<quint8, 4> subnet_mask{};
    std::array<quint8, 4> gateway{};
    quint16 mtcp_port = 0;
    quint16 console_port = 0;
    quint8 option_byte = 0;
    quint32 position_count = 0;
    quint32 rule_count = 0;
    Address_Set addresses;
    std::array<char, 8> version_text{};
    quint32 dali_timeout = 0;
    quint32 dali_options = 0;

    // The values of a project without communication settings, standard addresses.
    void Reset();
};

// Sum of the bytes 0x000..0x7FB of a parameter block.
quint32 Parameter_Checksum(const char* block);

// ---------------------------------------------------------------------------
// Rule and function entries, device words

struct Rule_Entry {
    // The six fields of the key word. They are added, each shifted to its place, so a
    // value wider than its bits carries into the next field.
    qint32 instance = 0;   // bits 0-7
    qint32 channel = 0;    // bits 8-13
    qint32 type = 0;       // bits 14-17
    qint32 sensor = 0;     // bit 18
    qint32 event = 0;      // bits 19-28
    qint32 two_byte = 0;   // bit 29
    quint32 time_send = 0; // ms
    quint32 time_out = 0;  // ms
    quint16 position = 0;
    quint8 command = 0;
    quint32 function = 0;

    quint32 Key_Word() const;
};

struct Function_Entry {
    quint8 next_function = 0;
    quint8 function = 0;
    quint8 condition = 0;
    float value = 0.0f;
    quint8 channel = 0;
    quint8 brightness = 0;
};

inline constexpr quint16 Device_Enabled = 0x8000;
inline constexpr quint16 Device_Start_Break = 0x0001;
inline constexpr quint16 Device_Min_Max_Value = 0x0004;
inline constexpr quint16 Device_Recall_Min_Max = 0x0008;
inline constexpr quint16 Device_Recall_Old_Value = 0x0010;

// ---------------------------------------------------------------------------
// The whole image and its bank files

struct Config_Image {
    std::array<Rule_Entry, Rule_Entries> rules{};
    std::array<Function_Entry, Function_Entries> functions{};
    Parameter_Block parameters;
    std::array<quint16, Device_Words> devices{};

    void Reset();
};

struct Bank_Buffers {
    QByteArray bank;    // rule table, function table, parameter block, device table
    QByteArray esp32_1; // parameter block with the ESP32 addresses
    QByteArray esp32_2; // rule table, function table, device table

    bool Complete() const {
        return bank.size() == Bank_Size && esp32_1.size() == ESP32_1_Size && esp32_2.size() == ESP32_2_Size;
    }
    void Clear() {
        bank.clear();
        esp32_1.clear();
        esp32_2.clear();
    }
};

// Writing the sections into memory that the caller has zeroed.
void Write_Rule_Table(const Config_Image& image, char* out);
void Write_Function_Table(const Config_Image& image, char* out);
void Write_Device_Table(const Config_Image& image, char* out);
// The block with the given table addresses, its checksum computed over it.
void Write_Parameter_Block(const Parameter_Block& p, const Address_Set& addresses, char* out);

// The three bank files: the standard image with the standard addresses and the two
// ESP32 images with the ESP32 addresses (the image's own address set is not used).
void Serialise_Image(const Config_Image& image, Bank_Buffers& out);

// Little-endian access to a byte buffer.
inline void Put_U16(char* p, quint16 v) {
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}
inline void Put_U32(char* p, quint32 v) {
    p[0] = char(v & 0xFF);
    p[1] = char((v >> 8) & 0xFF);
    p[2] = char((v >> 16) & 0xFF);
    p[3] = char(v >> 24);
}
inline quint16 Get_U16(const char* p) { return quint16(quint8(p[0]) | (quint8(p[1]) << 8)); }
inline quint32 Get_U32(const char* p) {
    return quint32(quint8(p[0])) | (quint32(quint8(p[1])) << 8) | (quint32(quint8(p[2])) << 16) |
           (quint32(quint8(p[3])) << 24);
}

// ---------------------------------------------------------------------------
// Codes. Names are compared whole, exactly, letter case included, with the English
// names of the DALI-2 editor's lists, whatever the language of the user interface.

struct Code_Name {
    const char* name;
    int code;
};

inline constexpr Code_Name Function_Codes[] = {
    {"Function Null", 0}, {"Multiplication", 1}, {"Division", 2},   {"Addition", 3},
    {"Subtraction", 4},   {"Set Out", 17},       {"Dim Up", 18},    {"Dim Down", 19},
    {"Toggle", 20},       {"Ramp Start", 21},    {"Ramp Stop", 22},
};

inline constexpr Code_Name Condition_Codes[] = {
    {"No Condition", 0},          {"When Equal to Value", 1},   {"When Lower to Value", 2},
    {"When Greater to Value", 3}, {"AND Logic with Value", 4},  {"OR Logic with Value", 5},
    {"XOR Logic with Value", 6},  {"NAND Logic with Value", 7}, {"NOR Logic with Value", 8},
};
inline constexpr int Condition_When_Equal = 1;
inline constexpr int Condition_AND = 4;
inline constexpr int Condition_NAND = 7;

inline constexpr Code_Name Sensor_Type_Codes[] = {
    {"Generic Input", 0}, {"Push Button", 1},  {"Absolute Input", 2}, {"Occupancy Sensor", 3},
    {"Light Sensor", 4},  {"Color Sensor", 5}, {"Relative Input", 6},
};

inline constexpr Code_Name Device_Type_Codes[] = {
    {"Fluorescent Lamp", 0}, {"Emergency Lamp", 1},  {"High Voltage Discharge", 2},
    {"Alogen Lamp", 3},      {"Dimmer", 4},          {"Converter", 5},
    {"Led Lamp", 6},         {"Actuator On Off", 7}, {"Color Control", 8},
    {"Sequencer", 9},
};

// Button events: the rule's Event codes, and the Values of functions whose condition
// is "When Equal to Value".
inline constexpr Code_Name Button_Events[] = {
    {"Button Released", 0},  {"Button Pressed", 1},   {"Short Press", 2},
    {"Double Press", 5},     {"Long Press Start", 9}, {"Long Press Repeat", 11},
    {"Long Press Stop", 12}, {"Button Free", 14},     {"Button Stuck", 15},
};
// Occupancy events, by the condition that goes with them.
inline constexpr Code_Name NAND_Events[] = {{"No Movement", 1}, {"Vacant", 2}, {"Presence Sensor", 8}};
inline constexpr Code_Name AND_Events[] = {
    {"Movement", 1}, {"Still Vacant", 4}, {"Occupied", 2}, {"Still Occupied", 6}, {"Movement Sensor", 8},
};

// Name to code: the table's code, or 0 when no name matches.
int Function_Code(const QString& name);
int Condition_Code(const QString& name);
int Type_Code(const QString& name, bool sensor);
// An event name, else the text as an integer, else 0.
int Event_Code(const QString& text);
// An event name's value, else the text as a decimal number with either separator
// (read as the DALI window's check reads it), else 1.
float Function_Value(const QString& text, QChar decimal_separator);
// The DALI target: "DALI Channel n" -> n, "DALI Group n" -> n + 63, "DALI Broadcast"
// -> 80, anything else 0 (before truncation to one byte).
int Channel_Code(const QString& text);
// The rule's function number: the integer before the first blank (the editor stores
// "3 - Mnemonic"); 0 when that is not an integer or the text has no blank.
int Rule_Function_Number(const QString& text);

// Code to name: nullptr when the code has no name.
const char* Code_Name_Of(const Code_Name* table, int count, int code);
template <int N> const char* Name_Of(const Code_Name (&table)[N], int code) {
    return Code_Name_Of(table, N, code);
}
// "DALI Channel 5", "DALI Group 3", "DALI Broadcast"; empty for a code above 80.
QString Target_Name(int code);

} // namespace USaveBincc
