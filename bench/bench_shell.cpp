// Start-up, language loading and language switching.
#include "app/UDravianFirmWare.h"
#include "app/UForms.h"
#include "common/Comon_State.h"
#include "test_support/Temp_Program.h"
#include "texts/Text_Table.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray Full_Language_File() {
    QByteArray b = "; every line of the table\r\n";
    for (int i = 0; i < 2800; ++i)
        b += "STR" + QByteArray::number(i) + " = Testo numero " + QByteArray::number(i) + " /#/ nota\r\n";
    return b;
}

void BM_Startup_All_Windows(benchmark::State& state) {
    Temp_Program p;
    Forms::Create_All(p.dir()); // warm: folders exist, fonts and styles are loaded
    for (auto _ : state) {
        Forms::Create_All(p.dir());
        benchmark::DoNotOptimize(Forms::FDravianFirmWare);
    }
    Forms::Destroy_All();
}
BENCHMARK(BM_Startup_All_Windows)->Unit(benchmark::kMillisecond);

void BM_Load_Language_Full_File(benchmark::State& state) {
    Temp_Program p;
    p.write("LANGUAGE/Test.lng", Full_Language_File());
    UComon::Language_Dir = p.path("LANGUAGE");
    for (auto _ : state) {
        UComon::Current_Language = "Test";
        UComon::Load_Language();
        benchmark::DoNotOptimize(UComon::Text_Table.size());
    }
}
BENCHMARK(BM_Load_Language_Full_File)->Unit(benchmark::kMillisecond);

// Every window takes new texts: the table alternates between two full languages.
void BM_Change_Language_All_Windows(benchmark::State& state) {
    Temp_Program p;
    p.write("LANGUAGE/Test.lng", Full_Language_File());
    Forms::Create_All(p.dir());
    UComon::Current_Language = "Test";
    UComon::Load_Language();
    const QStringList test_texts = UComon::Text_Table;
    UComon::Init_Text_Table();
    const QStringList english = UComon::Text_Table;
    bool flip = false;
    for (auto _ : state) {
        state.PauseTiming();
        UComon::Text_Table = (flip = !flip) ? test_texts : english;
        state.ResumeTiming();
        Forms::FDravianFirmWare->Change_Language();
    }
    Forms::Destroy_All();
}
BENCHMARK(BM_Change_Language_All_Windows)->Unit(benchmark::kMillisecond);

} // namespace
