#include "test_support/Temp_Program.h"

#include "common/Comon_State.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

Temp_Program::Temp_Program() { UComon::Reset_State(); }

Temp_Program::~Temp_Program() {
    // Give write access back to anything a test made read-only, so it can be removed.
    QFile::setPermissions(tmp.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    UComon::Reset_State();
}

void Temp_Program::write(const QString& rel, const QByteArray& bytes) const {
    const QString p = path(rel);
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray Temp_Program::read(const QString& rel) const {
    QFile f(path(rel));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
