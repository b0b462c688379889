// The communication settings of a project and their file ParGen.xml: twenty
// values, each the text of one child of the root element Par_Gen.
#pragma once

#include "common/Xml_File.h"

#include <QDomDocument>
#include <QString>

#include <array>

namespace UComon {

// Number texts are kept exactly as typed; flags are set or clear. The member
// initialisers are the defaults a reader uses for a missing element, and what
// the window shows for a project without ParGen.xml.
struct TParGen {
    QString MTCPs_IP1 = QStringLiteral("192");
    QString MTCPs_IP2 = QStringLiteral("168");
    QString MTCPs_IP3 = QStringLiteral("0");
    QString MTCPs_IP4 = QStringLiteral("10");
    QString MTCPs_SUB1 = QStringLiteral("255");
    QString MTCPs_SUB2 = QStringLiteral("255");
    QString MTCPs_SUB3 = QStringLiteral("255");
    QString MTCPs_SUB4 = QStringLiteral("0");
    bool MTCPs_EN_GAT = false;
    QString MTCPs_GAT1 = QStringLiteral("192");
    QString MTCPs_GAT2 = QStringLiteral("168");
    QString MTCPs_GAT3 = QStringLiteral("0");
    QString MTCPs_GAT4 = QStringLiteral("1");
    QString MTCPs_PORT = QStringLiteral("502");
    bool Modbus_TCP_Slave_DALI_Map = false;
    QString DALI_CONSOLE_PORT = QStringLiteral("10001");
    bool DALI_SWITCH_OFF = false;
    QString DALI_TIMEOUT = QStringLiteral("0");
    bool DALI_DISABLE_SCAN = false;
    bool DALI_ENABLE_DALI_2 = false;

    bool operator==(const TParGen&) const = default;
};

// One setting: its element name and the member that holds it (a text or a flag).
struct TParGen_Field {
    const char* name;
    QString TParGen::*text; // null for a flag
    bool TParGen::*flag;    // null for a number text
};

inline constexpr int ParGen_Field_Count = 20;

// The twenty settings in the order in which they are written.
const std::array<TParGen_Field, ParGen_Field_Count>& ParGen_Fields();

inline constexpr const char* ParGen_Root_Name = "Par_Gen";
inline constexpr const char* ParGen_File_Name = "ParGen.xml";

// Reads every setting from a loaded document: the first element is the root,
// each value is the text of the root's first child of that exact name; a
// missing element gives that setting's default. Only the text "1" sets a flag.
TParGen Read_ParGen(const QDomDocument& doc);

// Loads `path` into `doc` and reads it. Unless the result is Ok, `values` holds
// the defaults; for Unreadable and Not_Well_Formed `reason` says why.
Xml_Load_Result Load_ParGen(const QString& path, QDomDocument& doc, TParGen& values,
                            QString* reason = nullptr);
Xml_Load_Result Load_ParGen(const QString& path, TParGen& values, QString* reason = nullptr);

// Replaces everything `doc` held with the file's layout: root Par_Gen, the
// version comment after it, then the twenty children in order.
void Build_ParGen_Document(QDomDocument& doc, const TParGen& values);

// Builds the document and writes it atomically: on failure the previous file
// is untouched and `reason` says why.
bool Save_ParGen(const QString& path, QDomDocument& doc, const TParGen& values, QString* reason = nullptr);
bool Save_ParGen(const QString& path, const TParGen& values, QString* reason = nullptr);

} // namespace UComon
