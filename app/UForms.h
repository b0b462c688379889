// The program's windows. Each is created once at start, in a fixed order, and
// lives until the program ends.
#pragma once

#include <QString>

class TFDravianFirmWare;
class TFNew_Project;
class TFOpenConf;
class TFAbout;
class TFSoftOptions;
class TFParGen;
class TFDALI_Access;
class TFBoot;

namespace Forms {

extern TFDravianFirmWare* FDravianFirmWare;
extern TFNew_Project* FNew_Project;
extern TFOpenConf* FOpenConf;
extern TFAbout* FAbout;
extern TFSoftOptions* FSoftOptions;
extern TFParGen* FParGen;
extern TFDALI_Access* FDALI_Access;
extern TFBoot* FBoot;

// Creates every window for the program in `program_dir`; the main window first,
// whose creation runs the start-up sequence.
void Create_All(const QString& program_dir);
// Destroys them all (tests create a fresh program each time).
void Destroy_All();

} // namespace Forms
