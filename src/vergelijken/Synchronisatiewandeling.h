#pragma once

#include "ftp/FtpGegevens.h"
#include "vergelijken/Synchronisatie.h"
#include "vergelijken/Tijdverschil.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace Vamox {

class FtpSession;

// The roots of a pair: a local folder and a server folder ("/www").
struct Syncpaar
{
    QString lokaal;
    QString server;
};

// Walks both trees of a pair and plans, folder by folder as the listings come: the server tree
// over several connections of its own at once (logged in as the panes' session), each taking the
// next folder to list; the local folder of the same place is read beside it. Server names that
// are no plain names are left out (counted): nothing is written or deleted under them. Links to
// folders are not followed on either side (a server link's name is left out on both), linked
// local files only inside the local root. A folder that could not be listed on either side plans
// nothing (counted), never an empty folder.
//
// Lives on the thread that made it; its signals come on that thread.
class Synchronisatiewandeling final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Synchronisatiewandeling)

public:
    struct Einde
    {
        bool volledig = false; // every folder was listed on both sides
        int mislukteMappen = 0;
        int geweigerd = 0; // server names left out
        int links = 0;     // server links to folders left out, with the local entries of their names
        Syncstaat staat;   // the state as this walk found it (see Mapvergelijking::staat)
    };

    Synchronisatiewandeling(const FtpAanmelding& aanmelding, Syncpaar paar, Synckeuzes keuzes, Serverklok klok,
                            std::optional<Syncstaat> vorige, int verbindingen, QObject* parent = nullptr);
    ~Synchronisatiewandeling() override; // stops the walk, logs out

    void Starten();
    void Stoppen();
    bool Bezig() const { return m_bezig; }

Q_SIGNALS:
    // The actions of one folder, as it was compared.
    void regels(const std::vector<Vamox::Syncregel>& deel);
    void voortgang(qint64 mappen, qint64 bestanden);
    void klaar(const Vamox::Synchronisatiewandeling::Einde& einde);

private:
    struct Gedeeld;
    void mapKlaar(Mapvergelijking m, qint64 bestanden);
    void sessieKlaar();

    FtpAanmelding m_aanmelding;
    std::shared_ptr<Gedeeld> m_gedeeld;
    std::vector<std::unique_ptr<FtpSession>> m_sessies;
    int m_verbindingen;
    int m_levend = 0;
    qint64 m_mappen = 0, m_bestanden = 0;
    Syncstaat m_staat;
    bool m_bezig = false;
};

} // namespace Vamox
