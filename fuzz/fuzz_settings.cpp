// Feeds arbitrary bytes to the reader of the settings file.
#include "app/Settings.h"
#include "common/Comon_State.h"

#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString dir = QDir::tempPath() + QStringLiteral("/dravian-fuzz-settings");
    static bool ready = [] {
        UComon::Set_Program_Folders(dir);
        return true;
    }();
    (void)ready;
    QFile f(UComon::Settings_File_Path());
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(reinterpret_cast<const char*>(data), qint64(size));
        f.close();
    }
    UComon::Read_Settings();
    return 0;
}
