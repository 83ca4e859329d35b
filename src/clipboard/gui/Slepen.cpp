#include "clipboard/gui/Slepen.h"

#include "clipboard/Sleepdata.h"
#include "clipboard/Werkmap.h"
#include "dialogs/Msg.h"
#include "fileops/Verwijderen.h"
#include "transfer/Werkplekken.h"
#include "ftp/FtpPaden.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/ServerPaneel.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/gui/Mapoverdracht.h"
#include "transfer/gui/Overdrachtsrun.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>

namespace Vamox {

Slepen::Slepen(LokaalPaneel& lokaal, ServerPaneel& server, Selectie& selectie, Mapoverdracht& mapoverdracht,
               Wachtrij& wachtrij, const Besturing& besturing)
    : m_lokaal(lokaal), m_server(server), m_selectie(selectie), m_mapoverdracht(mapoverdracht),
      m_wachtrij(wachtrij), m_b(besturing)
{
    for (LijstWeergave* lijst :
         {lokaal.ui().mappen, lokaal.ui().bestanden, server.ui().mappen, server.ui().bestanden})
        lijst->setDragEnabled(true);
    connect(lokaal.ui().mappen, &LijstWeergave::slepenBegint, this, &Slepen::LijstLokaal_Slepen);
    connect(lokaal.ui().bestanden, &LijstWeergave::slepenBegint, this, &Slepen::LijstBLokaal_Slepen);
    connect(server.ui().mappen, &LijstWeergave::slepenBegint, this, &Slepen::LijstFtp_Slepen);
    connect(server.ui().bestanden, &LijstWeergave::slepenBegint, this, &Slepen::LijstBFtp_Slepen);
    for (QAction* optie : {m_b.mnuMapFtpBuitenDownloaden, m_b.mnuBestandFtpBuitenDownloaden}) {
        optie->setEnabled(true);
        connect(optie, &QAction::triggered, this, [this, optie](bool aan) { BuitenOptie(optie, aan); });
    }
}

Slepen::~Slepen() = default;

bool BuitenNeerzettenToestaan()
{
    return JaNee({.Tekst = QStringLiteral("OLE neerzetten (downloaden) buiten venster mogelijk maken?\r\n"
                                          "Dit betekent wel dat het downloaden langer duurt.\r\n\r\n"
                                          "Als deze optie is geactiveerd, is de achtergrondkleur van de "
                                          "lijst lichtgroen."),
                  .Pictogram = 3,
                  .Codes = QStringLiteral("2+1")});
}

void Slepen::BuitenOptie(QAction* optie, bool aan)
{
    if (aan && !BuitenNeerzettenToestaan()) optie->setChecked(false);
}

bool Slepen::BuitenMode(const QAction* optie) const
{
    return optie->isChecked() || (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier);
}

void Slepen::Uitvoeren(LijstWeergave& lijst, QMimeData* data, bool& vlag)
{
    vlag = true;
    if (m_uitvoerder) {
        const std::unique_ptr<QMimeData> eigen(data);
        m_uitvoerder(*data);
    } else {
        auto* slepen = new QDrag(&lijst);
        slepen->setMimeData(data);
        slepen->exec(Qt::CopyAction);
    }
    vlag = false;
}

void Slepen::LijstLokaal_Slepen()
{
    LijstWeergave& lijst = *m_lokaal.ui().mappen;
    const int rij = GeselecteerdeRij(lijst);
    if (rij < 0) return;
    const QString naam = lijst.lijstModel().Rij(rij).naam;
    if (SpatiesWeg(naam) == QLatin1String("..")) return;
    auto* data = new QMimeData;
    LokalePadenZetten(*data, {QDir::cleanPath(m_lokaal.HuidigeLokalemap() + naam)});
    Uitvoeren(lijst, data, m_vlaggen.LokaleMapSlepen);
}

void Slepen::LijstBLokaal_Slepen()
{
    LijstWeergave& lijst = *m_lokaal.ui().bestanden;
    int positie = 0;
    const QStringList namen = GeselecteerdeNamen(lijst, positie);
    if (positie == 0) return;
    QStringList paden;
    for (qsizetype i = 1; i < namen.size(); ++i)
        paden.push_back(m_lokaal.HuidigeLokalemap() + namen.at(i));
    auto* data = new QMimeData;
    LokalePadenZetten(*data, paden);
    Uitvoeren(lijst, data, m_vlaggen.LokaalBestandSlepen);
}

void Slepen::LijstBFtp_Slepen()
{
    LijstWeergave& lijst = *m_server.ui().bestanden;
    int positie = 0;
    const QStringList namen = GeselecteerdeNamen(lijst, positie);
    if (positie == 0) return;
    QStringList serverpaden;
    std::vector<Serverbestand> bestanden;
    for (qsizetype i = 1; i < namen.size(); ++i) {
        serverpaden.push_back(m_server.HuidigeServermap() + namen.at(i));
        bestanden.push_back({serverpaden.back(), -1, namen.at(i)});
    }
    auto* data = new QMimeData;
    ServerpadenZetten(*data, serverpaden);

    const bool buiten = BuitenMode(m_b.mnuBestandFtpBuitenDownloaden);
    qint64 mislukt = 0;
    if (buiten) {
        m_selectie.ZetBuitenSlepen(&lijst);
        Wachtstand wacht(*m_b.venster);
        wacht.Tonen(QStringLiteral("Even geduld. Downloaden buiten venster voorbereiden..."));
        const Werkmapkopie kopie =
            InWerkmapHalen(m_wachtrij, bestanden, WerkplekPad(*m_b.tijdelijkeMap, Werkplek::Slepen));
        mislukt = kopie.mislukt;
        // Only what arrived is handed over: never an older copy, never a missing file.
        if (!kopie.paden.isEmpty()) LokalePadenZetten(*data, kopie.paden);
    }
    Uitvoeren(lijst, data, m_vlaggen.ServerbestandSlepen);
    if (buiten) m_selectie.ZetBuitenSlepen(nullptr);
    if (mislukt > 0)
        Melding(QStringLiteral("Het downloaden buiten venster is geheel/gedeeltelijk misgegaan."), 4);
}

void Slepen::LijstFtp_Slepen()
{
    LijstWeergave& lijst = *m_server.ui().mappen;
    const int rij = GeselecteerdeRij(lijst);
    if (rij < 0) return;
    const QString naam = lijst.lijstModel().Rij(rij).naam;
    if (SpatiesWeg(naam) == QLatin1String("..")) return;
    auto* data = new QMimeData;
    ServerpadenZetten(*data, {m_server.HuidigeServermap() + naam});

    const bool buiten = BuitenMode(m_b.mnuMapFtpBuitenDownloaden);
    std::unique_ptr<Wachtstand> wacht;
    if (buiten) {
        m_selectie.ZetBuitenSlepen(&lijst);
        QApplication::beep();
        wacht = std::make_unique<Wachtstand>(*m_b.venster);
        wacht->Tonen(QStringLiteral("Even geduld. Downloaden buiten venster voorbereiden..."));
        const QString plek = WerkplekPad(*m_b.tijdelijkeMap, Werkplek::Slepen);
        const QString doel = LokaalDoelPad(plek, naam);
        if (!doel.isEmpty()) {
            LokaalWissen(doel);
            QDir().mkpath(plek);
            m_mapoverdracht.ServermapSlepen = true;
            const bool gelukt = m_mapoverdracht.DownloadenServermap(m_server.HuidigeServermap() + naam, plek);
            m_mapoverdracht.ServermapSlepen = false;
            // A tree that did not fully arrive is not handed over as if it had.
            if (gelukt && QFileInfo(doel).isDir()) LokalePadenZetten(*data, {doel});
        }
    }
    Uitvoeren(lijst, data, m_vlaggen.ServermapSlepen);
    if (buiten) m_selectie.ZetBuitenSlepen(nullptr);
}

} // namespace Vamox
