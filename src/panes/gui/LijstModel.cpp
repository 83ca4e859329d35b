#include "panes/gui/LijstModel.h"

#include "panes/Opmaak.h"
#include "panes/Rijen.h"
#include "panes/RijenSorteren.h"
#include "panes/gui/ImageLijst16.h"
#include "platform/gui/Kleuren.h"
#include "panes/gui/Standkleuren.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QThreadPool>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace Vamox {

namespace {

SorteerKolom SorteerKolomVan(int kolom)
{
    switch (kolom) {
    case LijstModel::KolomGrootte:
    case LijstModel::KolomNGrootte:
        return SorteerKolom::Grootte;
    case LijstModel::KolomDatum:
    case LijstModel::KolomNDatum:
        return SorteerKolom::Datum;
    case LijstModel::KolomRechten:
        return SorteerKolom::Rechten;
    default:
        return SorteerKolom::Naam;
    }
}

QStringList KolomNamen(LijstSoort soort)
{
    if (soort == LijstSoort::Mappen) return {QString()};
    return {QString(), QStringLiteral("Grootte"), QStringLiteral("Datum"), QStringLiteral("nGrootte"),
            QStringLiteral("nDatum"), QStringLiteral("Rechten")};
}

bool Rechts(LijstSoort soort, int kolom)
{
    return soort == LijstSoort::Bestanden &&
           (kolom == LijstModel::KolomGrootte || kolom == LijstModel::KolomDatum);
}

} // namespace

LijstModel::LijstModel(LijstSoort soort, const ImageLijst16* beelden, QObject* parent)
    : QAbstractTableModel(parent), m_soort(soort), m_beelden(beelden), m_kopTeksten(KolomNamen(soort))
{
    for (qsizetype i = 0; i < m_kopTeksten.size(); ++i)
        m_kopIconen.append(QString());
}

void LijstModel::RijenVervangen(std::vector<ListRow> rijen)
{
    beginResetModel();
    std::swap(m_rijen, rijen);
    m_vet.assign(m_rijen.size(), 0);
    endResetModel();
    // The rows of a large folder are let go of beside the window, which shows the new ones
    // meanwhile: mostly names the new rows share (a fill replaces the rows shown while it read).
    if (rijen.size() >= 100000) {
        auto oud = std::make_shared<std::vector<ListRow>>(std::move(rijen));
        QThreadPool::globalInstance()->start([oud] { std::vector<ListRow>().swap(*oud); });
    }
}

void LijstModel::RijToevoegen(ListRow rij)
{
    const int plek = Aantal();
    beginInsertRows({}, plek, plek);
    m_rijen.push_back(std::move(rij));
    m_vet.push_back(0);
    endInsertRows();
}

void LijstModel::RijenToevoegen(std::vector<ListRow>&& rijen)
{
    if (rijen.empty()) return;
    const int plek = Aantal();
    beginInsertRows({}, plek, plek + static_cast<int>(rijen.size()) - 1);
    m_rijen.insert(m_rijen.end(), std::make_move_iterator(rijen.begin()),
                   std::make_move_iterator(rijen.end()));
    m_vet.resize(m_rijen.size(), 0);
    endInsertRows();
}

std::vector<ListRow> LijstModel::RijenNemen()
{
    beginResetModel();
    std::vector<ListRow> rijen = std::exchange(m_rijen, {});
    std::vector<char>().swap(m_vet);
    endResetModel();
    return rijen;
}

void LijstModel::Leegmaken()
{
    RijenVervangen({});
}

void LijstModel::ZetKopTekst(int kolom, const QString& tekst)
{
    if (kolom < 0 || kolom >= m_kopTeksten.size() || m_kopTeksten[kolom] == tekst) return;
    m_kopTeksten[kolom] = tekst;
    emit headerDataChanged(Qt::Horizontal, kolom, kolom);
}

