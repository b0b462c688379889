// The update job "Ethernet_Update.xml": what the updater program writes into the
// converter, for the standard and for the ESP32 hardware.
#pragma once

#include <QDomDocument>
#include <QString>

namespace UBoot {

inline constexpr const char* Job_File_Name = "Ethernet_Update.xml";
#ifdef Q_OS_WIN
inline constexpr const char* Updater_Program_Name = "Ethernet_Update.exe";
#else
inline constexpr const char* Updater_Program_Name = "Ethernet_Update";
#endif

// Files the job names.
inline constexpr const char* Firmware_File = "Sim51730.sim";
inline constexpr const char* ESP32_Firmware_File = "Sim51730_ESP32.sim";
inline constexpr const char* Web_Files_File = "web_files_dali.bin";

// The converter's ports that the job passes on.
inline constexpr int Application_Port = 10000;
inline constexpr int Boot_Port = 2008;
inline constexpr int Boot_Port_Sec = 2007;

// Items of the window's update option list.
enum Update_Option_Index {
    Option_Firmware_And_Configuration = 0,
    Option_Firmware = 1,
    Option_Configuration = 2
};

// What the job is made of: the address as typed, the option, read-back, and the
// folders of the firmware files and of the project.
struct Job_Request {
    QString ip_address; // written unchanged
    int option = 0;     // Update_Option_Index
    bool read_back = true;
    QString master_dir;  // "/"-joined
    QString project_dir; // "/"-joined
};

// Builds the whole job document (any earlier content of `doc` is discarded).
void Build_Job(const Job_Request& request, QDomDocument& doc);

// Writes the job atomically to `path`; on failure `reason` says why and an earlier
// file is left as it was.
bool Write_Job(const QString& path, const Job_Request& request, QString* reason = nullptr);

} // namespace UBoot
