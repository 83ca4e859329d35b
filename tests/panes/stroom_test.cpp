#include "PaneelHulp.h"

#include "panes/Opmaak.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace Vamox::Test {
namespace {

// A few folders, then `n` files, as an "ls -l" listing: the names fall, so the order read is not
// the order shown, and the sizes fall as the names rise; every third file is a ".log", the first
// listed a ".txt".
QByteArray GroteListing(int n, QStringList& bestanden, QStringList& mappen)
{
    QByteArray uit;
    for (int i = 0; i < 5; ++i) {
        const QString naam = QStringLiteral("map%1").arg(i);
        uit += "drwxr-xr-x 1 u g 0 Jan 01  2020 " + naam.toUtf8() + "\r\n";
        mappen << naam;
    }
    for (int i = n - 1; i >= 0; --i) {
        const QString naam =
            QStringLiteral("Bestand_%1.%2").arg(i, 5, 10, QChar(u'0')).arg(i % 3 ? "txt" : "log");
        uit +=
            "-rw-r--r-- 1 u g " + QByteArray::number(100000 - i) + " Jan 01  2020 " + naam.toUtf8() + "\r\n";
        bestanden << naam;
    }
    return uit;
}

// Names in the order the lists show them after a fill: by name, capitals aside.
QStringList OpNaam(QStringList namen)
{
    std::stable_sort(namen.begin(), namen.end(),
                     [](const QString& a, const QString& b) { return a.toLower() < b.toLower(); });
    return namen;
}

// A server that hands its listings out slowly, in pieces: the pane shows rows long before the
// listing is complete, and the test acts on the window at that moment.
class StroomTest : public PaneelTest
{
protected:
    void SetUp() override
    {
        PaneelTest::SetUp();
        FtpServerOpties o;
        o.mlst = false;
        o.vasteListing = GroteListing(1500, bestanden, mappen);
        o.lijstStukken = QStringLiteral("6000:25");
        server = std::make_unique<FtpTestServer>(o);
        ASSERT_TRUE(server->start()) << server->fout().toStdString();
        ServerOpslaan(QStringLiteral("traag"), *server);
        Kiezen(QStringLiteral("traag"));
        ASSERT_TRUE(venster->serverPaneel().Verbonden());
        ui().LijstBFtp->setFocus();
    }

    // Runs `actie` once, from the event loop, as soon as the file list shows rows of a listing
    // still under way; what the header said then is kept.
    void TijdensLezen(const std::function<void()>& actie)
    {
        LijstModel& model = ui().LijstBFtp->lijstModel();
        verbinding = QObject::connect(&model, &QAbstractItemModel::rowsInserted, &model, [this, actie] {
            if (!venster->serverPaneel().Leest() || gedaan) return;
            gedaan = true;
            kopTijdensLezen = ui().LijstBFtp->lijstModel().KopTekst(0);
            rijenTijdensLezen = ui().LijstBFtp->lijstModel().Aantal();
            QTimer::singleShot(0, venster.get(), actie);
        });
    }

    void TearDown() override { QObject::disconnect(verbinding); }

