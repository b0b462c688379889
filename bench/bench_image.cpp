// Compiling a full project into its bank files: in the program and as dravian-cli.
#include "image/Build_Image.h"
#include "test_support/Temp_Program.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <benchmark/benchmark.h>

namespace {

// The largest project the editors write: 256 enabled rules, 250 functions, 64 devices.
void Write_Full_Project(const Temp_Program& p, const QString& rel) {
    QByteArray par = "<Par_Gen>\n";
    const char* elements[][2] = {
        {"MTCPs_IP1", "192"},
        {"MTCPs_IP2", "168"},
        {"MTCPs_IP3", "0"},
        {"MTCPs_IP4", "10"},
        {"MTCPs_SUB1", "255"},
        {"MTCPs_SUB2", "255"},
        {"MTCPs_SUB3", "255"},
        {"MTCPs_SUB4", "0"},
        {"MTCPs_EN_GAT", "1"},
        {"MTCPs_GAT1", "192"},
        {"MTCPs_GAT2", "168"},
        {"MTCPs_GAT3", "0"},
        {"MTCPs_GAT4", "1"},
        {"MTCPs_PORT", "502"},
        {"Modbus_TCP_Slave_DALI_Map", "1"},
        {"DALI_CONSOLE_PORT", "10001"},
        {"DALI_SWITCH_OFF", "1"},
        {"DALI_TIMEOUT", "60000"},
        {"DALI_DISABLE_SCAN", "0"},
        {"DALI_ENABLE_DALI_2", "1"},
    };
    for (const auto& e : elements)
        par += QByteArray("  <") + e[0] + ">" + e[1] + "</" + e[0] + ">\n";
    par += "</Par_Gen>\n<!--SW_VERSION = 1.501-->\n";
    p.write(rel + "/ParGen.xml", par);

    QByteArray dev = "<DALI_Access>\n";
    for (int n = 0; n < 64; ++n) {
        const QByteArray id = "DALI_ID_DEVICE_" + QByteArray::number(n);
        dev += "  <" + id + ">1</" + id + ">\n";
        dev += "  <" + id + "_MIN_MAN_VALUE>" + (n % 2 ? "1" : "0") + "</" + id + "_MIN_MAN_VALUE>\n";
        dev += "  <" + id + "_RECALL_LEVEL>Recall Min-Max Level for Switch</" + id + "_RECALL_LEVEL>\n";
    }
    dev += "</DALI_Access>\n<!--SW_VERSION = 1.501-->\n";
    p.write(rel + "/DALI_Access.xml", dev);

    QByteArray d2 = "<DALI2_Access>\n  <DALI2_Functions_Rules>\n";
    for (int k = 1; k <= 250; ++k)
        d2 += "    <row Function=\"Set Out\" Condition=\"When Greater to Value\" Value=\"" +
              QByteArray::number(k) + ",5\" Channel=\"DALI Group " + QByteArray::number(k % 16 + 1) +
              "\" Val=\"" + QByteArray::number(k % 255) + "\" Next_Function=\"0\" Mnemonic=\"Function " +
              QByteArray::number(k) + "\"/>\n";
    d2 += "  </DALI2_Functions_Rules>\n  <DALI2_SetAccess_Rules>\n";
    for (int r = 0; r < 256; ++r)
        d2 += "    <row Enable=\"Y\" DeviceSensor=\"Sensor\" Type=\"Push Button\" ChannelNumber=\"" +
              QByteArray::number(r % 64) + "\" Instance=\"" + QByteArray::number(r % 32) +
              "\" Command=\"16\" TimeSend=\"1000\" TimeOut=\"5000\" Function=\"" +
              QByteArray::number(r % 250 + 1) + " - Function\" Position=\"" + QByteArray::number(r * 5) +
              "\" NumBytes=\"2\" Mnemonic=\"Rule " + QByteArray::number(r) + "\"/>\n";
    d2 += "  </DALI2_SetAccess_Rules>\n</DALI2_Access>\n<!--SW_VERSION = 1.501-->\n";
    p.write(rel + "/DALI2_Access.xml", d2);
    QDir().mkpath(p.path(rel + "/bin"));
}

void BM_Build_And_Write_Full_Project(benchmark::State& state) {
    Temp_Program p;
    Write_Full_Project(p, QStringLiteral("PROJECTS/Full"));
    const QString dir = p.path(QStringLiteral("PROJECTS/Full"));
    const USaveBincc::Project_Files files = USaveBincc::Project_Files::In(dir);
    USaveBincc::Config_Image image;
    USaveBincc::Bank_Buffers buffers;
    for (auto _ : state) {
        if (!USaveBincc::Build_Image_From(files, image, buffers) ||
            !USaveBincc::Write_Bank_Files(dir, buffers))
            state.SkipWithError("build failed");
        benchmark::DoNotOptimize(buffers.bank.constData());
    }
}
BENCHMARK(BM_Build_And_Write_Full_Project)->Unit(benchmark::kMillisecond);

// The whole process, start to exit, as a script runs it.
void BM_Cli_Build_Full_Project(benchmark::State& state) {
    Temp_Program p;
    Write_Full_Project(p, QStringLiteral("PROJECTS/Full"));
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/dravian-cli");
    const QStringList args = {QStringLiteral("build"), p.path(QStringLiteral("PROJECTS/Full"))};
    for (auto _ : state) {
        QProcess proc;
        proc.start(cli, args);
        if (!proc.waitForFinished(10000) || proc.exitCode() != 0)
            state.SkipWithError("dravian-cli build failed");
    }
}
BENCHMARK(BM_Cli_Build_Full_Project)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
