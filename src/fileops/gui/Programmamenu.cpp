#include "fileops/gui/Programmamenu.h"

#include "dialogs/Msg.h"
#include "fileops/Openen.h"
#include "platform/Programmas.h"

#include <QAction>
#include <QDesktopServices>
#include <QUrl>

namespace Vamox {

namespace {
QString FileZilla()
{
    return ProgrammaOpPad(QStringLiteral("filezilla"));
}
} // namespace

Programmamenu::Programmamenu(const Besturing& besturing) : m_b(besturing)
{
    const std::tuple<QAction*, const char*, const char*> items[] = {
        {m_b.mnuProgrammasKladblok, ".txt", "Kladblok"}, {m_b.mnuProgrammasPaint, ".bmp", "Paint"},
        {m_b.mnuPdfReader, ".pdf", "Pdf reader"},        {m_b.mnuProgrammasOpenOffice, ".odt", "OpenOffice"},
        {m_b.mnuProgrammasMOAccess, ".mdb", "Access"},   {m_b.mnuProgrammasMOExcel, ".xls", "Excel"},
        {m_b.mnuProgrammasMOWord, ".doc", "Word"},
    };
    for (const auto& [item, voorbeeld, naam] : items)
        connect(item, &QAction::triggered, this,
                [this, voorbeeld, naam] { ProgrammaOpenen(QLatin1String(voorbeeld), QLatin1String(naam)); });
    connect(m_b.mnuProgrammasFileZilla, &QAction::triggered, this, [this] { MenuFileZilla(true); });
    connect(m_b.mnuProgrammasEmail, &QAction::triggered, this, &Programmamenu::mnuProgrammasEmail_Click);
    MenuFileZilla(false);
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
        if (!programma.isEmpty()) m_b.mnuProgrammasFileZilla->setVisible(true);
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
