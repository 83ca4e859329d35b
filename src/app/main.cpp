#include "dialogs/QtVertaling.h"
#include "mainwindow/FrmFtp.h"
#include "platform/gui/Pictogramthema.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Vamox::QtVertalingLaden();
    Vamox::PictogramthemaKiezen();
    Vamox::FrmFtp venster;
    venster.Starten();
    venster.show();
    return app.exec();
}
