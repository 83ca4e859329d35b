#include "mainwindow/FrmFtp.h"

#include "config/ConfiguratieVenster.h"
#include "dialogs/Twips.h"
#include "ftp/Verbinding.h"
#include "mainwindow/AppInfo.h"
#include "mainwindow/Indeling.h"
#include "mainwindow/Opbouw.h"
#include "mainwindow/Opstarten.h"
#include "panes/ImageLijst16.h"
#include "panes/Kolommen.h"
#include "panes/LokaalPaneel.h"
#include "panes/Navigatie.h"
#include "panes/ServerPaneel.h"
#include "panes/Selectie.h"
#include "panes/Sorteren.h"
#include "transfer/Bestandsoverdracht.h"
#include "transfer/Mapoverdracht.h"
#include "transfer/Voortgangsweergave.h"

#include <QMenuBar>
#include <QStatusBar>

namespace Vamox {

FrmFtp::FrmFtp(QWidget* parent) : QMainWindow(parent), m_imageLijst16(std::make_unique<ImageLijst16>())
{
    // Resizes do nothing until the controls and their columns exist.
    m_toestand.Laden = true;
    setObjectName(QStringLiteral("frmFtp"));
    setWindowTitle(AppTitel());

    m_ui = BesturingMaken(*this, *m_imageLijst16);
    m_menus = MenusMaken(*this);

    // The design size is the client area below the menu bar; the window starts that big.
    m_toestand.Vensterbreedte = OntwerpBreedte;
    m_toestand.Vensterhoogte = OntwerpHoogte;
    m_indeling = std::make_unique<Indeling>(*this);
    OntwerpPlaatsen(m_ui, *m_indeling);
    // The status bar (the progress of transfers) is always there and never changes height, so
    // showing progress does not change the client area and move the controls.
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setFixedHeight(fontMetrics().height() + 10);
    const QSize client = TwipsSchaal::Van(this).NaarPixels(QSize(OntwerpBreedte, OntwerpHoogte));
    resize(client.width(), client.height() + menuBar()->sizeHint().height() + statusBar()->height());

    LijstKoppenInstellen(*m_ui.LijstLokaal, false);
    LijstKoppenInstellen(*m_ui.LijstFtp, false);
    LijstBKoppenInstellen(*m_ui.LijstBLokaal, false);
    LijstBKoppenInstellen(*m_ui.LijstBFtp, false);
    m_toestand.Laden = false;

    MenuoptiesAanpassen(*this);
    SubsystemenMaken();
    // Loading the window starts the program.
    m_opstarten->Starten();
}

FrmFtp::~FrmFtp()
{
    // Closing a shown window hides its lists, which then ask for header pictures; the image list
    // is a member and goes before the widgets, so they are hidden while it still exists.
    hide();
}

void FrmFtp::SubsystemenMaken()
{
    connect(m_menus.mnuStandaardformaat, &QAction::triggered, m_indeling.get(),
            &Indeling::mnuStandaardformaat_Click);
    // Each subsystem takes *this and connects itself to the controls it serves, e.g.
    //   m_lokaalPaneel = std::make_unique<LokaalPaneel>(*this);
    // Later ones may rely on earlier ones; declare the member after m_indeling.
    m_sorteren = std::make_unique<Sorteren>(*this);
    m_selectie = std::make_unique<Selectie>(*this);
    m_serverPaneel = std::make_unique<ServerPaneel>(*this);
    m_lokaalPaneel = std::make_unique<LokaalPaneel>(*this);
    m_navigatie = std::make_unique<Navigatie>(*this);
    m_verbinding = std::make_unique<Verbinding>(*this);
    m_voortgang = std::make_unique<Voortgangsweergave>(*this);
    m_bestandsoverdracht = std::make_unique<Bestandsoverdracht>(*this);
    m_mapoverdracht = std::make_unique<Mapoverdracht>(*this);
    m_configuratie = std::make_unique<ConfiguratieVenster>(*this);
    m_opstarten = std::make_unique<Opstarten>(*this);
}

} // namespace Vamox
