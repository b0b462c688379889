// Opening the options window with a full language folder.
#include "app/UForms.h"
#include "options/USoftOptions.h"
#include "test_support/Temp_Program.h"

#include <QImage>

#include <benchmark/benchmark.h>

namespace {

void BM_Options_FormShow_13_Languages(benchmark::State& state) {
    Temp_Program p;
    QImage flag(48, 32, QImage::Format_RGB32);
    flag.fill(Qt::darkGreen);
    for (int i = 0; i < 13; ++i) {
        const QString name = QString("Language%1").arg(i, 2, 10, QChar('0'));
        p.write("LANGUAGE/" + name + ".lng", "STR0 = x\r\n");
        if (i % 2 == 0)
            flag.save(p.path("LANGUAGE/" + name + ".bmp"));
    }
    flag.save(p.path("LANGUAGE/DefaultFlag.bmp"));
    Forms::Create_All(p.dir());
    for (auto _ : state) {
        Forms::FSoftOptions->show(); // runs FormShow
        state.PauseTiming();
        Forms::FSoftOptions->hide();
        state.ResumeTiming();
    }
    Forms::Destroy_All();
}
BENCHMARK(BM_Options_FormShow_13_Languages)->Unit(benchmark::kMillisecond);

} // namespace
