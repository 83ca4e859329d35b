#include "panes/gui/Sorteren.h"

#include "panes/gui/Kolommen.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/Paneel.h"
#include "panes/gui/Selectie.h"

#include <QAction>

#include <vector>

namespace Vamox {

namespace {

// The sort state rides on the list as properties: the fills only know the list, and the state
// must outlive every refill.
constexpr char KolomEigenschap[] = "vamoxSorteerKolom";
constexpr char OplopendEigenschap[] = "vamoxSorteerOplopend";
constexpr char AutomatischEigenschap[] = "vamoxSorteerAutomatisch";
constexpr char OmkerenEigenschap[] = "vamoxMapOmkeren"; // SorterenMap replaces the rows itself

const QString SortOp = QStringLiteral("sort_op");
const QString SortAf = QStringLiteral("sort_af");

// "Grootte" and "Datum" sort on their hidden keys, every other column on itself.
int Sleutelkolom(int kolom)
{
    if (kolom == LijstModel::KolomGrootte) return LijstModel::KolomNGrootte;
    if (kolom == LijstModel::KolomDatum) return LijstModel::KolomNDatum;
    return kolom;
}

// The header that shows the icon for a sort column: the visible column of a hidden key.
int Kopkolom(int sleutelkolom)
{
    if (sleutelkolom == LijstModel::KolomNGrootte) return LijstModel::KolomGrootte;
    if (sleutelkolom == LijstModel::KolomNDatum) return LijstModel::KolomDatum;
    return sleutelkolom;
}

void EersteRijSelecteren(LijstWeergave& lijst)
{
    if (lijst.lijstModel().Aantal() == 0) return;
    const QModelIndex eerste = lijst.lijstModel().index(0, 0);
    lijst.selectionModel()->setCurrentIndex(eerste, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    lijst.scrollTo(eerste);
}

// Orders the rows by the kept column and direction and puts the icon on the given header.
void SorterenEnTonen(LijstWeergave& lijst, int kopkolom)
{
    LijstModel& model = lijst.lijstModel();
    const bool oplopend = SorteerOplopend(lijst);
    lijst.setProperty(AutomatischEigenschap, true);
    model.sort(SorteerKolom(lijst), oplopend ? Qt::AscendingOrder : Qt::DescendingOrder);
    model.KopIconenWissen();
    model.ZetKopIcoon(kopkolom, oplopend ? SortOp : SortAf);
}

bool IsOuder(const ListRow& rij)
{
    return QStringView(rij.naam).trimmed() == u"..";
}

} // namespace

int SorteerKolom(const LijstWeergave& lijst)
{
    const QVariant k = lijst.property(KolomEigenschap);
    return k.isValid() ? k.toInt() : LijstModel::KolomNaam;
}

bool SorteerOplopend(const LijstWeergave& lijst)
{
    // Never sorted yet: descending, so the first click gives ascending.
    return lijst.property(OplopendEigenschap).toBool();
}

bool AutomatischSorteren(const LijstWeergave& lijst)
{
    return lijst.property(AutomatischEigenschap).toBool();
}

void KolomSorteren(LijstWeergave& lijst, int kolom)
{
    if (kolom < 0 || kolom >= lijst.lijstModel().columnCount()) return;
    lijst.setProperty(KolomEigenschap, Sleutelkolom(kolom));
    lijst.setProperty(OplopendEigenschap, !SorteerOplopend(lijst));
    SorterenEnTonen(lijst, kolom);
    LijstDeselecteren(lijst);
    EersteRijSelecteren(lijst);
}

void SorterenLijst(LijstWeergave& lijst, int kolom)
{
    if (lijst.lijstModel().Aantal() == 0) return;
    KolomSorteren(lijst, kolom - 1);
    lijst.setFocus();
    EersteRijSelecteren(lijst);
}

void SorterenOpheffenBestand(LijstWeergave& lijst)
{
    lijst.lijstModel().KopIconenWissen();
    lijst.setProperty(AutomatischEigenschap, false);
}

bool OoitGesorteerd(const LijstWeergave& lijst)
{
    return lijst.property(OplopendEigenschap).isValid();
}

void AutomatischSorterenAan(LijstWeergave& lijst)
{
    SorterenEnTonen(lijst, Kopkolom(SorteerKolom(lijst)));
}

void MapAutomatischSorteren(LijstWeergave& lijst, QString& staat)
{
    lijst.lijstModel().sort(LijstModel::KolomNaam, Qt::AscendingOrder);
    staat.clear();
    lijst.lijstModel().ZetKopIcoon(LijstModel::KolomNaam, SortOp);
}

void SleutelMapToevoegen(LijstWeergave& lijst, QString& staat)
{
    staat = staat.isEmpty() || staat == SortOp ? SortAf : SortOp;
    lijst.lijstModel().ZetKopIcoon(LijstModel::KolomNaam, staat);
}

void SorterenMap(LijstWeergave& lijst, QString& staat)
{
    LijstModel& model = lijst.lijstModel();
    const std::vector<ListRow>& oud = model.Rijen();
    if (oud.size() < 2) return;
    SleutelMapToevoegen(lijst, staat);

    std::vector<ListRow> rijen;
    rijen.reserve(oud.size());
    const bool ouder = IsOuder(oud.front());
    if (ouder) rijen.push_back(oud.front());
    for (auto it = oud.rbegin(); it != oud.rend() - (ouder ? 1 : 0); ++it)
        rijen.push_back(*it);
    // The "mapplus" and "mapomhoog" pictures come back with the next fill only.
    for (ListRow& rij : rijen)
        rij.icoonSleutel = QStringLiteral("map");
    lijst.setProperty(OmkerenEigenschap, true);
    model.RijenVervangen(std::move(rijen));
    lijst.setProperty(OmkerenEigenschap, false);
    KolomKopNaam(lijst);
}

void SorteericonsInstellen(LijstWeergave& mappen, const QString& staat, LijstWeergave& bestanden)
{
    // A reversed folder list or a sorted file list keeps the icon that tells its order.
    mappen.lijstModel().ZetKopIcoon(LijstModel::KolomNaam, staat.isEmpty() ? SortOp : staat);
    if (!AutomatischSorteren(bestanden)) bestanden.lijstModel().ZetKopIcoon(LijstModel::KolomNaam, SortOp);
}

Sorteren::Sorteren(Paneel& lokaal, Paneel& ftp) : m_ftp(ftp)
{
    // Folder lists reverse; file lists sort by the clicked header. The server's file list sorts
    // only while a server folder is on show.
    for (Paneel* paneel : {&lokaal, &ftp}) {
        LijstWeergave* mappen = paneel->ui().mappen;
        LijstWeergave* bestanden = paneel->ui().bestanden;
        QString& staat = paneel->SorteringMap();
        if (paneel == &ftp)
            connect(bestanden, &LijstWeergave::kopGeklikt, this, &Sorteren::LijstBFtpKopGeklikt);
        else
            connect(bestanden, &LijstWeergave::kopGeklikt, this,
                    [bestanden](int k) { KolomSorteren(*bestanden, k); });
        connect(mappen, &LijstWeergave::kopGeklikt, this, [mappen, &staat] { SorterenMap(*mappen, staat); });
        // Every fill of a folder list replaces its rows in ascending order: the state starts again.
        connect(&mappen->lijstModel(), &QAbstractItemModel::modelReset, this, [mappen, &staat] {
            if (mappen->property(OmkerenEigenschap).toBool()) return;
            staat.clear();
            mappen->lijstModel().ZetKopIcoon(LijstModel::KolomNaam, QString());
        });
        connect(paneel->menus().mapSorteren, &QAction::triggered, this,
                [mappen, &staat] { SorterenMap(*mappen, staat); });
        connect(paneel->menus().bestandSorteren, &QAction::triggered, this,
                [bestanden] { SorterenLijst(*bestanden, 1); });
    }
}

void Sorteren::LijstBFtpKopGeklikt(int kolom)
{
    // Without a server folder on show there is nothing to sort.
    if (m_ftp.ui().mappen->lijstModel().Aantal() < 1) return;
    KolomSorteren(*m_ftp.ui().bestanden, kolom);
}

} // namespace Vamox
