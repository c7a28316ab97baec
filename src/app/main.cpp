#include "app/application.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Parlog"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon.svg")));

    parlog::Services services;
    services.programFolder = QApplication::applicationDirPath();
    parlog::Application app(std::move(services));
    app.checkDataFile();
    app.show(QStringLiteral("main"));
    return QApplication::exec();
}
