#include "app/UForms.h"

#include "app/UDravianFirmWare.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "comm_settings/UParGen.h"
#include "common/UMessages.h"
#include "dali/UDALI_Access.h"
#include "options/UAbout.h"
#include "options/USoftOptions.h"
#include "update/UBoot.h"

namespace Forms {

TFDravianFirmWare* FDravianFirmWare = nullptr;
TFNew_Project* FNew_Project = nullptr;
TFOpenConf* FOpenConf = nullptr;
TFAbout* FAbout = nullptr;
TFSoftOptions* FSoftOptions = nullptr;
TFParGen* FParGen = nullptr;
TFDALI_Access* FDALI_Access = nullptr;
TFBoot* FBoot = nullptr;

void Create_All(const QString& program_dir) {
    Destroy_All();
    FDravianFirmWare = new TFDravianFirmWare(program_dir);
    // The modal windows are owned by the main window and centred over it.
    FNew_Project = new TFNew_Project(FDravianFirmWare);
    FOpenConf = new TFOpenConf(FDravianFirmWare);
    FAbout = new TFAbout(FDravianFirmWare);
    FSoftOptions = new TFSoftOptions(FDravianFirmWare);
    FParGen = new TFParGen(FDravianFirmWare);
    FDALI_Access = new TFDALI_Access(FDravianFirmWare);
    FBoot = new TFBoot(FDravianFirmWare);
}

void Destroy_All() {
    delete FDravianFirmWare; // deletes the windows it owns
    FDravianFirmWare = nullptr;
    FNew_Project = nullptr;
    FOpenConf = nullptr;
    FAbout = nullptr;
    FSoftOptions = nullptr;
    FParGen = nullptr;
    FDALI_Access = nullptr;
    FBoot = nullptr;
    UComon::Set_Main_Window(nullptr);
}

} // namespace Forms
