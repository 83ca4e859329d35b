#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QToolButton;
class QWidget;

namespace Vamox {

class LokaalPaneel;
class Navigatie;
class ServerPaneel;
class Wachtrij;

// Puts the selected files of the active side on the clipboard as files a file manager pastes.
// Server files are fetched into the work folder first and offered from there.
class Klembord final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Klembord)

public:
    struct Besturing
    {
        QWidget* venster = nullptr; // its caption shows the preparation
        QToolButton* knopKopierenNaarKlembord = nullptr;
        QAction* mnuBestandLokaalKopierenNaarKlembord = nullptr;
        QAction* mnuBestandFtpKopierenNaarKlembord = nullptr;
        const QString* tijdelijkeMap = nullptr;
    };

    Klembord(LokaalPaneel& lokaal, ServerPaneel& server, Navigatie& navigatie, Wachtrij& wachtrij,
             const Besturing& besturing);
    ~Klembord() override;

    void NaarKlembordBestandenKopieren();

    // The existing files among the paths, in order, on the clipboard; false when none remained
    // or the clipboard refused them.
    static bool BestandenNaarKlembord(const QStringList& paden);

private:
    void Kopieren(bool lokaal);
    QString TipTekst() const;

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    Navigatie& m_navigatie;
    Wachtrij& m_wachtrij;
    Besturing m_b;
};

} // namespace Vamox
