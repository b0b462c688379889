// The serial ports of the computer, by number, for the update window's serial form.
#pragma once

#include <QStringList>

namespace UComon {

// One text per existing serial port, its number in decimal, ascending, each once.
// A port that another program holds open is listed too. On Windows the numbers are
// those of the COM devices; elsewhere the system's serial devices are numbered in
// three blocks of 32: ttyS0..31 as 1..32, ttyUSB0..31 as 33..64, ttyACM0..31 as
// 65..96.
QStringList List_COM_Ports();

// The port number of a device name of the second scheme ("ttyS0" -> 1,
// "ttyUSB2" -> 35), 0 for a name outside it.
int Com_Port_Number(const QString& device_name);

// Port numbers of the given device names, as List_COM_Ports returns them.
QStringList Com_Ports_Of(const QStringList& device_names);

} // namespace UComon
