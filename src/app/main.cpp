#include "mainwindow/FrmFtp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Vamox::FrmFtp venster;
    venster.Starten();
    venster.show();
    return app.exec();
}
