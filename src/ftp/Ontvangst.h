#pragma once

#include <QFile>
#include <QString>

#include <algorithm>

namespace Vamox {

// A download is received under a temporary name beside the target, which only a complete file
// replaces: a broken transfer leaves the old file as it was. Unlike QSaveFile there is no sync
// to disk before the rename (it guards against a broken connection, not a power cut, and
// syncing a large file costs seconds), and a target that is a link is replaced, not followed.
class Ontvangst final
{
public:
    explicit Ontvangst(const QString& doel) : m_doel(doel) {}
    ~Ontvangst() { weg(); }
    Q_DISABLE_COPY_MOVE(Ontvangst)

    bool open();
    bool schrijf(const char* data, qint64 lengte)
    {
        // A part never writes into the next one: it is full (false) once bytes come beyond it.
        if (m_eind >= 0 && lengte > m_eind - m_bestand.pos()) {
            const qint64 ruimte = m_eind - m_bestand.pos();
            m_vol = ruimte <= 0 || m_bestand.write(data, ruimte) == ruimte;
            return false;
        }
        return m_bestand.write(data, lengte) == lengte;
    }
    // Whether the part's bytes are all in and more came.
    bool vol() const { return m_vol; }
    // A part of a file moved in parts: bytes [vanaf, eind) of the existing temporary file
    // `bestand`, which stays whatever becomes of the part.
    bool deel(const QString& bestand, qint64 vanaf, qint64 eind);
    qint64 deelBinnen() const { return m_bestand.pos() - m_begin; }
    // The temporary file at its full size, for parts to fill.
    bool reserveren(qint64 grootte) { return m_bestand.resize(grootte); }
    QString bestand() const { return m_bestand.fileName(); }
    qint64 grootte() const { return m_bestand.isOpen() ? m_bestand.size() : 0; }
    bool leegmaken() { return m_bestand.resize(0) && m_bestand.seek(0); }
    bool vastleggen();
    void weg();

private:
    QString m_doel;
    QFile m_bestand;
    bool m_vastgelegd = false;
    qint64 m_begin = 0;
    qint64 m_eind = -1;
    bool m_vol = false;
};

} // namespace Vamox
