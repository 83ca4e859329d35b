#include "transfer/OverdrachtHulp.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>

namespace Vamox::Test {
namespace {

using HernoemingTest = OverdrachtTest;

// Types into the name editor that has the focus, as a person does, and ends with Enter.
void NaamTypen(const QString& naam)
{
    ASSERT_TRUE(WachtTot([] { return qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr; }));
    QWidget* editor = QApplication::focusWidget();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, naam);
    QTest::keyClick(editor, Qt::Key_Return);
}

// With "Nieuwe map" and "Nieuwe map 1" there, the button makes "Nieuwe map 2" and opens its name:
// what is typed becomes the folder's name on the server, and its row is selected.
TEST_F(HernoemingTest, NieuweServermapKrijgtMeteenDeGetypteNaam)
{
    Verbinden();
    server->maakMap("Nieuwe map");
    server->maakMap("Nieuwe map 1");
    Kiezen();
    ui().LijstFtp->setFocus();
    Klik(ui().knopMapNieuw);
    ASSERT_TRUE(QFileInfo::exists(server->pad("Nieuwe map 2")));
    NaamTypen("Klaar");
    ASSERT_TRUE(WachtTot([&] { return QFileInfo::exists(server->pad("Klaar")); }));
    EXPECT_FALSE(QFileInfo::exists(server->pad("Nieuwe map 2")));
    EXPECT_EQ(GeselecteerdeNamenVan(*ui().LijstFtp), QStringList{"Klaar"});
    EXPECT_TRUE(gesteld.empty()) << Teksten().join(u'|').toStdString();
}

// F2 on a file: forbidden characters and another file's name are told and change nothing; a
// change of capitals alone goes through. The parent row is never opened for editing.
TEST_F(HernoemingTest, F2OpEenLokaalBestand)
{
    Maken(lokaal.path(), {"a.txt", "b.txt", "sub/"});
    LokaalTonen(lokaal.path());
    const struct
    {
        const char* naam;
        QString melding;
        QStringList bestanden;
    } rijen[] = {
        {"a:b",
         "De volgende tekens mogen niet in map- en bestandsnamen voorkomen:\r\n  \\  /  :  *  ?  \"  <  >  | "
         " ",
         {"a.txt", "b.txt"}},
        {"b.txt", "Bestand\r\n " + L("b.txt") + "\r\nbestaat al.", {"a.txt", "b.txt"}},
        {"A.txt", {}, {"A.txt", "b.txt"}},
    };
    for (const auto& rij : rijen) {
        gesteld.clear();
        Selecteren(*ui().LijstBLokaal, {QDir(lokaal.path()).exists("a.txt") ? "a.txt" : "A.txt"});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        NaamTypen(QLatin1String(rij.naam));
        if (!rij.melding.isEmpty()) {
            ASSERT_TRUE(WachtTot([&] { return !gesteld.empty(); })) << rij.naam;
        }
        const auto bestanden = [&] {
            QStringList op = QDir(lokaal.path()).entryList(QDir::Files);
            op.sort();
            return op;
        };
        EXPECT_TRUE(WachtTot([&] { return bestanden() == rij.bestanden; })) << rij.naam;
        EXPECT_EQ(Teksten(), rij.melding.isEmpty() ? QStringList{} : QStringList{rij.melding}) << rij.naam;
    }
    ASSERT_TRUE(WachtTot([&] { return GeselecteerdeNamenVan(*ui().LijstBLokaal) == QStringList{"A.txt"}; }));
    // Never sorted by hand: the list stays in a fill's order.
    QStringList volgorde;
    for (const ListRow& r : ui().LijstBLokaal->lijstModel().Rijen())
        volgorde << r.naam;
    EXPECT_EQ(volgorde, (QStringList{"A.txt", "b.txt"}));

    Selecteren(*ui().LijstLokaal, {" .."});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), ui().LijstLokaal);
}

} // namespace
} // namespace Vamox::Test
