// The confirmation checks of the communication settings, shared by the window's
// Controllo_Dati and by dravian-cli check.
#pragma once

#include "comm_settings/ParGen.h"

#include <QString>

namespace UComon {

struct TParGen_Check_Result {
    int line = 0;          // text-table line of the first failed check, 0 when all passed
    QString message;       // its English text (the window shows the line in the current language)
    const char* element{}; // the setting that failed (the file name for a bad file), null when all passed

    bool ok() const { return line == 0; }
};

// Runs the fifteen checks in order and stops at the first failure: the twelve
// address bytes 0..255 (the gateway only while it is enabled), both ports
// 0..65535 except 10000, and the time-out 0..3600000 ms while switch-off is set.
// A text that does not convert as a whole counts as -1.
TParGen_Check_Result Check_ParGen(const TParGen& values);

// Loads the file at `path` as the window loads it (a missing file or element
// gives the defaults) and checks it. A file that cannot be read or is not
// well-formed XML fails with line 904, its path and the reason.
TParGen_Check_Result Check_ParGen_File(const QString& path);

} // namespace UComon