void LijstModel::ZetKopIcoon(int kolom, const QString& sleutel)
{
    if (kolom < 0 || kolom >= m_kopIconen.size() || m_kopIconen[kolom] == sleutel) return;
    m_kopIconen[kolom] = sleutel;
    emit headerDataChanged(Qt::Horizontal, kolom, kolom);
}

void LijstModel::KopIconenWissen()
{
    for (int k = 0; k < m_kopIconen.size(); ++k)
        ZetKopIcoon(k, QString());
}

void LijstModel::ZetCursief(bool aan)
{
    if (m_cursief == aan) return;
    m_cursief = aan;
    AllesVeranderd({Qt::FontRole});
}

void LijstModel::ZetGrijs(bool aan)
{
    if (m_grijs == aan) return;
    m_grijs = aan;
    AllesVeranderd({Qt::ForegroundRole});
}

void LijstModel::ZetVet(int rij, bool aan)
{
    if (rij < 0 || rij >= Aantal() || Vet(rij) == aan) return;
    m_vet[static_cast<size_t>(rij)] = aan ? 1 : 0;
    emit dataChanged(index(rij, 0), index(rij, columnCount() - 1), {Qt::FontRole});
}

void LijstModel::NaamZetten(int rij, const QString& naam, const QString& icoonSleutel)
{
    if (rij < 0 || rij >= Aantal()) return;
    ListRow& r = m_rijen[static_cast<size_t>(rij)];
    r.naam = naam;
    if (!icoonSleutel.isEmpty()) r.icoonSleutel = icoonSleutel;
    emit dataChanged(index(rij, 0), index(rij, 0));
    emit naamGewijzigd();
}

void LijstModel::ZetStanden(std::shared_ptr<const Standen> standen)
{
    const int kolom = int(m_kopTeksten.size());
    if (standen && !m_standen) {
        beginInsertColumns({}, kolom, kolom);
        m_standen = std::move(standen);
        endInsertColumns();
    } else if (!standen && m_standen) {
        beginRemoveColumns({}, kolom, kolom);
        m_standen.reset();
        endRemoveColumns();
    } else {
        m_standen = std::move(standen);
        // Not as dataChanged over every row: a tree view walks every row of such a range to find
        // what it shows. The marks change nothing but what is drawn.
        emit standenGewijzigd();
    }
}

Stand LijstModel::StandVan(int rij) const
{
    if (!m_standen || rij < 0 || rij >= Aantal()) return Stand::Onbekend;
    return m_standen->value(Rij(rij).naam, Stand::Onbekend);
}

Qt::ItemFlags LijstModel::flags(const QModelIndex& index) const
{
    // Rows never have children: a view lays out a million rows without asking each one.
    Qt::ItemFlags f = QAbstractTableModel::flags(index) | Qt::ItemNeverHasChildren;
    if (index.isValid()) f |= Qt::ItemIsDragEnabled;
    if (index.isValid() && index.column() == KolomNaam) f |= Qt::ItemIsEditable;
    return f;
}

bool LijstModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != KolomNaam || index.row() >= Aantal())
        return false;
    emit naamBewerkt(index.row(), value.toString());
    return false;
}

void LijstModel::AllesVeranderd(const QList<int>& rollen)
{
    if (m_rijen.empty()) return;
    emit dataChanged(index(0, 0), index(Aantal() - 1, columnCount() - 1), rollen);
}

void LijstModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount() || m_rijen.size() < 2) return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);

    std::vector<std::uint32_t> volgorde =
        RijenVolgorde(m_rijen, SorteerKolomVan(column), order == Qt::AscendingOrder || column == KolomStand());
    // By mark: the kinds together in their order, by name within each.
    if (column == KolomStand()) {
        const bool oplopend = order == Qt::AscendingOrder;
        std::vector<Stand> stand(m_rijen.size());
        for (std::size_t i = 0; i < m_rijen.size(); ++i)
            stand[i] = m_standen->value(m_rijen[i].naam, Stand::Onbekend);
        std::stable_sort(volgorde.begin(), volgorde.end(), [&](std::uint32_t a, std::uint32_t b) {
            return oplopend ? stand[a] < stand[b] : stand[b] < stand[a];
        });
    }
    std::vector<ListRow> rijen;
    std::vector<char> vet;
    std::vector<int> nieuwePlek(m_rijen.size());
    rijen.reserve(m_rijen.size());
    vet.reserve(m_rijen.size());
    for (std::uint32_t oud : volgorde) {
        nieuwePlek[oud] = static_cast<int>(rijen.size());
        rijen.push_back(std::move(m_rijen[oud]));
        vet.push_back(m_vet[oud]);
    }
    m_rijen = std::move(rijen);
    m_vet = std::move(vet);

    const QModelIndexList oud = persistentIndexList();
    QModelIndexList nieuw;
    nieuw.reserve(oud.size());
    for (const QModelIndex& i : oud)
        nieuw.append(index(nieuwePlek[static_cast<size_t>(i.row())], i.column()));
    changePersistentIndexList(oud, nieuw);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int LijstModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Aantal();
}

int LijstModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_kopTeksten.size()) + (m_standen ? 1 : 0);
}

QVariant LijstModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= Aantal()) return {};
    const ListRow& rij = Rij(index.row());
    const int kolom = index.column();
    if (m_standen && (kolom == KolomStand() || role == Qt::BackgroundRole || role == Qt::ForegroundRole)) {
        const Stand stand = m_standen->value(rij.naam, Stand::Onbekend);
        if (role == Qt::BackgroundRole) {
            const QColor kleur = StandAchtergrond(stand);
            return kleur.isValid() ? QVariant(kleur) : QVariant();
        }
        if (role == Qt::ForegroundRole) {
            if (m_grijs) return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
            return StandAchtergrond(stand).isValid() ? QVariant(StandTekst()) : QVariant();
        }
        if (role == Qt::DisplayRole) return StandWoord(stand, m_soort == LijstSoort::Mappen);
        if (role == Qt::ToolTipRole) return StandUitleg(stand, m_soort == LijstSoort::Mappen);
        if (role != Qt::FontRole) return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (kolom) {
        case KolomNaam:
            return rij.naam;
        case KolomGrootte:
            return GetalTekst(rij.grootte);
        case KolomDatum:
            return DatumTekst(rij.datum);
        case KolomNGrootte:
            return GrootteSleutel(rij.grootte);
        case KolomNDatum:
            return DatumSleutel(rij.datum);
        case KolomRechten:
            return RechtenTekst(RechtenVan(rij));
        default:
            return {};
        }
    case Qt::DecorationRole:
        if (kolom == KolomNaam && m_beelden != nullptr && !rij.icoonSleutel.isEmpty())
            return m_beelden->Icoon(rij.icoonSleutel);
        return {};
    case Qt::TextAlignmentRole:
        if (Rechts(m_soort, kolom)) return static_cast<int>(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::FontRole: {
        const bool vet = Vet(index.row());
        if (!m_cursief && !vet) return {};
        QFont letter; // only the set attributes are merged into the view's font
        if (m_cursief) letter.setItalic(true);
        if (vet) letter.setBold(true);
        return letter;
    }
    case Qt::ForegroundRole:
        if (m_grijs) return Kleur(Kleurrol::Verouderd);
        return {};
    default:
        return {};
    }
}

QVariant LijstModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (section == KolomStand()) {
        if (role == Qt::DisplayRole) return QStringLiteral("Stand");
        if (role == Qt::TextAlignmentRole) return static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return m_kopTeksten[section];
    case Qt::DecorationRole:
        if (m_beelden == nullptr || m_kopIconen[section].isEmpty()) return {};
        return m_beelden->Icoon(m_kopIconen[section]);
    case Qt::TextAlignmentRole:
        if (Rechts(m_soort, section)) return static_cast<int>(Qt::AlignRight | Qt::AlignVCenter);
        return static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

} // namespace Vamox
