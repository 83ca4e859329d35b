#include "fileops/gui/Programmamenu.h"

#include "dialogs/Msg.h"
#include "fileops/Openen.h"
#include "platform/Programmas.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QUrl>

namespace Vamox {

namespace {
QString FileZilla()
{
    return ProgrammaOpPad(QStringLiteral("filezilla"));
}
} // namespace

Programmamenu::Programmamenu(const Besturing& besturing)
    : m_b(besturing), m_programmas{{
                          {m_b.mnuProgrammasKladblok, ".txt", "Kladblok"},
                          {m_b.mnuProgrammasPaint, ".bmp", "Paint"},
                          {m_b.mnuPdfReader, ".pdf", "Pdf reader"},
                          {m_b.mnuProgrammasOpenOffice, ".odt", "OpenOffice"},
                          {m_b.mnuProgrammasMOAccess, ".mdb", "Access"},
                          {m_b.mnuProgrammasMOExcel, ".xls", "Excel"},
                          {m_b.mnuProgrammasMOWord, ".doc", "Word"},
                      }}
{
    for (const Programma& p : m_programmas)
        connect(p.item, &QAction::triggered, this,
                [this, p] { ProgrammaOpenen(QLatin1String(p.voorbeeld), QLatin1String(p.naam)); });
    connect(m_b.mnuProgrammasFileZilla, &QAction::triggered, this, [this] { MenuFileZilla(true); });
    connect(m_b.mnuProgrammasEmail, &QAction::triggered, this, &Programmamenu::mnuProgrammasEmail_Click);
    connect(m_b.mnuProgrammas, &QMenu::aboutToShow, this, &Programmamenu::ProgrammasBijwerken);
    m_b.mnuProgrammas->setToolTipsVisible(true);
    m_b.mnuProgrammasMO->setToolTipsVisible(true);
    MenuFileZilla(false);
}

void Programmamenu::ProgrammasBijwerken()
{
    bool office = false;
    for (const Programma& p : m_programmas) {
        const QString programma = GekoppeldProgramma(QLatin1String(p.voorbeeld));
        p.item->setEnabled(!programma.isEmpty());
        p.item->setToolTip(programma.isEmpty()
                               ? QStringLiteral("Geen programma voor ") + QLatin1String(p.voorbeeld) +
                                     QStringLiteral("-bestanden gevonden")
                               : QStringLiteral("Start ") + QDir::toNativeSeparators(programma));
        if (p.item->parent() == m_b.mnuProgrammasMO) office = office || !programma.isEmpty();
    }
    m_b.mnuProgrammasMO->menuAction()->setEnabled(office);
}

void Programmamenu::ProgrammaOpenen(const QString& voorbeeld, const QString& naam)
{
    const QString programma = GekoppeldProgramma(voorbeeld);
    if (!programma.isEmpty() && ProgrammaStarten(programma, {})) return;
    Melding(QStringLiteral("Programma niet gevonden: ") + naam + u'.', 1);
}

void Programmamenu::MenuFileZilla(bool openen)
{
    const QString programma = FileZilla();
    if (!openen) {
        if (!programma.isEmpty()) {
            m_b.mnuProgrammasFileZilla->setVisible(true);
            m_b.mnuProgrammasFileZilla->setToolTip(QStringLiteral("Start ") + programma);
        }
        return;
    }
    ProgrammaStarten(programma, {});
}

void Programmamenu::mnuProgrammasEmail_Click()
{
    if (!QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:?cc=&bcc=&subject=&body="))))
        Melding(QStringLiteral("Programma voor e-mail verzenden niet gevonden."), 1);
}

} // namespace Vamox
