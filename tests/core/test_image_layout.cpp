// The bytes of the bank files, checked against hand-computed values: every field at
// its offset, and every other byte 0.
#include "test_image_helpers.h"

#include "image/Config_Image.h"

#include <QSet>

using namespace USaveBincc;
using image_test::Hex;

namespace {

struct Byte_Case {
    const char* what;
    int offset; // within its section
    const char* bytes;
};

// Checks the cases at `base` in `file` and marks their bytes as seen.
void Expect_Cases(const QByteArray& file, int base, std::initializer_list<Byte_Case> cases, QSet<int>& seen,
                  const char* file_name) {
    for (const Byte_Case& c : cases) {
        const QByteArray want = Hex(c.bytes);
        EXPECT_EQ(file.mid(base + c.offset, want.size()).toHex(' '), want.toHex(' '))
            << file_name << ": " << c.what << " at 0x" << std::hex << base + c.offset;
        for (int i = 0; i < want.size(); ++i)
            seen.insert(base + c.offset + i);
    }
}

void Expect_Rest_Zero(const QByteArray& file, const QSet<int>& seen, const char* file_name) {
    for (int i = 0; i < file.size(); ++i)
        if (!seen.contains(i) && file[i] != 0) {
            ADD_FAILURE() << file_name << ": byte at 0x" << std::hex << i << " is 0x" << int(quint8(file[i]))
                          << ", no field sets it";
            return;
        }
}

// The fixture project "full" (tests/data/image/full), compiled by hand.
const std::initializer_list<Byte_Case> Full_Rules = {
    // key: instance 3 + channel 5 << 8 + Push Button 1 << 14 + sensor << 18 + Short Press 2 << 19 + 2 bytes
    // << 29
    {"rule 0", 0, "03 45 14 20  64 00 00 00  D0 07 00 00  07 00  11  00  02 00 00 00"},
    // a device takes the device types ("Push Button" is none: 0) and never the two-byte bit; event 77
    {"rule 1", 20, "FF 3F 68 02  00 E1 F5 05  00 00 00 00  03 00  FF  00  00 00 00 00"},
    // channel 64 carries into the type: Led Lamp 6 becomes 7; time -1; "12" has no blank: function 0
    {"rule 2", 40, "00 C0 01 00  FF FF FF FF  00 00 00 00  00 00  00  00  00 00 00 00"},
    // "push button" is no sensor type (0); Long Press Repeat 11; position -5 stored as 0
    {"rule 3", 60, "00 01 5C 00  00 00 00 00  00 00 00 00  00 00  00  00  04 00 00 00"},
};
const std::initializer_list<Byte_Case> Full_Functions = {
    {"function 1", 12 * 1, "02 11 01 00  00 00 00 40  4F FE 00 00"}, // Set Out, Short Press 2.0, Group 16
    {"function 2", 12 * 2, "00 12 04 00  00 00 00 40  50 2C 00 00"}, // Occupied 2.0, broadcast, Val 300 -> 44
    {"function 3", 12 * 3, "00 16 07 00  00 00 00 40  3F 00 00 00"}, // Vacant 2.0, Channel 63
    {"function 4", 12 * 4, "01 00 03 00  00 00 48 41  05 0A 00 00"}, // "multiplication" -> 0, 12,5 -> 12.5
    {"function 5", 12 * 5, "00 02 00 00  00 00 48 41  00 00 00 00"}, // 12.5
    {"function 6", 12 * 6, "00 14 00 00  00 00 80 3F  40 00 00 00"}, // empty Value 1.0, "DALI Group x" 64
    {"function 7", 12 * 7, "00 15 08 00  00 00 80 3F  40 00 00 00"}, // no Value attribute 1.0
    {"function 8", 12 * 8, "07 04 06 00  00 00 C0 40  00 01 00 00"}, // Still Occupied 6.0
};
const std::initializer_list<Byte_Case> Fixed_Values = {
    {"125000, 125000, 0, 9600, 8", 0x000, "48 E8 01 00  48 E8 01 00  00 00 00 00  80 25 00 00  08 00"},
    {"38400", 0x194, "00 96 00 00"},
    {"1", 0x1AF, "01"},
    {"eight 8", 0x1B4, "08 08 08 08 08 08 08 08"},
    {"3671", 0x1CC, "57 0E"},
    {"50000, 50001, 50002", 0x1D4, "50 C3 51 C3 52 C3"},
    {"512", 0x1DE, "00 02"},
    {"6000, 100", 0x768, "70 17 00 00  64 00 00 00"},
};
const std::initializer_list<Byte_Case> Full_Parameters = {
    // IP 10.1.2.300 -> 44, mask, gateway enabled, 10000 fixed, port 1502, console 10003
    {"addresses and ports", 0x028, "0A 01 02 2C  FF FF 00 00  0A 01 00 FE  10 27  DE 05  13 27"},
    {"option byte", 0x062, "01"},
    {"position count", 0x078, "08 00 00 00"},
    {"enabled rule count", 0x628, "04 00 00 00"},
    {"version", 0x66C, "31 2E 35 30 31 00 00 00"},
    {"time-out 70000, scan off + DALI 2", 0x760, "70 11 01 00  00 00 03 00"},
};
const std::initializer_list<Byte_Case> Standard_Set = {
    {"device table", 0x5FC, "00 88 06 00"},
    {"rule table", 0x62C, "00 60 06 00"},
    {"function table", 0x640, "00 74 06 00"},
    {"web files", 0x70C, "00 00 0C 00"},
};
const std::initializer_list<Byte_Case> ESP32_Set = {
    {"device table", 0x5FC, "00 20 31 00"},
    {"rule table", 0x62C, "00 00 31 00"},
    {"function table", 0x640, "00 14 31 00"},
    {"web files", 0x70C, "00 00 35 00"},
};
const std::initializer_list<Byte_Case> Full_Devices = {
    {"device 0: enabled, min-max, recall min-max", 4 + 2 * 0, "0C 80"},
    {"device 5: enabled, start break, recall old value", 4 + 2 * 5, "11 80"},
    {"device 12: the first of two elements counts", 4 + 2 * 12, "00 80"},
    {"device 63: min-max only", 4 + 2 * 63, "04 00"},
};

} // namespace

