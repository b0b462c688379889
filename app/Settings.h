// The program's settings file "Dravian.xml" beside the program, and the start-up
// steps that do not involve a window.
#pragma once

#include <QString>

namespace UComon {

QString Settings_File_Path();

// Sets Program_Dir and the three folders beside it, creating those that are missing.
void Set_Program_Folders(const QString& program_dir);

// Reads the settings file into the program-wide state; missing groups, a missing
// file and a file that is not well-formed XML take the defaults.
void Read_Settings();

// Writes the settings file from the program-wide state, atomically. On failure
// `reason` says why and the previous file is untouched.
bool Write_Settings(QString* reason = nullptr);

// Computes the project file paths from Project_Dir.
void Set_Files();

// Restores the remembered project when its folder still exists, else clears it.
void Restore_Project();

} // namespace UComon
