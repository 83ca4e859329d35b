#include "PaneelHulp.h"

#include "config/gui/FrmServergegevens.h"
#include "dialogs/MsgVenster.h"
#include "panes/gui/LijstModel.h"
#include "transfer/gui/Overdrachtenvenster.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QToolButton>

#include <tuple>

namespace Vamox::Test {
namespace {

// The controls a person works with: these need a name a screen reader can say.
bool Bedienbaar(QAccessible::Role rol)
{
    switch (rol) {
    case QAccessible::PushButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::SpinBox:
        return true;
    default:
        return false;
    }
}

// Every visible control below `wortel` that has no name, and every picture button without a
// description, as "objectName (role)".
void Naamlozen(QAccessibleInterface* wortel, QStringList& zonder, int& bezocht)
{
    for (int i = 0; i < wortel->childCount(); ++i) {
        QAccessibleInterface* kind = wortel->child(i);
        if (kind == nullptr || kind->state().invisible) continue;
        const QString naam = kind->object() != nullptr ? kind->object()->objectName() : QString();
        if (Bedienbaar(kind->role())) {
            ++bezocht;
            if (kind->text(QAccessible::Name).trimmed().isEmpty())
                zonder << naam + QStringLiteral(" (geen naam)");
            const auto* knop = qobject_cast<const QToolButton*>(kind->object());
            if (knop != nullptr && knop->text().isEmpty() && kind->text(QAccessible::Description).isEmpty())
                zonder << naam + QStringLiteral(" (geen beschrijving)");
        }
        // Item views list their cells as children: those are named by the model.
        if (kind->role() != QAccessible::Table && kind->role() != QAccessible::Tree &&
            kind->role() != QAccessible::List)
            Naamlozen(kind, zonder, bezocht);
    }
}

QStringList Naamlozen(QWidget& venster, int minimum)
{
    QStringList zonder;
    int bezocht = 0;
    Naamlozen(QAccessible::queryAccessibleInterface(&venster), zonder, bezocht);
    EXPECT_GE(bezocht, minimum) << qPrintable(venster.objectName());
    return zonder;
}

class ToegankelijkheidTest : public PaneelTest
{
protected:
    void SetUp() override
    {
        PaneelTest::SetUp();
        ASSERT_TRUE(tmp.isValid());
        Maken(tmp.path(), {"sub/", "een.txt", "twee.txt", "drie.txt"});
        Typen(ui().MapLokaal, tmp.path() + u'/', true);
        ASSERT_TRUE(WachtTot([&] { return ui().LijstBLokaal->lijstModel().Aantal() == 3; }));
    }

    QTemporaryDir tmp;
};

TEST_F(ToegankelijkheidTest, ElkeBesturingVanHetVensterEnDeDialogenHeeftEenNaam)
{
    EXPECT_EQ(Naamlozen(*venster, 30), QStringList());

    MsgVenster melding(
        {.Tekst = QStringLiteral("Bestand overschrijven?"), .Pictogram = 2, .Knoppen = QStringLiteral("&Ja+&Nee"),
         .Codes = QStringLiteral("1+2")});
    melding.show();
    EXPECT_EQ(Naamlozen(melding, 3), QStringList());

    Overdrachtenvenster& overdrachten = venster->overdrachten();
    overdrachten.show();
    EXPECT_EQ(Naamlozen(overdrachten, 4), QStringList());
    overdrachten.hide();

    // Opened as a person opens it, from its toolbar button.
    QTest::mouseClick(ui().knopServergegevens, Qt::LeftButton);
    auto* gegevens = venster->findChild<FrmServergegevens*>();
    ASSERT_TRUE(gegevens && gegevens->isVisible());
    EXPECT_EQ(Naamlozen(*gegevens, 12), QStringList());
    gegevens->close();
}

TEST_F(ToegankelijkheidTest, LijstenMeldenHunRijenEnDeGeselecteerdeRij)
{
    LijstWeergave& lijst = *ui().LijstBLokaal;
    QAccessibleInterface* toegang = QAccessible::queryAccessibleInterface(&lijst);
    ASSERT_NE(toegang, nullptr);
    EXPECT_EQ(toegang->text(QAccessible::Name), QStringLiteral("Lokale bestanden"));
    QAccessibleTableInterface* tabel = toegang->tableInterface();
    ASSERT_NE(tabel, nullptr);
    // The view lays its rows out when it next paints, as a screen reader would find it.
    EXPECT_TRUE(WachtTot([&] { return tabel->rowCount() == 3; }));

    const int rij = RijVan(lijst, QStringLiteral("twee.txt"));
    ASSERT_GE(rij, 0);
    lijst.setFocus();
    RijSelecteren(lijst, rij);
    ASSERT_EQ(tabel->selectedRowCount(), 1);
    EXPECT_EQ(tabel->selectedRows(), QList<int>{rij});
    QAccessibleInterface* cel = tabel->cellAt(rij, LijstModel::KolomNaam);
    ASSERT_NE(cel, nullptr);
    EXPECT_EQ(cel->text(QAccessible::Name), QStringLiteral("twee.txt"));
    EXPECT_TRUE(cel->state().selected);
}

// Tab goes down the local side, down the toolbar column, then down the server side; F6 jumps to
// the same control on the other side and back.
TEST_F(ToegankelijkheidTest, TabVolgtHetBeeldEnF6WisseltVanKant)
{
    ui().SchijfLokaal->setFocus(Qt::TabFocusReason);
    const auto kolom = [this](const QWidget* w) {
        const int x = w->mapTo(ui().centraal, QPoint()).x();
        return x < ui().knopMapHoger->x() ? 0 : x == ui().knopMapHoger->x() ? 1 : 2;
    };
    QStringList gezien;
    std::tuple<int, int, int> vorige{-1, -1, -1};
    for (int stap = 0; stap < 40; ++stap) {
        QWidget* w = QApplication::focusWidget();
        while (w != nullptr && w->parentWidget() != ui().centraal)
            w = w->parentWidget();
        ASSERT_NE(w, nullptr);
        if (!gezien.isEmpty() && w == ui().SchijfLokaal) break; // round the window once
        const std::tuple<int, int, int> plek{kolom(w), w->y(), w->x()};
        EXPECT_GT(plek, vorige) << qPrintable(gezien.join(u' ') + u' ' + w->objectName());
        vorige = plek;
        gezien << w->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (const char* naam : {"LijstBLokaal", "knopBUploaden", "knopBDownloaden", "LijstBFtp", "VakZoekenFtp"})
        EXPECT_TRUE(gezien.contains(QLatin1String(naam))) << naam << qPrintable(gezien.join(u' '));

    ui().MapLokaal->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), ui().MapFtp);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), ui().MapLokaal);
}

// A toolbar button reached with the keyboard acts on the side the keyboard came from, as a click.
TEST_F(ToegankelijkheidTest, KnopMetSpatieWerktAlsEenKlik)
{
    Typen(ui().MapLokaal, tmp.path() + QStringLiteral("/sub/"), true);
    ASSERT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), tmp.path() + QStringLiteral("/sub/"));
    ui().LijstLokaal->setFocus();
    ui().knopMapHoger->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), ui().knopMapHoger);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(WachtTot([&] { return venster->lokaalPaneel().HuidigeLokalemap() == tmp.path() + u'/'; }));
    EXPECT_EQ(GeselecteerdeNaam(*ui().LijstLokaal), QStringLiteral("sub"));
}

} // namespace
} // namespace Vamox::Test
