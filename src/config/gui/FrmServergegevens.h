#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Vamox {

class Wachtwoorden;

// The protocol choice's entry for SFTP, after the three of TlsKeuze.
inline constexpr int SftpKeuze = 3;

// The controls of the server details window, made by ServergegevensOpbouwen.
struct ServergegevensUi
{
    QLabel* LabelAantal = nullptr;
    QPushButton* knopVorige = nullptr;
    QPushButton* knopVolgende = nullptr;
    QPushButton* knopNieuw = nullptr;
    QLabel* knopSelectie = nullptr; // shown while the record is unchanged
    QLabel* knopPotlood = nullptr;  // in the same place, while it is changed
    QLabel* LabelSelectie = nullptr;

    QLabel* LabelNaam = nullptr;
    QComboBox* cboNaam = nullptr;
    QLabel* LabelFtpHost = nullptr;
    QLineEdit* txtFtpHost = nullptr;
    QLabel* LabelGebruikersnaam = nullptr;
    QLineEdit* txtGebruikersnaam = nullptr;
    QLabel* LabelWachtwoord = nullptr;
    QLineEdit* txtWachtwoord = nullptr;
    QLabel* LabelWachtwoordplek = nullptr;
    QComboBox* cboWachtwoordplek = nullptr; // where the password is kept: items in Wachtwoordplek order
    QLabel* LabelFtpPoort = nullptr;
    QComboBox* cboFtpPoort = nullptr;
    QLabel* LabelTls = nullptr;
    QComboBox* cboTls = nullptr; // the protocol: items in TlsKeuze order, then SFTP (SftpKeuze)
    QLabel* LabelWebsite = nullptr;
    QLineEdit* txtWebsite = nullptr;
    QLabel* LabelTijdverschil = nullptr;
    QLineEdit* txtTijdverschil = nullptr; // "+2:00", "-1:30"; empty: measured

    QPushButton* knopOpslaan = nullptr;
    QPushButton* knopVerwijderen = nullptr;
    QPushButton* knopVerbinden = nullptr;
    QPushButton* knopOngedaanmaken = nullptr;
    QPushButton* knopInternet = nullptr;
    QLabel* LabelFormaat = nullptr;
};

// Makes the controls (in tab order) and lays them out for `breedte` twips.
ServergegevensUi ServergegevensOpbouwen(QDialog& venster);
void ServergegevensIndelen(const ServergegevensUi& ui, int breedte);
// The window's design size in twips: its standard size, and its least width.
int ServergegevensBreedte();
int ServergegevensHoogte();

// The server details window: the saved servers one record at a time, to browse, add, change,
// delete and connect to. It edits `serverLijst` and keeps the main window's server box in step;
// what it needs of the rest of the program it asks by signals.
class FrmServergegevens final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrmServergegevens)

public:
    // `wachtwoorden` keeps the passwords where each record says (the keyring, the file, nowhere).
    FrmServergegevens(QStringList& serverLijst, Wachtwoorden& wachtwoorden, QComboBox& cboVerbindingenFtp,
                      bool& verbindenOnderdrukt, QWidget* parent = nullptr);
    ~FrmServergegevens() override;

    // Beside `knop` of the main window `venster`, and shows the record of the chosen server.
    void Openen(const QWidget& venster, const QWidget& knop);
    // A first start: an empty new record, the cursor in the name field.
    void NieuwOpenen(const QWidget& venster, const QWidget& knop);

    const ServergegevensUi& ui() const { return m_ui; }
    bool Gewijzigd() const { return m_gewijzigd; }

    void cboNaamVullen(const QString& naam = QString());
    void cboFtpPoortVullen();
    void Vullen(qsizetype n);
    void Wijzigen(bool gewijzigd);
    void Aanpassen(QWidget* besturing);
    bool Opslaan();
    void OpslaanInfrmFtp(bool verwijderd);
    void IndelingBijwerken();

    void knopNieuw_Click();
    void knopVolgende_Click();
    void knopVorige_Click();
    void knopOpslaan_Click();
    void knopVerwijderen_Click();
    void knopVerbinden_Click();
    void knopInternet_Click();

Q_SIGNALS:
    // The server lines are to be written to the configuration file now.
    void serverregelsOpslaan();
    // The main window's server was deleted: its disconnect button, question included.
    void verbreken();
    // Before connecting from here: the main window closes its connection without a question.
    void verbindingSluiten();
    // The main window's server box holds the server to connect to.
    void verbinden();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Verbinden();
    void Plaatsen(const QWidget& venster, const QWidget& knop);
    void NaamGekozen(int index);
    qsizetype HuidigNr() const;
    void AantalZetten(qsizetype n);
    void TekstSelecteren(QWidget* besturing);
    bool LabelKlik(QObject* object, const QMouseEvent& muis);
    void WachtwoordTonen(const struct ServerRecord& server);
    bool WachtwoordBewaren(qsizetype huidig, struct ServerRecord& server);

    QStringList& m_serverLijst;
    Wachtwoorden& m_wachtwoorden;
    QComboBox& m_servers;
    bool& m_verbindenOnderdrukt;
    ServergegevensUi m_ui;
    bool m_gewijzigd = false;
    bool m_vullen = false;
    bool m_sleutelbosStil = false; // it did not answer once: browsing does not wait for it again
    int m_sleepX = 0;
    QSize m_standaard; // in pixels; the width may grow from it by a drag on LabelFormaat
    int m_sleepBreedte = -1; // width at mouse down on LabelFormaat; -1: no drag
};

} // namespace Vamox
