#pragma once

#include <QObject>
#include <QString>

#include <array>

class QAction;
class QMenu;

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
        QMenu* mnuProgrammas = nullptr;
        QMenu* mnuProgrammasMO = nullptr;
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

    // Enables each program item only where the desktop has a program for its kind of file, and
    // names that program in the item's tip. Runs when the menu opens.
    void ProgrammasBijwerken();

    // Starts the program that opens files like `voorbeeld` (".doc"); `naam` names it in the
    // notice when there is none.
    void ProgrammaOpenen(const QString& voorbeeld, const QString& naam);
    // `openen` false: shows the FileZilla item when the program is on PATH; true: starts it.
    void MenuFileZilla(bool openen);
    void mnuProgrammasEmail_Click();

private:
    struct Programma
    {
        QAction* item;
        const char* voorbeeld; // a file name whose kind selects the program
        const char* naam;
    };

    Besturing m_b;
    std::array<Programma, 7> m_programmas;
};

} // namespace Vamox
