// Communication settings: one load, check and save of ParGen.xml; opening the window.
#include "app/Settings.h"
#include "comm_settings/ParGen_Check.h"
#include "comm_settings/UParGen.h"
#include "common/Comon_State.h"
#include "test_support/Temp_Program.h"
#include "texts/Text_Table.h"

#include <QDir>

#include <benchmark/benchmark.h>

namespace {

using namespace UComon;

// A project "Demo" with a ParGen.xml that sets every value.
void Make_Project(const Temp_Program& p) {
    Init_Text_Table();
    SW_Code = Software_Code;
    Projects_Dir = p.path("PROJECTS");
    Project_Name = "Demo";
    Project_Dir = Join_Path(Projects_Dir, Project_Name);
    QDir().mkpath(Project_Dir + "/bin");
    Set_Files();
    TParGen v;
    v.MTCPs_EN_GAT = v.DALI_SWITCH_OFF = v.DALI_ENABLE_DALI_2 = true;
    v.MTCPs_PORT = "1502";
    v.DALI_TIMEOUT = "5000";
    Save_ParGen(ParGen_File, v);
}

void BM_ParGen_Load_Check_Save(benchmark::State& state) {
    Temp_Program p;
    Make_Project(p);
    QDomDocument doc;
    for (auto _ : state) {
        TParGen v;
        Load_ParGen(ParGen_File, doc, v);
        const TParGen_Check_Result r = Check_ParGen(v);
        benchmark::DoNotOptimize(r.line);
        if (!Save_ParGen(ParGen_File, doc, v)) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_ParGen_Load_Check_Save)->Unit(benchmark::kMicrosecond);

void BM_ParGen_FormShow(benchmark::State& state) {
    Temp_Program p;
    Make_Project(p);
    TFParGen w;
    w.show(); // warm: fonts and styles are loaded
    w.hide();
    for (auto _ : state) {
        w.show(); // runs FormShow
        w.hide();
    }
}
BENCHMARK(BM_ParGen_FormShow)->Unit(benchmark::kMicrosecond);

} // namespace
