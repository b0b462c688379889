// Small helpers of the image tests: projects in a temporary folder, hex bytes.
#pragma once

#include "image/Build_Image.h"
#include "test_support/Temp_Program.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace image_test {

inline QString Fixture(const QString& rel) { return QStringLiteral(DRAVIAN_TEST_DATA "/image/") + rel; }

inline QByteArray Read_File(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// "48 E8 01 00" -> bytes.
inline QByteArray Hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

// A DALI2_Access.xml with the given function and rule rows.
inline QByteArray Dali2(const QByteArray& functions, const QByteArray& rules) {
    return "<DALI2_Access>\n<DALI2_Functions_Rules>\n" + functions +
           "</DALI2_Functions_Rules>\n<DALI2_SetAccess_Rules>\n" + rules +
           "</DALI2_SetAccess_Rules>\n</DALI2_Access>\n<!--SW_VERSION = 1.501-->\n";
}

// A project folder PROJECTS/<name> in a temporary program folder.
struct Project {
    Temp_Program program;
    QString name = QStringLiteral("Plant");
    QString dir() const { return program.path(QStringLiteral("PROJECTS/") + name); }
    QString file(const QString& rel) const { return dir() + QLatin1Char('/') + rel; }
    Project() { QDir().mkpath(dir() + QStringLiteral("/bin")); }
    void write(const QString& rel, const QByteArray& bytes) const {
        program.write(QStringLiteral("PROJECTS/") + name + QLatin1Char('/') + rel, bytes);
    }
    // Copies the files of a fixture folder into the project.
    void copy_fixture(const QString& fixture) const {
        for (const char* f : {"ParGen.xml", "DALI_Access.xml", "DALI2_Access.xml"})
            if (QFile::exists(Fixture(fixture + QLatin1Char('/') + QLatin1String(f))))
                write(QLatin1String(f), Read_File(Fixture(fixture + QLatin1Char('/') + QLatin1String(f))));
    }
    USaveBincc::Project_Files files() const { return USaveBincc::Project_Files::In(dir()); }

    // Builds the project; fails the test when the build is refused.
    USaveBincc::Bank_Buffers build(USaveBincc::Config_Image* image_out = nullptr) const {
        USaveBincc::Config_Image image;
        USaveBincc::Bank_Buffers buffers;
        USaveBincc::Build_Error error;
        EXPECT_TRUE(USaveBincc::Build_Image_From(files(), image, buffers, &error))
            << error.One_Line().toStdString();
        if (image_out)
            *image_out = image;
        return buffers;
    }
    // Builds a project that must be refused and returns why.
    USaveBincc::Build_Error refused() const {
        USaveBincc::Config_Image image;
        USaveBincc::Bank_Buffers buffers;
        USaveBincc::Build_Error error;
        EXPECT_FALSE(USaveBincc::Build_Image_From(files(), image, buffers, &error));
        EXPECT_FALSE(buffers.Complete());
        return error;
    }
};

} // namespace image_test
