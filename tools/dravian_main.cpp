// The configurator.
#include "app/UDravianFirmWare.h"
#include "app/UForms.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dravian"));
    Forms::Create_All(QCoreApplication::applicationDirPath());
    Forms::FDravianFirmWare->show();
    const int rc = app.exec();
    Forms::Destroy_All();
    return rc;
}
