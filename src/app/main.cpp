#include "dialogs/QtVertaling.h"
#include "mainwindow/FrmFtp.h"
#include "mainwindow/Infomenu.h"
#include "platform/gui/Beelden.h"
#include "platform/gui/Kleurenschema.h"
#include "platform/gui/Pictogramthema.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

// Answered before any window exists, so they work without a display.
bool OptieBeantwoord(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Vamox %s\n", qPrintable(Vamox::Versie()));
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("Gebruik: vamox [--version] [--help]\n"
                        "Vamox, een FTP-programma met twee vensterhelften (FTP, FTPS en SFTP).\n"
                        "Met Shift ingedrukt opstarten: configuratie niet openen.\n");
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (OptieBeantwoord(argc, argv)) return 0;
    QApplication app(argc, argv);
    // The desktop entry's name: Wayland matches windows to their menu entry and icon with it.
    QGuiApplication::setDesktopFileName(QStringLiteral("nl.vamox.Vamox"));
    QApplication::setWindowIcon(Vamox::Programmabeeld());
    Vamox::QtVertalingLaden();
    Vamox::PictogramthemaKiezen();
    Vamox::Kleurenschema schema;
    Vamox::FrmFtp venster;
    venster.Starten();
    venster.show();
    return app.exec();
}
