#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace Vamox {

class LokaalPaneel;
class Paneel;
class ServerPaneel;

// "Gesynchroniseerd bladeren": while on, the two current folders at the moment it was switched
// on are a pair, and every move of one side (opening a folder, going up, typing a folder, another
// drive) is made on the other side too, relative to the pair. A folder the other side lacks is
// made when the user says "Ja"; "Nee" switches it off. Leaving the pair's root on either side
// switches it off, and says so.
class Synchroonbladeren final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Synchroonbladeren)

public:
    Synchroonbladeren(LokaalPaneel& lokaal, ServerPaneel& server, QAction& item);

    bool Aan() const;
    const QString& LokaleWortel() const { return m_lokaleWortel; }
    const QString& ServerWortel() const { return m_serverWortel; }

private:
    void Aanzetten(bool aan);
    void Plannen(bool vanLokaal);
    // One side showed another folder: the other side follows.
    void Volgen(bool vanLokaal);
    bool MappenMaken(bool lokaal, const QString& wortel, const QStringList& delen);
    void Uitzetten(const QString& melding);

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    QAction& m_item;
    QString m_lokaleWortel;
    QString m_serverWortel;
    bool m_volgt = false; // the other side is being moved
};

} // namespace Vamox
