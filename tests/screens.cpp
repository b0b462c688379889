// Developer tool: renders every window of a fresh program to PNG files, in the
// built-in English or in the language of a given language file.
//   dravian_screens OUT_DIR [LANGUAGE_FILE]
#include "app/UDravianFirmWare.h"
#include "app/UForms.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "comm_settings/UParGen.h"
#include "common/Comon_State.h"
#include "dali/UDALI_Access.h"
#include "options/UAbout.h"
#include "options/USoftOptions.h"
#include "texts/Text_Table.h"
#include "update/UBoot.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir program;
    QDir(program.path()).mkpath(QStringLiteral("PROJECTS/Demo/bin"));
    // The shipped language files, as beside the program.
    QDir(program.path()).mkpath(QStringLiteral("LANGUAGE"));
    const QDir shipped(QCoreApplication::applicationDirPath() + QStringLiteral("/LANGUAGE"));
    for (const QString& f : shipped.entryList(QDir::Files))
        QFile::copy(shipped.filePath(f), program.path() + QStringLiteral("/LANGUAGE/") + f);
    QString lang = QStringLiteral("English");
    if (argc > 2) {
        const QFileInfo fi(QString::fromLocal8Bit(argv[2]));
        lang = fi.completeBaseName();
        QDir(program.path()).mkpath(QStringLiteral("LANGUAGE"));
        QFile::copy(fi.absoluteFilePath(), program.path() + QStringLiteral("/LANGUAGE/") + fi.fileName());
    }
    QFile settings(program.path() + QStringLiteral("/Dravian.xml"));
    if (settings.open(QIODevice::WriteOnly))
        settings.write(QStringLiteral("<Conf_Settings><lastproj><projectname>%1</projectname></lastproj>"
                                      "<lastlang><language>%2</language></lastlang></Conf_Settings>")
                           .arg(argc > 3 ? QString() : QStringLiteral("Demo"), lang)
                           .toUtf8());
    settings.close();
    Forms::Create_All(program.path());
    const QList<QWidget*> windows = {Forms::FDravianFirmWare, Forms::FNew_Project, Forms::FOpenConf,
                                     Forms::FAbout,           Forms::FSoftOptions, Forms::FParGen,
                                     Forms::FDALI_Access,     Forms::FBoot};
    for (QWidget* w : windows) {
        w->show();
        QApplication::processEvents();
        const QString file = out + QLatin1Char('/') + lang + QLatin1Char('_') + w->objectName() + ".png";
        w->grab().save(file);
        if (auto* tabs = w->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            // Every page of a window with pages.
            for (int i = 1; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                QApplication::processEvents();
                w->grab().save(out + QLatin1Char('/') + lang + QLatin1Char('_') + w->objectName() +
                               QString::number(i + 1) + ".png");
            }
        }
        w->hide();
    }
    // The other pages of the DALI access window.
    for (int page = 1; page < Forms::FDALI_Access->PC_DALI->count(); ++page) {
        Forms::FDALI_Access->PC_DALI->setCurrentIndex(page);
        Forms::FDALI_Access->show();
        QApplication::processEvents();
        const QString file = out + QLatin1Char('/') + lang + QStringLiteral("_FDALI_Access_%1.png").arg(page);
        Forms::FDALI_Access->grab().save(file);
        Forms::FDALI_Access->hide();
    }
    Forms::FDravianFirmWare->close();
    Forms::Destroy_All();
    return 0;
}