TEST(Image_Layout, FullProjectFieldsAtTheirOffsets) {
    image_test::Project p;
    p.copy_fixture(QStringLiteral("full"));
    const Bank_Buffers b = p.build();
    ASSERT_EQ(b.bank.size(), 10496);
    ASSERT_EQ(b.esp32_1.size(), 2048);
    ASSERT_EQ(b.esp32_2.size(), 8448);

    QSet<int> seen;
    Expect_Cases(b.bank, 0x0000, Full_Rules, seen, "bank.bin");
    Expect_Cases(b.bank, 0x1400, Full_Functions, seen, "bank.bin");
    Expect_Cases(b.bank, 0x2000, Fixed_Values, seen, "bank.bin");
    Expect_Cases(b.bank, 0x2000, Full_Parameters, seen, "bank.bin");
    Expect_Cases(b.bank, 0x2000, Standard_Set, seen, "bank.bin");
    Expect_Cases(b.bank, 0x2000, {{"checksum", 0x7FC, "09 10 00 00"}}, seen, "bank.bin");
    Expect_Cases(b.bank, 0x2800, Full_Devices, seen, "bank.bin");
    Expect_Rest_Zero(b.bank, seen, "bank.bin");

    seen.clear();
    Expect_Cases(b.esp32_1, 0, Fixed_Values, seen, "bank_ESP32_1.bin");
    Expect_Cases(b.esp32_1, 0, Full_Parameters, seen, "bank_ESP32_1.bin");
    Expect_Cases(b.esp32_1, 0, ESP32_Set, seen, "bank_ESP32_1.bin");
    Expect_Cases(b.esp32_1, 0, {{"checksum", 0x7FC, "8B 0F 00 00"}}, seen, "bank_ESP32_1.bin");
    Expect_Rest_Zero(b.esp32_1, seen, "bank_ESP32_1.bin");

    seen.clear();
    Expect_Cases(b.esp32_2, 0x0000, Full_Rules, seen, "bank_ESP32_2.bin");
    Expect_Cases(b.esp32_2, 0x1400, Full_Functions, seen, "bank_ESP32_2.bin");
    Expect_Cases(b.esp32_2, 0x2000, Full_Devices, seen, "bank_ESP32_2.bin");
    Expect_Rest_Zero(b.esp32_2, seen, "bank_ESP32_2.bin");
}

