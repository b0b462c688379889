// Writing the update job, and the stand-in updater against the simulator on
// loopback with 1 MB firmware files.
#include "core/test_update_sim.h"
#include "test_support/Temp_Program.h"
#include "update/Job_File.h"

#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

UBoot::Job_Request Request(const Temp_Program& p, const QString& ip) {
    UBoot::Job_Request r;
    r.ip_address = ip;
    r.option = 0;
    r.read_back = true;
    r.master_dir = p.path("MASTER");
    r.project_dir = p.path("PROJECTS/Hall");
    return r;
}

void BM_Update_Write_Job(benchmark::State& state) {
    Temp_Program p;
    const QString job = p.path("Ethernet_Update.xml");
    const UBoot::Job_Request r = Request(p, "192.168.2.205");
    for (auto _ : state)
        benchmark::DoNotOptimize(UBoot::Write_Job(job, r));
}
BENCHMARK(BM_Update_Write_Job)->Unit(benchmark::kMicrosecond);

QByteArray Random_Bytes(int n) {
    QByteArray b(n, 0);
    QRandomGenerator gen(n);
    gen.fillRange(reinterpret_cast<quint32*>(b.data()), n / 4);
    return b;
}

// Option 0 with read-back: firmware, web files and bank file of the hardware the
// simulator plays. Range(0) is the share of lost packets in percent.
void BM_Updater_Option0_1MB(benchmark::State& state) {
    Temp_Program p;
    p.write("MASTER/Sim51730.sim", Random_Bytes(1 << 20));
    p.write("MASTER/Sim51730_ESP32.sim", Random_Bytes(1 << 20));
    p.write("MASTER/web_files_dali.bin", Random_Bytes(1 << 20));
    p.write("PROJECTS/Hall/bin/bank.bin", Random_Bytes(10496));
    Sim_Process sim;
    const QStringList extra = {"--drop", QString::number(state.range(0)), "--seed", "3"};
    if (!sim.Start(p.path("memory"), extra)) {
        state.SkipWithError("the simulator does not start");
        return;
    }
    const QString job = p.path("Ethernet_Update.xml");
    UBoot::Write_Job(job, Request(p, sim.address));
    for (auto _ : state) {
        const Updater_Run r = Run_Updater(job);
        if (r.code != 0) {
            state.SkipWithError(r.err.constData());
            break;
        }
    }
    sim.Stop();
}
BENCHMARK(BM_Updater_Option0_1MB)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Updater_Option0_1MB)->Arg(10)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

namespace {
void BM_Update_Build_Job_Document(benchmark::State& state) {
    Temp_Program p;
    const UBoot::Job_Request r = Request(p, "192.168.2.205");
    for (auto _ : state) {
        QDomDocument doc;
        UBoot::Build_Job(r, doc);
        benchmark::DoNotOptimize(doc.toByteArray(2));
    }
}
BENCHMARK(BM_Update_Build_Job_Document)->Unit(benchmark::kMicrosecond);
} // namespace
