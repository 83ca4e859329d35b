#include "dialogs/QtVertaling.h"
#include "mainwindow/FrmFtp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Vamox::QtVertalingLaden();
    Vamox::FrmFtp venster;
    venster.Starten();
    venster.show();
    return app.exec();
}
