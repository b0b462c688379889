#include "dali/DALI_Check.h"

#include "common/Comon_State.h"
#include "common/Decimal_Number.h"
#include "dali/DALI_Files.h"
#include "dali/DALI_Tables.h"
#include "texts/Text_Table.h"

using UComon::Cell_Grid;
using UComon::Trim;

namespace DALI {

namespace {

// The whole text is an integer (the program's conversion) within [low, high].
bool In_Range(const QString& text, int low, int high) {
    int v;
    return UComon::Try_Str_To_Int(text, v) && v >= low && v <= high;
}

std::optional<Check_Failure> Fail(int line, int row) {
    return Check_Failure{line, {row}};
}
std::optional<Check_Failure> Fail(int line, int row, int bound) {
    return Check_Failure{line, {row, bound}};
}

} // namespace

std::optional<Check_Failure> Check_DALI2_Tables(const Cell_Grid& functions, const Cell_Grid& rules,
                                                QChar separator) {
    // Functions: every used row needs a condition that fits its event, or a number.
    const int function_rows = qMin(functions.Rows() - 1, Function_Count);
    int used_functions = 0;
    for (int k = 1; k <= function_rows && !Trim(functions.Text(FC_Function, k)).isEmpty(); ++k) {
        const QString& condition = functions.Text(FC_Condition, k);
        if (Trim(condition).isEmpty())
            return Fail(2550, k);
        // Events are compared as written: the image compiler reads them exactly, so
        // "Short Press " must not pass for the event.
        const QString& value = functions.Text(FC_Value, k);
        const QString needed = Condition_For_Event(value);
        if (!needed.isEmpty()) {
            if (condition != needed) {
                const int line = needed == QLatin1String(Condition_Equal)  ? 2564
                                 : needed == QLatin1String(Condition_Nand) ? 2565
                                                                           : 2566;
                return Fail(line, k);
            }
        } else {
            float number;
            if (!UComon::Text_To_Float(value, separator, number))
                return Fail(2551, k);
        }
        used_functions = k;
    }
    const int F = used_functions;

    for (int k = 1; k <= F; ++k) {
        const QString& next = functions.Text(FC_Next, k);
        if (!Trim(next).isEmpty() && !In_Range(next, 0, F))
            return Fail(2552, k, F);
    }

    // Rules: only used rows with their Enable box checked.
    const int rule_rows = qMin(rules.Rows() - 1, Rule_Count);
    for (int r = 1; r <= rule_rows && !Trim(rules.Text(RC_DevSen, r)).isEmpty(); ++r) {
        if (!rules.Checked(RC_Enable, r))
            continue;
        // Types are compared as written, as the image compiler turns them into codes.
        const QString& type = rules.Text(RC_Type, r);
        if (rules.Text(RC_DevSen, r) == QLatin1String("Device")) {
            if (!Dev_Type_List().contains(type))
                return Fail(2529, r);
        } else if (!Sen_Type_List().contains(type)) {
            return Fail(2530, r);
        }
        if (!In_Range(rules.Text(RC_Channel, r), 0, 63))
            return Fail(2531, r);
        if (!In_Range(rules.Text(RC_Instance, r), 0, 255))
            return Fail(2532, r);
        if (!In_Range(rules.Text(RC_Command, r), 0, 255))
            return Fail(2536, r);
        if (!In_Range(rules.Text(RC_Time_Send, r), 0, 100000000))
            return Fail(2533, r);
        if (!In_Range(rules.Text(RC_TimeOut, r), 0, 100000000))
            return Fail(2534, r);
        const QString function = Trim(rules.Text(RC_Function, r));
        if (!function.isEmpty()) {
            const qsizetype blank = function.indexOf(QLatin1Char(' '));
            if (!In_Range(Trim(blank < 0 ? function : function.left(blank)), 0, F))
                return Fail(2553, r, F);
        }
        if (!In_Range(rules.Text(RC_Position, r), 0, 1440))
            return Fail(2535, r, 1440);
    }
    return std::nullopt;
}

Check_Result Check_DALI_Project(const QString& project_dir) {
    auto english = [](int line) { return UComon::Default_Text(line); };
    auto one_line = [](QString text) {
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return text;
    };

    Cell_Grid devices, functions, rules;
    Init_Device_Grid(devices);
    Init_Function_Grid(functions);
    Init_Rule_Grid(rules);

    const File_Problem device_problem =
        Load_DALI_Devices(UComon::Join_Path(project_dir, QStringLiteral("DALI_Access.xml")), devices);
    if (!device_problem.Ok())
        return {false, device_problem.Line(), one_line(device_problem.Message(english))};
    const File_Problem rule_problem = Load_DALI2_Rules(
        UComon::Join_Path(project_dir, QStringLiteral("DALI2_Access.xml")), functions, rules);
    if (!rule_problem.Ok())
        return {false, rule_problem.Line(), one_line(rule_problem.Message(english))};

    if (const auto failure = Check_DALI2_Tables(functions, rules, UComon::Read_Decimal_Separator()))
        return {false, failure->line, UComon::Fill_Numbers(english(failure->line), failure->numbers)};
    return {};
}

} // namespace DALI
