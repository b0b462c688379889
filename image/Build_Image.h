// Compiling a project's three files into the configuration image and writing its
// bank files into the project's bin folder.
#pragma once

#include "image/Config_Image.h"

#include <QString>

namespace USaveBincc {

// Text-table lines of the build's refusals.
inline constexpr int Line_File_Not_Saved = 903;     // "Error! The file cannot be saved:"
inline constexpr int Line_File_Not_XML = 904;       // "Error! The file is not a valid XML document:"
inline constexpr int Line_File_Not_Read = 890;      // "Error! The file cannot be read:"
inline constexpr int Line_Too_Many_Rules = 891;     // "... %d enabled DALI-2 rules ..."
inline constexpr int Line_Too_Many_Functions = 892; // "... %d DALI-2 functions ..."

// Why a build or a write did not complete: a text-table line, the file and a reason.
struct Build_Error {
    int line = 0;
    QString file;   // "/"-joined path
    QString reason; // may be empty
    int count = 0;  // fills the line's %d

    // The message box text: the line, then the file in native form, then the reason.
    QString Message() const;
    // The same on one line, for the command line.
    QString One_Line() const;
};

struct Project_Files {
    QString par_gen;
    QString dali_access;
    QString dali2_access;
    // The three files of the project folder `dir`.
    static Project_Files In(const QString& dir);
};

// Fills `image` from the files and serialises it into `buffers`. A missing file
// leaves its part at the defaults; a file that exists but cannot be read, is not
// well-formed XML, or holds more rules or functions than the tables take, stops
// the build: false, `error` says why and `buffers` is left empty.
bool Build_Image_From(const Project_Files& files, Config_Image& image, Bank_Buffers& buffers,
                      Build_Error* error = nullptr);

// Writes the three bank files into `project_dir`/bin (made when missing). All three
// are written whole beside their targets first and only then put in place, so a
// failure to write leaves every old file as it was and no file is ever short.
bool Write_Bank_Files(const QString& project_dir, const Bank_Buffers& buffers, Build_Error* error = nullptr);

// The program's one image, rebuilt by every Build_Image.
extern Config_Image Image;
extern Bank_Buffers Image_Buffers;

// Builds the active project (ParGen_File, DALI_Access_File, DALI2_Access_File).
bool Build_Image(Build_Error* error = nullptr);
// Writes the buffers of the last successful build into Project_Dir/bin.
bool Write_Image_Files(Build_Error* error = nullptr);

} // namespace USaveBincc
