#include "app/Projects.h"

#include "app/Settings.h"
#include "common/Comon_State.h"

#include <QDir>
#include <QFileInfo>

namespace UComon {

namespace {

QChar Ascii_Upper(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ? QChar(c.unicode() - 32) : c;
}

bool Same_Ignoring_Ascii_Case(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (Ascii_Upper(a.at(i)) != Ascii_Upper(b.at(i)))
            return false;
    return true;
}

bool Is_Single_Folder_Name(const QString& name) {
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(QChar(0));
}

} // namespace

int Create_Project(const QString& name) {
    if (name.isEmpty())
        return 107;
    if (!Is_Single_Folder_Name(name))
        return 105;
    const QString dir = Join_Path(Projects_Dir, name);
    if (QFileInfo::exists(dir))
        return 106;
    // Folder names do not distinguish case, on every platform.
    const QStringList all =
        QDir(Projects_Dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    if (Search_Open_Conf(all, name) >= 0)
        return 106;
    if (!QDir(Projects_Dir).mkdir(name))
        return 105;
    QDir().mkpath(Join_Path(dir, QStringLiteral("bin"))); // a missing bin is made by the build
    Project_Name = name;
    Project_Dir = dir;
    Set_Files();
    return 0;
}

QStringList Load_Existing_Configuration() {
    QDir d(Projects_Dir);
    if (!d.exists())
        return {};
    // Listed alphabetically without regard to case, so the order is the same on every
    // platform.
    return d.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

int Search_Open_Conf(const QStringList& list, const QString& name) {
    for (int i = 0; i < list.size(); ++i)
        if (Same_Ignoring_Ascii_Case(list.at(i), name))
            return i;
    return -1;
}

void Activate_Project(const QString& name) {
    Project_Name = name;
    Project_Dir = name.isEmpty() ? QString() : Join_Path(Projects_Dir, name);
    Set_Files();
}

} // namespace UComon