    std::unique_ptr<FtpTestServer> server;
    QStringList bestanden, mappen;
    QMetaObject::Connection verbinding;
    bool gedaan = false;
    QString kopTijdensLezen;
    int rijenTijdensLezen = 0;
};

// Rows arrive in pieces and show at once, with a count that says the reading goes on; when it is
// complete the lists hold what one read at once gives: every name, in name order.
TEST_F(StroomTest, InStukkenAlsInEenKeer)
{
    TijdensLezen([] {});
    ASSERT_TRUE(venster->serverPaneel().LijstVullenFtp());
    EXPECT_TRUE(gedaan);
    EXPECT_GT(rijenTijdensLezen, 0);
    EXPECT_LT(rijenTijdensLezen, bestanden.size());
    EXPECT_TRUE(kopTijdensLezen.startsWith(QStringLiteral("Server bestandsnaam (")) &&
                kopTijdensLezen.endsWith(QStringLiteral("…)")))
        << kopTijdensLezen.toStdString();

    EXPECT_EQ(Namen(ui().LijstBFtp->lijstModel()), OpNaam(bestanden));
    EXPECT_EQ(Namen(ui().LijstFtp->lijstModel()), OpNaam(mappen)); // the root: no " .."
    EXPECT_EQ(ui().LijstBFtp->lijstModel().KopTekst(0),
              QStringLiteral("Server bestandsnaam (") + GetalTekst(1500) + u')');
    // The extensions are offered in the order of the names, as the rows show them.
    EXPECT_EQ(Lijst(*ui().cboPatroonFtp), QStringList({"*", "*.log", "*.txt"}));
    EXPECT_TRUE(vragen.Vragen().empty());
}

// While a folder's rows come, the label names that folder, not the one before; a path too long
// for the label shows its beginning and its end, with the middle left out (the tip says it whole).
TEST_F(StroomTest, HetLabelNoemtDeMapDieWordtGelezen)
{
    QString labelTijdensLezen;
    TijdensLezen([&] { labelTijdensLezen = ui().LabelFtp->text(); });
    const QString diep = QStringLiteral("/map1/") + QStringLiteral("een-heel-lange-mapnaam/").repeated(8);
    ASSERT_TRUE(venster->serverPaneel().LijstVullenFtp(diep));
    EXPECT_EQ(labelTijdensLezen, QStringLiteral("Servermap: ") + diep);
    EXPECT_EQ(ui().LabelFtp->text(), QStringLiteral("Servermap: ") + diep);
    const QString zichtbaar = venster->ui().LabelFtp->ZichtbareTekst();
    EXPECT_TRUE(zichtbaar.startsWith(QStringLiteral("Servermap: /map1/")) && zichtbaar.contains(u'…') &&
                zichtbaar.endsWith(QStringLiteral("mapnaam/")))
        << zichtbaar.toStdString();
    EXPECT_LE(venster->ui().LabelFtp->fontMetrics().horizontalAdvance(zichtbaar),
              venster->ui().LabelFtp->contentsRect().width());
}

// Escape while the rows come stops the reading: the rows that came stay, in name order, the
// folder is the one read, and a notice says the lists are not complete.
TEST_F(StroomTest, EscapeHoudtWatKwam)
{
    TijdensLezen([] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); });
    ASSERT_TRUE(venster->serverPaneel().LijstVullenFtp());
    ASSERT_TRUE(gedaan);
    const QStringList getoond = Namen(ui().LijstBFtp->lijstModel());
    EXPECT_GT(getoond.size(), 0);
    EXPECT_LT(getoond.size(), bestanden.size());
    EXPECT_EQ(getoond, OpNaam(getoond));
    EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/"));
    EXPECT_FALSE(ui().LijstBFtp->lijstModel().KopTekst(0).contains(u'…'));
    ASSERT_EQ(vragen.Vragen().size(), 1u);
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst,
              QStringLiteral("Het lezen van map '/' is afgebroken.\r\nDe lijsten tonen alleen wat tot dan "
                             "gelezen was."));
    // The session is free again: the next listing runs whole.
    ASSERT_TRUE(venster->serverPaneel().LijstVullenFtp());
    EXPECT_EQ(ui().LijstBFtp->lijstModel().Aantal(), bestanden.size());
}