TEST(Image_Layout, ProjectWithoutFilesGivesTheDefaultImage) {
    image_test::Project p; // folder with an empty bin, no project file
    const Bank_Buffers b = p.build();
    ASSERT_TRUE(b.Complete());
    const std::initializer_list<Byte_Case> defaults = {
        // 192.168.2.205, 255.255.255.0, no gateway, 10000 fixed, both ports 10001
        {"addresses and ports", 0x028, "C0 A8 02 CD  FF FF FF 00  FF FF FF FF  10 27  11 27  11 27"},
    };
    QSet<int> seen;
    Expect_Cases(b.bank, 0x2000, Fixed_Values, seen, "bank.bin");
    Expect_Cases(b.bank, 0x2000, defaults, seen, "bank.bin");
    Expect_Cases(b.bank, 0x2000, Standard_Set, seen, "bank.bin");
    Expect_Cases(b.bank, 0x2000, {{"checksum", 0x7FC, "C5 13 00 00"}}, seen, "bank.bin");
    Expect_Rest_Zero(b.bank, seen, "bank.bin"); // tables, version text, counts, options: all 0

    seen.clear();
    Expect_Cases(b.esp32_1, 0, Fixed_Values, seen, "bank_ESP32_1.bin");
    Expect_Cases(b.esp32_1, 0, defaults, seen, "bank_ESP32_1.bin");
    Expect_Cases(b.esp32_1, 0, ESP32_Set, seen, "bank_ESP32_1.bin");
    Expect_Cases(b.esp32_1, 0, {{"checksum", 0x7FC, "47 13 00 00"}}, seen, "bank_ESP32_1.bin");
    Expect_Rest_Zero(b.esp32_1, seen, "bank_ESP32_1.bin");
    EXPECT_EQ(b.esp32_2, QByteArray(8448, '\0'));
}

TEST(Image_Layout, AddressSetsDifferInFourFieldsAndTheChecksumOnly) {
    image_test::Project p;
    p.copy_fixture(QStringLiteral("full"));
    const Bank_Buffers b = p.build();
    const QByteArray standard = b.bank.mid(0x2000, 2048);
    QList<int> differ;
    for (int i = 0; i < 2048; ++i)
        if (standard[i] != b.esp32_1[i])
            differ << i;
    // Within each field only the bytes that differ between the two addresses change.
    const QList<int> want = {0x5FD, 0x5FE, 0x62D, 0x62E, 0x640 + 1, 0x640 + 2, 0x70E, 0x7FC, 0x7FD};
    EXPECT_EQ(differ, want);
    // The tables are the same bytes in both images.
    EXPECT_EQ(b.esp32_2.left(0x2000), b.bank.left(0x2000));
    EXPECT_EQ(b.esp32_2.mid(0x2000), b.bank.mid(0x2800));
}

TEST(Image_Layout, ChecksumIsTheByteSumOfTheBlock) {
    // Every byte 0xFF up to the checksum: 2044 * 255; the checksum's own bytes do not count.
    QByteArray block(2048, char(0xFF));
    EXPECT_EQ(Parameter_Checksum(block.constData()), 2044u * 255u);
    block[0x7FB] = 0;
    block[0x7FC] = 0x12;
    EXPECT_EQ(Parameter_Checksum(block.constData()), 2043u * 255u);
}

TEST(Image_Layout, KeyWordFieldsAreAddedNotMasked) {
    struct {
        Rule_Entry r;
        quint32 key;
    } cases[] = {
        {{.instance = 255, .channel = 63, .type = 15, .sensor = 1, .event = 1023, .two_byte = 1}, 0x3FFFFFFF},
        {{.instance = 256}, 0x00000100},              // into the channel
        {{.channel = 64}, 0x00004000},                // into the type
        {{.type = 16}, 0x00040000},                   // into the sensor bit
        {{.event = 1024}, 0x20000000},                // into the two-byte bit
        {{.event = 2048, .two_byte = 1}, 0x60000000}, // bits 30-31 set by a carry
        {{.instance = -1}, 0xFFFFFFFF},               // a negative number as its 32-bit pattern
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.r.Key_Word(), c.key) << std::hex << c.key;
}
