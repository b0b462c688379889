// The confirmation checks of the DALI access editor, shared by its window
// (Controllo_dati) and by `dravian-cli check`.
#pragma once

#include "common/Grid_Cells.h"

#include <QChar>
#include <QList>
#include <QString>

#include <optional>

namespace DALI {

// The first failing check: its text-table line and the numbers for its "%d"s
// (the row, and the bound where the line names one).
struct Check_Failure {
    int line = 0;
    QList<int> numbers;
};

// Runs the checks of the function table, then of the rule table, in order, and
// returns the first failure (none when the tables may be saved). `separator` is
// the user's decimal separator.
std::optional<Check_Failure> Check_DALI2_Tables(const UComon::Cell_Grid& functions,
                                                const UComon::Cell_Grid& rules, QChar separator);

struct Check_Result {
    bool ok = true;  // every check passed
    int line = 0;    // text-table line of the first failure
    QString message; // its English text with "%d" filled in, on one line
};

// Loads <project_dir>/DALI_Access.xml and <project_dir>/DALI2_Access.xml as the DALI
// access window loads them and runs its confirmation checks. A file problem that
// the window reports on opening (a file that cannot be read or is not a DALI file,
// rows that do not fit) is the first failure; then come the checks in order.
Check_Result Check_DALI_Project(const QString& project_dir);

} // namespace DALI
