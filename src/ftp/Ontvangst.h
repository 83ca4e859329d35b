#pragma once

#include <QFile>
#include <QString>

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
    bool schrijf(const char* data, qint64 lengte) { return m_bestand.write(data, lengte) == lengte; }
    qint64 grootte() const { return m_bestand.isOpen() ? m_bestand.size() : 0; }
    bool leegmaken() { return m_bestand.resize(0) && m_bestand.seek(0); }
    bool vastleggen();
    void weg();

private:
    QString m_doel;
    QFile m_bestand;
    bool m_vastgelegd = false;
};

} // namespace Vamox
