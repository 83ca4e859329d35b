#pragma once

#include "ftp/FtpGegevens.h"
#include "vergelijken/Synchronisatiestaat.h"
#include "vergelijken/Synchronisatiewandeling.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace Vamox {

class Synchronisatiemodel;
class Synchronisatieuitvoering;
class Wachtrij;

// "Synchroniseren…": the choices for a pair of folders, the checklist of what the walk plans (rows
// come in while it goes on), and "Uitvoeren", which hands the ticked rows to the transfer queue.
// Nothing changes on either side before that.
class Synchronisatievenster final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Synchronisatievenster)

public:
    struct Gegevens
    {
        FtpAanmelding aanmelding;
        Syncpaar paar;
        Serverklok klok;
        QString staatMap;    // where the pair's state file goes
        QString serverNaam;  // the saved server, for the state file's name
        QString patroonLokaal, patroonServer;
        int verbindingen = 3;
        // The server's last synchronise: its choices are taken, its pair is one click away.
        std::optional<Syncherinnering> vorige;
    };

    Synchronisatievenster(Wachtrij& wachtrij, Gegevens gegevens, QWidget* ouder = nullptr);
    ~Synchronisatievenster() override;

    Synckeuzes Keuzes() const;
    void ZetKeuzes(const Synckeuzes& keuzes, bool patronen);
    bool Patronen() const;
    const Synchronisatiemodel& Model() const { return *m_model; }

    // Walks anew with the choices shown.
    void Vergelijken();
    void Uitvoeren();

Q_SIGNALS:
    // The ticked rows went to the queue: the pair and choices to remember.
    // `run` lives on with the queue until its stages end (and after).
    void uitgevoerd(const Vamox::Syncherinnering& herinnering, Vamox::Synchronisatieuitvoering* run);

private:
    void keuzesGewijzigd();
    void regelZetten();

    Wachtrij& m_wachtrij;
    Gegevens m_gegevens;
    Synchronisatiemodel* m_model;
    std::unique_ptr<Synchronisatiewandeling> m_wandeling;
    std::optional<Synchronisatiewandeling::Einde> m_einde;
    QComboBox* m_richting;
    QComboBox* m_wijze;
    QComboBox* m_criterium;
    QCheckBox* m_submappen;
    QCheckBox* m_patronen;
    QTableView* m_lijst;
    QLabel* m_paar;
    QLabel* m_stand;
    QLabel* m_totalen;
    QPushButton* m_uitvoeren;
    qint64 m_mappen = 0, m_bestanden = 0;
};

} // namespace Vamox
