// A program folder in a temporary directory, with the program-wide state reset.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

struct Temp_Program {
    Temp_Program();
    ~Temp_Program();
    QString dir() const { return tmp.path(); }
    QString path(const QString& rel) const { return tmp.path() + QLatin1Char('/') + rel; }
    // Writes a file (creating its folders) relative to the program folder.
    void write(const QString& rel, const QByteArray& bytes) const;
    QByteArray read(const QString& rel) const;
    QTemporaryDir tmp;
};
