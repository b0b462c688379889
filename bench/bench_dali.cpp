// The DALI access window: creation, opening with full tables, the checks, saving
// and one row operation on the rule table.
#include "common/Comon_State.h"
#include "common/UComon.h"
#include "dali/DALI_Files.h"
#include "dali/DALI_Tables.h"
#include "dali/UDALI_Access.h"
#include "test_support/Temp_Program.h"
#include "texts/Text_Table.h"

#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace UComon;
using namespace DALI;

namespace {

// Full, valid tables: 64 enabled devices, 250 functions, 256 rules.
void Fill_Full(Cell_Grid& devices, Cell_Grid& functions, Cell_Grid& rules) {
    Init_Device_Grid(devices);
    Init_Function_Grid(functions);
    Init_Rule_Grid(rules);
    for (int r = 1; r <= Device_Count; ++r) {
        devices.Set_Checked(DC_Enable, r, true);
        devices.Set_Checked(DC_Min_Max, r, r % 2 == 0);
        devices.Set_Text(DC_Recall, r, Recall_Levels()[r % 3]);
    }
    for (int k = 1; k <= Function_Count; ++k) {
        functions.Set_Text(FC_Function, k, Operations()[k % 11]);
        functions.Set_Text(FC_Condition, k, k % 2 ? "When Equal to Value" : "When Greater to Value");
        functions.Set_Text(FC_Value, k, k % 2 ? "Short Press" : "12,5");
        functions.Set_Text(FC_Channel, k, Targets()[k % 81]);
        functions.Set_Text(FC_Brightness, k, "254");
        functions.Set_Text(FC_Next, k, QString::number(k - 1));
        functions.Set_Text(FC_Mnemonic, k, QStringLiteral("function %1").arg(k));
    }
    for (int r = 1; r <= Rule_Count; ++r) {
        const QStringList cells = {"Sensor",
                                   "Push Button",
                                   "12",
                                   "3",
                                   "200",
                                   "1000",
                                   "5000",
                                   QStringLiteral("%1 - function").arg(r % 250),
                                   QString::number(r),
                                   "2",
                                   QStringLiteral("rule %1").arg(r)};
        rules.Set_Checked(RC_Enable, r, true);
        for (int c = RC_DevSen; c < Rule_Cols; ++c)
            rules.Set_Text(c, r, cells[c - RC_DevSen]);
    }
}

struct Full_Project {
    Temp_Program program;
    Full_Project() {
        Init_Text_Table();
        Project_Dir = program.path("PROJECTS/Demo");
        QDir().mkpath(Project_Dir);
        DALI_Access_File = Project_Dir + "/DALI_Access.xml";
        DALI2_Access_File = Project_Dir + "/DALI2_Access.xml";
        Cell_Grid devices, functions, rules;
        Fill_Full(devices, functions, rules);
        Save_DALI_Devices(DALI_Access_File, devices);
        Save_DALI2_Rules(DALI2_Access_File, functions, rules);
    }
};

void BM_DALI_FormCreate(benchmark::State& state) {
    Full_Project p;
    for (auto _ : state) {
        auto w = std::make_unique<TFDALI_Access>();
        benchmark::DoNotOptimize(w.get());
    }
}
BENCHMARK(BM_DALI_FormCreate)->Unit(benchmark::kMillisecond);

void BM_DALI_FormShow_Full_Tables(benchmark::State& state) {
    Full_Project p;
    TFDALI_Access w;
    w.show();
    QApplication::processEvents();
    for (auto _ : state) {
        w.FormShow();
        QApplication::processEvents(); // and the repaint
    }
}
BENCHMARK(BM_DALI_FormShow_Full_Tables)->Unit(benchmark::kMillisecond);

void BM_DALI_Controllo_dati_Full_Tables(benchmark::State& state) {
    Full_Project p;
    TFDALI_Access w;
    w.FormShow();
    bool ok = false;
    for (auto _ : state)
        ok = w.Controllo_dati();
    if (!ok)
        state.SkipWithError("the full tables should pass");
}
BENCHMARK(BM_DALI_Controllo_dati_Full_Tables)->Unit(benchmark::kMillisecond);

void BM_DALI_Save_Both_Files(benchmark::State& state) {
    Full_Project p;
    Cell_Grid devices, functions, rules;
    Fill_Full(devices, functions, rules);
    for (auto _ : state) {
        Save_DALI_Devices(DALI_Access_File, devices);
        Save_DALI2_Rules(DALI2_Access_File, functions, rules);
    }
}
BENCHMARK(BM_DALI_Save_Both_Files)->Unit(benchmark::kMillisecond);

// The same without the disk: what the save itself costs before the file system's
// flush (QSaveFile syncs each file to disk before it replaces the old one).
void BM_DALI_Save_Both_Files_Bytes_Only(benchmark::State& state) {
    Cell_Grid devices, functions, rules;
    Fill_Full(devices, functions, rules);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DALI_Devices_Bytes(devices));
        benchmark::DoNotOptimize(DALI2_Rules_Bytes(functions, rules));
    }
}
BENCHMARK(BM_DALI_Save_Both_Files_Bytes_Only)->Unit(benchmark::kMillisecond);

void BM_DALI_Rule_Row_Insert(benchmark::State& state) {
    Full_Project p;
    TFDALI_Access w;
    w.show();
    w.FormShow();
    QApplication::processEvents();
    for (auto _ : state) {
        Insert_Row_ASG(w.ASG, 1, true);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_DALI_Rule_Row_Insert)->Unit(benchmark::kMillisecond);

void BM_DALI_Rule_Row_Delete(benchmark::State& state) {
    Full_Project p;
    TFDALI_Access w;
    w.show();
    w.FormShow();
    QApplication::processEvents();
    for (auto _ : state) {
        Delete_Row_ASG(w.ASG, 1, true);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_DALI_Rule_Row_Delete)->Unit(benchmark::kMillisecond);

} // namespace
