#include "dali/DALI_Tables.h"

using UComon::Cell_Grid;

namespace DALI {

void Init_Device_Grid(Cell_Grid& g) {
    g.Resize(Device_Cols, Device_Count + 1);
    g.Set_Check_Column(DC_Enable, true);
    g.Set_Check_Column(DC_Min_Max, true);
}

void Init_Rule_Grid(Cell_Grid& g) {
    g.Resize(Rule_Cols, Rule_Count + 1);
    g.Set_Check_Column(RC_Enable, true);
}

void Init_Function_Grid(Cell_Grid& g) {
    g.Resize(Function_Cols, Function_Count + 1);
}

const QStringList& Dimming_Modes() {
    static const QStringList l{QStringLiteral("Normal"), QStringLiteral("Start Break")};
    return l;
}

const QStringList& Recall_Levels() {
    static const QStringList l{QStringLiteral("None"), QStringLiteral("Recall Min-Max Level for Switch"),
                               QStringLiteral("Recall Old Value Level for Switch")};
    return l;
}

const QStringList& Dev_Sen_List() {
    static const QStringList l{QStringLiteral("Device"), QStringLiteral("Sensor")};
    return l;
}

const QStringList& Dev_Type_List() {
    static const QStringList l{QStringLiteral("Fluorescent Lamp"),
                               QStringLiteral("Emergency Lamp"),
                               QStringLiteral("High Voltage Discharge"),
                               QStringLiteral("Alogen Lamp"),
                               QStringLiteral("Dimmer"),
                               QStringLiteral("Converter"),
                               QStringLiteral("Led Lamp"),
                               QStringLiteral("Actuator On Off"),
                               QStringLiteral("Color Control"),
                               QStringLiteral("Sequencer")};
    return l;
}

const QStringList& Sen_Type_List() {
    static const QStringList l{QStringLiteral("Generic Input"),  QStringLiteral("Push Button"),
                               QStringLiteral("Absolute Input"), QStringLiteral("Occupancy Sensor"),
                               QStringLiteral("Light Sensor"),   QStringLiteral("Color Sensor"),
                               QStringLiteral("Relative Input")};
    return l;
}

const QStringList& Num_Bytes_List() {
    static const QStringList l{QStringLiteral("1"), QStringLiteral("2")};
    return l;
}

const QStringList& Operations() {
    static const QStringList l{
        QStringLiteral("Function Null"), QStringLiteral("Multiplication"), QStringLiteral("Division"),
        QStringLiteral("Addition"),      QStringLiteral("Subtraction"),    QStringLiteral("Set Out"),
        QStringLiteral("Dim Up"),        QStringLiteral("Dim Down"),       QStringLiteral("Toggle"),
        QStringLiteral("Ramp Start"),    QStringLiteral("Ramp Stop")};
    return l;
}

const QStringList& Conditions() {
    static const QStringList l{
        QStringLiteral("No Condition"),         QStringLiteral("When Equal to Value"),
        QStringLiteral("When Lower to Value"),  QStringLiteral("When Greater to Value"),
        QStringLiteral("AND Logic with Value"), QStringLiteral("OR Logic with Value"),
        QStringLiteral("XOR Logic with Value"), QStringLiteral("NAND Logic with Value"),
        QStringLiteral("NOR Logic with Value")};
    return l;
}

namespace {

const QStringList& Button_Events() {
    static const QStringList l{QStringLiteral("Button Released"),  QStringLiteral("Button Pressed"),
                               QStringLiteral("Short Press"),      QStringLiteral("Double Press"),
                               QStringLiteral("Long Press Start"), QStringLiteral("Long Press Repeat"),
                               QStringLiteral("Long Press Stop"),  QStringLiteral("Button Free"),
                               QStringLiteral("Button Stuck")};
    return l;
}

const QStringList& Nand_Events() {
    static const QStringList l{QStringLiteral("No Movement"), QStringLiteral("Vacant"),
                               QStringLiteral("Presence Sensor")};
    return l;
}

const QStringList& And_Events() {
    static const QStringList l{QStringLiteral("Movement"), QStringLiteral("Still Vacant"),
                               QStringLiteral("Occupied"), QStringLiteral("Still Occupied"),
                               QStringLiteral("Movement Sensor")};
    return l;
}

} // namespace

const QStringList& Events() {
    static const QStringList l = [] {
        QStringList e = Button_Events();
        e << QStringLiteral("No Movement") << QStringLiteral("Movement") << QStringLiteral("Vacant")
          << QStringLiteral("Still Vacant") << QStringLiteral("Occupied") << QStringLiteral("Still Occupied")
          << QStringLiteral("Presence Sensor") << QStringLiteral("Movement Sensor");
        return e;
    }();
    return l;
}

const QStringList& Targets() {
    static const QStringList l = [] {
        QStringList t;
        for (int i = 0; i <= 63; ++i)
            t << QStringLiteral("DALI Channel %1").arg(i);
        for (int i = 1; i <= 16; ++i)
            t << QStringLiteral("DALI Group %1").arg(i);
        t << QStringLiteral("DALI Broadcast");
        return t;
    }();
    return l;
}

QString Condition_For_Event(const QString& event) {
    if (Button_Events().contains(event))
        return QLatin1String(Condition_Equal);
    if (Nand_Events().contains(event))
        return QLatin1String(Condition_Nand);
    if (And_Events().contains(event))
        return QLatin1String(Condition_And);
    return QString();
}

QString Check_ReCall_Level(const QString& text) {
    const QStringList& l = Recall_Levels();
    if (text == l[1] || text == l[2])
        return text;
    return l[0];
}

QStringList Function_Choices(const Cell_Grid& functions) {
    QStringList l;
    l.reserve(Function_Count + 1);
    l << QStringLiteral("0 - None");
    for (int k = 1; k <= Function_Count; ++k) {
        const QString mnemonic = k < functions.Rows() ? functions.Text(FC_Mnemonic, k) : QString();
        l << QString::number(k) + QStringLiteral(" - ") + mnemonic;
    }
    return l;
}

} // namespace DALI
