#include "transfer/gui/Klussenmodel.h"

#include "panes/Opmaak.h"
#include "platform/gui/Kleuren.h"
#include "transfer/Wachtrij.h"

#include <QColor>

namespace Vamox {

namespace {

QString RichtingTekst(Klus::Richting richting)
{
    switch (richting) {
    case Klus::Richting::Downloaden:
        return QStringLiteral("Downloaden");
    case Klus::Richting::Uploaden:
        return QStringLiteral("Uploaden");
    case Klus::Richting::Kopieren:
    case Klus::Richting::LokaalKopieren:
        return QStringLiteral("Kopiëren");
    case Klus::Richting::Rechten:
        return QStringLiteral("Rechten");
    case Klus::Richting::MapServer:
    case Klus::Richting::MapLokaal:
        return QStringLiteral("Nieuwe map");
    case Klus::Richting::WissenLokaal:
    case Klus::Richting::WissenServer:
        return QStringLiteral("Verwijderen");
    }
    return {};
}

QString StaatTekst(Klus::Staat staat)
{
    switch (staat) {
    case Klus::Staat::Wachtend:
        return QStringLiteral("Wachtend");
    case Klus::Staat::Lopend:
        return QStringLiteral("Bezig");
    case Klus::Staat::Klaar:
        return QStringLiteral("Klaar");
    case Klus::Staat::Mislukt:
        return QStringLiteral("Mislukt");
    case Klus::Staat::Overgeslagen:
        return QStringLiteral("Overgeslagen");
    case Klus::Staat::Geannuleerd:
        return QStringLiteral("Gestopt");
    }
    return {};
}

QString VoortgangTekst(const Klus& k)
{
    if (k.staat == Klus::Staat::Klaar) return QStringLiteral("100%");
    if (k.staat != Klus::Staat::Lopend) return {};
    const qint64 omvang = k.Omvang();
    if (omvang <= 0) return GrootteTekst(k.gedaan);
    return QString::number(std::min<qint64>(100, k.gedaan * 100 / omvang)) + u'%';
}

} // namespace

Klussenmodel::Klussenmodel(const Wachtrij& wachtrij, QObject* parent)
    : QAbstractTableModel(parent), m_wachtrij(wachtrij), m_rijen(int(wachtrij.Klussen().size()))
{
    // The queue has grown already when it says so; the rows shown grow with it here.
    connect(&wachtrij, &Wachtrij::klussenToegevoegd, this, [this](int eerste, int laatste) {
        beginInsertRows({}, eerste, laatste);
        m_rijen = laatste + 1;
        endInsertRows();
    });
    connect(&wachtrij, &Wachtrij::klusGewijzigd, this, [this](int rij) {
        if (rij < m_rijen) Q_EMIT dataChanged(index(rij, 0), index(rij, Aantal - 1));
    });
    connect(&wachtrij, &Wachtrij::lijstVernieuwd, this, [this] {
        beginResetModel();
        m_rijen = int(m_wachtrij.Klussen().size());
        endResetModel();
    });
    m_timer.setInterval(250);
    connect(&m_timer, &QTimer::timeout, this, &Klussenmodel::lopendeVerversen);
    connect(&wachtrij, &Wachtrij::bezigGewijzigd, this, [this](bool bezig) {
        if (bezig)
            m_timer.start();
        else
            m_timer.stop();
    });
}

int Klussenmodel::rowCount(const QModelIndex& ouder) const
{
    return ouder.isValid() ? 0 : m_rijen;
}

int Klussenmodel::columnCount(const QModelIndex& ouder) const
{
    return ouder.isValid() ? 0 : Aantal;
}

QVariant Klussenmodel::data(const QModelIndex& index, int rol) const
{
    if (!index.isValid() || index.row() >= m_rijen) return {};
    const Klus& k = m_wachtrij.Klussen()[size_t(index.row())];
    if (rol == Qt::ForegroundRole && index.column() == Staat && k.staat == Klus::Staat::Mislukt)
        return Kleur(Kleurrol::Fout);
    if (rol == Qt::TextAlignmentRole && (index.column() == Grootte || index.column() == Voortgang))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (rol == Qt::ToolTipRole && index.column() == Naam) return k.bron + QStringLiteral(" -> ") + k.doel;
    if (rol != Qt::DisplayRole) return {};
    switch (index.column()) {
    case Naam:
        return k.naam;
    case Richting:
        return RichtingTekst(k.richting);
    case Grootte:
        return k.grootte < 0 ? QString() : GrootteTekst(k.grootte);
    case Voortgang:
        return VoortgangTekst(k);
    case Staat:
        return StaatTekst(k.staat);
    case Fout:
        return k.staat == Klus::Staat::Mislukt ? k.fout : QString();
    default:
        return {};
    }
}

QVariant Klussenmodel::headerData(int sectie, Qt::Orientation richting, int rol) const
{
    if (richting != Qt::Horizontal || rol != Qt::DisplayRole) return {};
    static const char* const koppen[] = {"Naam", "Richting", "Grootte", "Voortgang", "Status", "Fout"};
    return sectie >= 0 && sectie < Aantal ? QString::fromUtf8(koppen[sectie]) : QVariant();
}

void Klussenmodel::lopendeVerversen()
{
    const auto& klussen = m_wachtrij.Klussen();
    for (int rij = 0; rij < m_rijen; ++rij)
        if (klussen[size_t(rij)].staat == Klus::Staat::Lopend)
            Q_EMIT dataChanged(index(rij, Voortgang), index(rij, Voortgang));
}

} // namespace Vamox
