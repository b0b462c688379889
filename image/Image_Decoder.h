// Reading bank files back into the fields of the configuration image: for the
// technician's dump and for anything that plays the converter.
#pragma once

#include "image/Config_Image.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace USaveBincc {

enum class Bank_Kind { Standard, ESP32_Parameters, ESP32_Tables };

// "bank.bin", "bank_ESP32_1.bin", "bank_ESP32_2.bin".
const char* Bank_Kind_File(Bank_Kind kind);

// Sections read from their bytes. Rule_Entry gets its key-word fields by their bits,
// so a key word whose fields carried over its bits reads back as those bits.
void Read_Parameter_Block(const char* block, Parameter_Block& p);
Rule_Entry Read_Rule_Entry(const char* entry);
Function_Entry Read_Function_Entry(const char* entry);
void Read_Device_Table(const char* table, std::array<quint16, Device_Words>& devices);

struct Byte_Range {
    int first; // offsets in the file, inclusive
    int last;
};

struct Decoded_Bank {
    Bank_Kind kind = Bank_Kind::Standard;
    bool has_parameters = false;
    bool has_tables = false;

    // The fields as the file holds them (the parameter block with the addresses found).
    Config_Image image;
    std::array<quint32, Rule_Entries> key_words{};

    quint32 checksum = 0;          // as stored
    quint32 expected_checksum = 0; // sum of the block's bytes
    bool Checksum_Ok() const { return checksum == expected_checksum; }
    QList<int> fixed_differs;            // parameter-block offsets of fixed values that differ
    QList<Byte_Range> reserved_not_zero; // bytes that no field sets but are not 0

    int used_rules = 0;     // entries 0 .. used_rules-1
    int used_functions = 0; // entries 1 .. used_functions
};

// Decodes a bank file, its kind told by its size. False with a reason for a file of
// another size, or whose parameter block does not carry its fixed leading values.
bool Decode_Bank(const QByteArray& bytes, Decoded_Bank& out, QString* reason = nullptr);

} // namespace USaveBincc
