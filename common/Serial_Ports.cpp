#include "common/Serial_Ports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <set>

#ifdef Q_OS_WIN
#include <string>
#include <windows.h>
#endif

namespace UComon {

int Com_Port_Number(const QString& name) {
    static const struct {
        const char* prefix;
        int first;
    } families[] = {{"ttyUSB", 33}, {"ttyACM", 65}, {"ttyS", 1}};
    for (const auto& f : families) {
        const QLatin1String prefix(f.prefix);
        if (!name.startsWith(prefix))
            continue;
        const QString digits = name.mid(prefix.size());
        if (digits.isEmpty() || digits.size() > 2)
            return 0;
        bool ok = false;
        const int n = digits.toInt(&ok);
        if (!ok || n < 0 || n > 31 || !digits.at(0).isDigit() || (digits.size() == 2 && digits.at(0) == '0'))
            return 0;
        return f.first + n;
    }
    return 0;
}

QStringList Com_Ports_Of(const QStringList& names) {
    std::set<int> numbers;
    for (const QString& n : names)
        if (const int p = Com_Port_Number(n))
            numbers.insert(p);
    QStringList out;
    for (int p : numbers)
        out.append(QString::number(p));
    return out;
}

#ifdef Q_OS_WIN

QStringList List_COM_Ports() {
    QStringList out;
    for (int n = 1; n <= 256; ++n) {
        const std::wstring device = L"\\\\.\\COM" + std::to_wstring(n);
        HANDLE h =
            CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            out.append(QString::number(n));
        } else if (GetLastError() == ERROR_ACCESS_DENIED) {
            out.append(QString::number(n)); // held by another program
        }
    }
    return out;
}

#else

QStringList List_COM_Ports() {
    // The system lists its terminals under /sys/class/tty. A serial device has a
    // "device" link; the ttyS entries of a UART driver exist for every possible port
    // and carry the UART type, 0 when no UART answers at that port.
    const QDir tty(QStringLiteral("/sys/class/tty"));
    QStringList present;
    for (const QString& name : tty.entryList(QDir::Dirs | QDir::System | QDir::NoDotAndDotDot)) {
        if (Com_Port_Number(name) == 0)
            continue;
        if (!QFileInfo::exists(tty.filePath(name + QStringLiteral("/device"))))
            continue;
        QFile type(tty.filePath(name + QStringLiteral("/type")));
        if (type.open(QIODevice::ReadOnly) && type.readAll().trimmed() == "0")
            continue;
        present.append(name);
    }
    return Com_Ports_Of(present);
}

#endif

} // namespace UComon
