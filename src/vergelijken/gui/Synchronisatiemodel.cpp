#include "vergelijken/gui/Synchronisatiemodel.h"

#include "panes/Opmaak.h"

#include <QDateTime>

#include <map>

namespace Vamox {

namespace {

QString Tijd(const Synckant& k)
{
    if (!k.bestaat || !k.tijd.bekend()) return {};
    // A plain count of the local clock: read as UTC to show it as it is.
    const QDateTime t = QDateTime::fromSecsSinceEpoch(k.tijd.van, Qt::UTC);
    const qint64 breedte = k.tijd.tot - k.tijd.van;
    return t.toString(breedte >= 86400 ? QStringLiteral("dd-MM-yyyy")
                      : breedte >= 60  ? QStringLiteral("dd-MM-yyyy HH:mm")
                                       : QStringLiteral("dd-MM-yyyy HH:mm:ss"));
}

QString Grootte(const Synckant& k)
{
    if (!k.bestaat) return {};
    return k.isMap ? QStringLiteral("map") : GetalTekst(k.grootte);
}

} // namespace

void Synchronisatiemodel::Toevoegen(const std::vector<Syncregel>& regels)
{
    if (regels.empty()) return;
    const int eerste = int(m_regels.size());
    beginInsertRows({}, eerste, eerste + int(regels.size()) - 1);
    m_regels.insert(m_regels.end(), regels.begin(), regels.end());
    endInsertRows();
    Q_EMIT aantekeningGewijzigd();
}

void Synchronisatiemodel::Wissen()
{
    beginResetModel();
    m_regels.clear();
    endResetModel();
    Q_EMIT aantekeningGewijzigd();
}

void Synchronisatiemodel::Omzetten(const std::function<bool(const Syncregel&)>& welke)
{
    bool alleAan = true;
    for (const Syncregel& r : m_regels)
        if (welke(r) && !r.aan) alleAan = false;
    for (Syncregel& r : m_regels)
        if (welke(r)) r.aan = !alleAan;
    if (!m_regels.empty()) Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
    Q_EMIT aantekeningGewijzigd();
}

QString Synchronisatiemodel::Totalen() const
{
    std::map<Syncactie, std::pair<qint64, qint64>> per;
    for (const Syncregel& r : m_regels) {
        if (!r.aan) continue;
        auto& [aantal, bytes] = per[r.actie];
        ++aantal;
        const Synckant& bron = r.actie == Syncactie::Downloaden ? r.server : r.lokaal;
        if (r.actie == Syncactie::Uploaden || r.actie == Syncactie::Downloaden) bytes += std::max<qint64>(bron.grootte, 0);
    }
    QStringList delen;
    for (const auto& [actie, t] : per) {
        QString deel = ActieWoord(actie) + QStringLiteral(": ") + GetalTekst(t.first);
        if (actie == Syncactie::Uploaden || actie == Syncactie::Downloaden)
            deel += (t.first == 1 ? QStringLiteral(" bestand, ") : QStringLiteral(" bestanden, ")) + GrootteTekst(t.second);
        delen << deel;
    }
    return delen.isEmpty() ? QStringLiteral("Niets aangevinkt") : delen.join(QStringLiteral("; "));
}

int Synchronisatiemodel::rowCount(const QModelIndex& ouder) const
{
    return ouder.isValid() ? 0 : int(m_regels.size());
}

int Synchronisatiemodel::columnCount(const QModelIndex& ouder) const
{
    return ouder.isValid() ? 0 : Aantal;
}

QVariant Synchronisatiemodel::data(const QModelIndex& index, int rol) const
{
    if (!index.isValid() || std::size_t(index.row()) >= m_regels.size()) return {};
    const Syncregel& r = m_regels[std::size_t(index.row())];
    if (rol == Qt::CheckStateRole && index.column() == Actie) return r.aan ? Qt::Checked : Qt::Unchecked;
    if (rol != Qt::DisplayRole && rol != Qt::ToolTipRole) return {};
    switch (index.column()) {
    case Actie:
        return r.conflict ? QStringLiteral("Conflict: ") + ActieWoord(r.actie) : ActieWoord(r.actie);
    case Map:
        return r.map.isEmpty() ? QStringLiteral(".") : r.map;
    case Naam:
        return r.naam;
    case GrootteLokaal:
        return Grootte(r.lokaal);
    case TijdLokaal:
        return Tijd(r.lokaal);
    case GrootteServer:
        return Grootte(r.server);
    case TijdServer:
        return Tijd(r.server);
    case Reden:
        return r.reden;
    default:
        return {};
    }
}

bool Synchronisatiemodel::setData(const QModelIndex& index, const QVariant& waarde, int rol)
{
    if (!index.isValid() || rol != Qt::CheckStateRole || index.column() != Actie) return false;
    m_regels[std::size_t(index.row())].aan = waarde.toInt() == Qt::Checked;
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    Q_EMIT aantekeningGewijzigd();
    return true;
}

Qt::ItemFlags Synchronisatiemodel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == Actie) f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant Synchronisatiemodel::headerData(int sectie, Qt::Orientation richting, int rol) const
{
    if (richting != Qt::Horizontal || rol != Qt::DisplayRole) return {};
    static const char* const koppen[] = {"Actie", "Map", "Naam", "Lokaal", "Tijd lokaal", "Server", "Tijd server", "Waarom"};
    return sectie >= 0 && sectie < Aantal ? QString::fromUtf8(koppen[sectie]) : QVariant();
}

} // namespace Vamox
