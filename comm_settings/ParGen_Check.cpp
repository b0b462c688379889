#include "comm_settings/ParGen_Check.h"

#include "common/Comon_State.h"
#include "texts/Text_Table.h"

#include <QDir>

namespace UComon {

namespace {

// Port of the converter's own UDP application service: no other service may use it.
constexpr int Reserved_Port = 10000;

struct TCheck {
    QString TParGen::*text;
    const char* element;
    int min, max;
    bool not_reserved_port;
    bool TParGen::*only_while; // the check runs only while this flag is set; null: always
    int line;
};

const TCheck Checks[] = {
    {&TParGen::MTCPs_IP1, "MTCPs_IP1", 0, 255, false, nullptr, 411},
    {&TParGen::MTCPs_IP2, "MTCPs_IP2", 0, 255, false, nullptr, 412},
    {&TParGen::MTCPs_IP3, "MTCPs_IP3", 0, 255, false, nullptr, 413},
    {&TParGen::MTCPs_IP4, "MTCPs_IP4", 0, 255, false, nullptr, 414},
    {&TParGen::MTCPs_SUB1, "MTCPs_SUB1", 0, 255, false, nullptr, 415},
    {&TParGen::MTCPs_SUB2, "MTCPs_SUB2", 0, 255, false, nullptr, 416},
    {&TParGen::MTCPs_SUB3, "MTCPs_SUB3", 0, 255, false, nullptr, 417},
    {&TParGen::MTCPs_SUB4, "MTCPs_SUB4", 0, 255, false, nullptr, 418},
    {&TParGen::MTCPs_GAT1, "MTCPs_GAT1", 0, 255, false, &TParGen::MTCPs_EN_GAT, 419},
    {&TParGen::MTCPs_GAT2, "MTCPs_GAT2", 0, 255, false, &TParGen::MTCPs_EN_GAT, 420},
    {&TParGen::MTCPs_GAT3, "MTCPs_GAT3", 0, 255, false, &TParGen::MTCPs_EN_GAT, 421},
    {&TParGen::MTCPs_GAT4, "MTCPs_GAT4", 0, 255, false, &TParGen::MTCPs_EN_GAT, 422},
    {&TParGen::MTCPs_PORT, "MTCPs_PORT", 0, 65535, true, nullptr, 423},
    {&TParGen::DALI_CONSOLE_PORT, "DALI_CONSOLE_PORT", 0, 65535, true, nullptr, 466},
    {&TParGen::DALI_TIMEOUT, "DALI_TIMEOUT", 0, 3600000, false, &TParGen::DALI_SWITCH_OFF, 557},
};

} // namespace

TParGen_Check_Result Check_ParGen(const TParGen& values) {
    for (const TCheck& c : Checks) {
        if (c.only_while && !(values.*c.only_while)) continue;
        const int v = Str_To_Int_Def(values.*c.text, -1);
        if (v >= c.min && v <= c.max && !(c.not_reserved_port && v == Reserved_Port)) continue;
        return {c.line, Default_Text(c.line), c.element};
    }
    return {};
}

TParGen_Check_Result Check_ParGen_File(const QString& path) {
    TParGen values;
    QString reason;
    const Xml_Load_Result r = Load_ParGen(path, values, &reason);
    if (r == Xml_Load_Result::Unreadable || r == Xml_Load_Result::Not_Well_Formed)
        return {904,
                Default_Text(904) + QLatin1Char(' ') + QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                    reason,
                ParGen_File_Name};
    return Check_ParGen(values);
}

} // namespace UComon