// A sort and a pattern chosen while the rows come apply to the whole list at the end: a click on
// "Grootte" and "*.log" with Enter in the pattern box, as a user does them.
TEST_F(StroomTest, SorterenEnPatroonTijdensLezen)
{
    TijdensLezen([this] {
        QHeaderView* kop = ui().LijstBFtp->header();
        const int x = kop->sectionViewportPosition(LijstModel::KolomGrootte) + 5;
        QTest::mouseClick(kop->viewport(), Qt::LeftButton, {}, QPoint(x, kop->height() / 2));
        QComboBox* patroon = ui().cboPatroonFtp;
        patroon->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("*.log"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    ASSERT_TRUE(venster->serverPaneel().LijstVullenFtp());
    ASSERT_TRUE(gedaan);
    QStringList logs;
    for (const QString& naam : OpNaam(bestanden))
        if (naam.endsWith(QLatin1String(".log"))) logs << naam;
    // By size ascending: the sizes fall as the names rise.
    std::reverse(logs.begin(), logs.end());
    EXPECT_EQ(Namen(ui().LijstBFtp->lijstModel()), logs);
    EXPECT_TRUE(ui().LijstBFtp->lijstModel().Cursief());
    EXPECT_EQ(ui().LijstBFtp->lijstModel().KopIcoon(LijstModel::KolomGrootte), QStringLiteral("sort_op"));
    // Every extension of the folder is still offered.
    EXPECT_TRUE(Lijst(*ui().cboPatroonFtp).contains(QStringLiteral("*.txt")));
    EXPECT_TRUE(vragen.Vragen().empty());
}

// A listing that does not end well is never shown as a folder: the lists keep what they showed,
// the current folder stays, the user is told, and the session goes on working. A listing cut off
// halfway, and one with a line without end, which must not take all memory.
struct Foutrij
{
    const char* geval;
    qint64 dropNa;
    const char* eindeloos;
    const char* melding;
};

void PrintTo(const Foutrij& r, std::ostream* uit)
{
    *uit << r.geval;
}

class Leesfouten : public PaneelTest, public ::testing::WithParamInterface<Foutrij>
{
};

TEST_P(Leesfouten, LijstenBlijvenZoalsZeWaren)
{
    const Foutrij r = GetParam();
    FtpServerOpties o;
    o.dropLijstNa = r.dropNa;
    o.eindelozeLijst = QString::fromUtf8(r.eindeloos);
    FtpTestServer server(o);
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    server.schrijf(QStringLiteral("a.txt"), "a");
    for (int i = 0; i < 400; ++i)
        server.schrijf(QStringLiteral("groot/bestand_%1.txt").arg(i, 4, 10, QChar(u'0')), {});
    ServerOpslaan(QStringLiteral("fout"), server);
    Kiezen(QStringLiteral("fout"));
    ASSERT_TRUE(venster->serverPaneel().Verbonden());
    ASSERT_EQ(Namen(ui().LijstBFtp->lijstModel()), QStringList{"a.txt"});

    EXPECT_FALSE(venster->serverPaneel().LijstVullenFtp(QStringLiteral("/groot/")));
    EXPECT_EQ(Namen(ui().LijstBFtp->lijstModel()), QStringList{"a.txt"});
    EXPECT_EQ(Namen(ui().LijstFtp->lijstModel()), QStringList{"groot"});
    EXPECT_EQ(ui().LijstBFtp->lijstModel().KopTekst(0), QStringLiteral("Server bestandsnaam (1)"));
    EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/"));
    ASSERT_FALSE(vragen.Vragen().empty());
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst, QString::fromUtf8(r.melding));

    server.schrijf(QStringLiteral("b.txt"), "b");
    EXPECT_TRUE(venster->serverPaneel().LijstVullenFtp(QStringLiteral("/")));
    EXPECT_EQ(Namen(ui().LijstBFtp->lijstModel()), (QStringList{"a.txt", "b.txt"}));
}

INSTANTIATE_TEST_SUITE_P(
    Stroom, Leesfouten,
    ::testing::Values(
        Foutrij{"Afgebroken", 4000, "",
                "Kan geen verbinding met server 'fout' maken.\r\nOf map op de server niet gevonden."},
        Foutrij{"EindelozeRegel", -1, "groot",
                "De lijst van servermap '/groot/' is te groot om te lezen.\r\nDe lijsten blijven "
                "zoals ze waren."}),
    [](const auto& info) { return std::string(info.param.geval); });

} // namespace
} // namespace Vamox::Test
