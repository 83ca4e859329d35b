#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace Vamox {

// The "&Programma's" menu: programs started without a document, found as the desktop's program
// for a kind of file, and the e-mail program.
class Programmamenu final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Programmamenu)

public:
    struct Besturing
    {
        QAction* mnuProgrammasEmail = nullptr;
        QAction* mnuProgrammasKladblok = nullptr;
        QAction* mnuProgrammasPaint = nullptr;
        QAction* mnuProgrammasFileZilla = nullptr;
        QAction* mnuPdfReader = nullptr;
        QAction* mnuProgrammasOpenOffice = nullptr;
        QAction* mnuProgrammasMOAccess = nullptr;
        QAction* mnuProgrammasMOExcel = nullptr;
        QAction* mnuProgrammasMOWord = nullptr;
    };

    explicit Programmamenu(const Besturing& besturing);

    // Starts the program that opens files like `voorbeeld` (".doc"); `naam` names it in the
    // notice when there is none.
    void ProgrammaOpenen(const QString& voorbeeld, const QString& naam);
    // `openen` false: shows the FileZilla item when the program is on PATH; true: starts it.
    void MenuFileZilla(bool openen);
    void mnuProgrammasEmail_Click();

private:
    Besturing m_b;
};

} // namespace Vamox
