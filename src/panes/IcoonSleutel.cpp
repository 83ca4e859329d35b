#include "panes/IcoonSleutel.h"

#include <QHash>

#include <mutex>
#include <vector>

namespace Vamox {

namespace {

// Every key text ever used, for the life of the program; rows are made on more than one thread.
struct Sleutels
{
    std::mutex slot;
    std::vector<QString> teksten{QString()};
    QHash<QString, quint32> nummers;
};

Sleutels& Alle()
{
    static Sleutels alle;
    return alle;
}

} // namespace

IcoonSleutel::IcoonSleutel(const QString& tekst)
{
    if (tekst.isEmpty()) return;
    Sleutels& s = Alle();
    const std::lock_guard<std::mutex> dicht(s.slot);
    const auto it = s.nummers.constFind(tekst);
    if (it != s.nummers.constEnd()) {
        m_nummer = it.value();
        return;
    }
    m_nummer = quint32(s.teksten.size());
    s.teksten.push_back(tekst);
    s.nummers.insert(tekst, m_nummer);
}

QString IcoonSleutel::tekst() const
{
    if (m_nummer == 0) return {};
    Sleutels& s = Alle();
    const std::lock_guard<std::mutex> dicht(s.slot);
    return s.teksten[m_nummer];
}

} // namespace Vamox
