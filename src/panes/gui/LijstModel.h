#pragma once

#include "panes/ListRow.h"
#include "vergelijken/Vergelijken.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <memory>
#include <vector>

namespace Vamox {

class ImageLijst16;

enum class LijstSoort
{
    Mappen,
    Bestanden
};

// The rows of one of the four lists. A folder list has one column (the name); a file list has
// six: name, "Grootte", "Datum", the hidden sort keys "nGrootte" and "nDatum", and "Rechten". While the two
// sides are compared a column "Stand" follows them. Texts are made from the row when a cell is
// drawn, so filling 100,000 rows is one vector move.
class LijstModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LijstModel)

public:
    enum Kolom
    {
        KolomNaam = 0,
        KolomGrootte = 1,
        KolomDatum = 2,
        KolomNGrootte = 3,
        KolomNDatum = 4,
        KolomRechten = 5 // server files' permissions; hidden unless chosen from the header's menu
    };

    LijstModel(LijstSoort soort, const ImageLijst16* beelden, QObject* parent = nullptr);

    LijstSoort Soort() const { return m_soort; }

    // Rows.
    void RijenVervangen(std::vector<ListRow> rijen);
    void RijToevoegen(ListRow rij);
    // Rows after the last (a folder still being read).
    void RijenToevoegen(std::vector<ListRow>&& rijen);
    // Takes the rows out; the list is empty afterwards.
    std::vector<ListRow> RijenNemen();
    void Leegmaken();
    int Aantal() const { return static_cast<int>(m_rijen.size()); }
    const ListRow& Rij(int rij) const { return m_rijen[static_cast<size_t>(rij)]; }
    const std::vector<ListRow>& Rijen() const { return m_rijen; }

    // Headers: a text and an optional picture key ("sort_op", "sort_af") per column.
    void ZetKopTekst(int kolom, const QString& tekst);
    QString KopTekst(int kolom) const { return m_kopTeksten.value(kolom); }
    void ZetKopIcoon(int kolom, const QString& sleutel);
    QString KopIcoon(int kolom) const { return m_kopIconen.value(kolom); }
    void KopIconenWissen();

    // Looks of the whole list: italic while a pattern filters it, grey while its folder box
    // holds an unconfirmed folder.
    void ZetCursief(bool aan);
    bool Cursief() const { return m_cursief; }
    void ZetGrijs(bool aan);
    bool Grijs() const { return m_grijs; }

    // The name of one row changed in place (a rename); its picture too when given.
    void NaamZetten(int rij, const QString& naam, const QString& icoonSleutel = {});

    // Comparing with the other side: the column "Stand" after the others, with a short word and a
    // row colour for how each row stands, looked up by name (a name not among `standen` has
    // none). nullptr takes the column away again.
    void ZetStanden(std::shared_ptr<const Standen> standen);
    bool Vergelijkt() const { return m_standen != nullptr; }
    // The column "Stand" while comparing; -1 otherwise.
    int KolomStand() const { return m_standen ? int(m_kopTeksten.size()) : -1; }
    Stand StandVan(int rij) const;

    // Bold rows (hits of a search); a refill clears them.
    void ZetVet(int rij, bool aan);
    bool Vet(int rij) const { return m_vet[static_cast<size_t>(rij)] != 0; }

    // Stable sort by a column: the name without regard to case, the size and date columns (shown
    // or hidden) by value. Selections and other persistent indexes follow their rows.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Names can be edited in place where the view starts it (LijstWeergave::LabelBewerken). The
    // edited text is not taken: it is handed on by naamBewerkt, and the row keeps its name until
    // whoever renames the entry calls NaamZetten.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Rows can be dragged; whether a drag starts is up to the view.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void naamBewerkt(int rij, const QString& naam);
    // A row got another name in place (NaamZetten).
    void naamGewijzigd();
    // The marks of ZetStanden were replaced while the column stayed: the view draws them anew.
    void standenGewijzigd();

private:
    void AllesVeranderd(const QList<int>& rollen);

    LijstSoort m_soort;
    const ImageLijst16* m_beelden;
    std::vector<ListRow> m_rijen;
    std::vector<char> m_vet; // beside the rows, so ListRow stays as small as the fills need
    QStringList m_kopTeksten;
    QStringList m_kopIconen;
    bool m_cursief = false;
    bool m_grijs = false;
    std::shared_ptr<const Standen> m_standen;
};

} // namespace Vamox
