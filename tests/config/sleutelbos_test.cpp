// The keyring against a real Secret Service (gnome-keyring-daemon on a bus of the test's own):
// each case runs in a process of its own, as ctest runs them.

#include "config/ServerRecord.h"
#include "config/Sleutelbos.h"
#include "config/Wachtwoorden.h"

#include "support/Sleutelbosdienst.h"

#include <gtest/gtest.h>

using namespace Vamox;
using Vamox::Test::Sleutelbosdienst;
using Status = Sleutelbosantwoord::Status;

namespace {

ServerRecord Server(const char* naam, const char* wachtwoord, Wachtwoordplek plek = Wachtwoordplek::Sleutelbos)
{
    ServerRecord s{QString::fromUtf8(naam), QStringLiteral("ftp.example.org"), QStringLiteral("jan"),
                   QString::fromUtf8(wachtwoord), QStringLiteral("21"), QString()};
    s.Plek = plek;
    return s;
}

QStringList Lijst(std::initializer_list<ServerRecord> servers)
{
    QStringList l{QString()};
    for (const ServerRecord& s : servers)
        l << ServerRecordRegel(s);
    return l;
}

} // namespace

TEST(Sleutelbos, BewarenTeruglezenWijzigenHernoemenEnVerwijderen)
{
    ASSERT_TRUE(Sleutelbosdienst::Voor(Sleutelbosdienst::Soort::Met));
    Sleutelbos bos(QStringLiteral("VamoxTest"));
    Wachtwoorden wachtwoorden(bos);

    // Stored: the line loses its password, the keyring has it under the server's key.
    ServerRecord server = Server("Thuis", " ge=heim é ");
    ASSERT_TRUE(wachtwoorden.Bewaren(std::nullopt, server).gelukt());
    EXPECT_TRUE(server.Wachtwoord.isEmpty());
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(server)).wachtwoord, QStringLiteral(" ge=heim é "));
    EXPECT_EQ(wachtwoorden.VoorAanmelding(server).wachtwoord, QStringLiteral(" ge=heim é "));

    // Changed.
    ServerRecord gewijzigd = server;
    gewijzigd.Wachtwoord = QStringLiteral("nieuw");
    ASSERT_TRUE(wachtwoorden.Bewaren(server, gewijzigd).gelukt());
    EXPECT_EQ(wachtwoorden.Opzoeken(gewijzigd).wachtwoord, QStringLiteral("nieuw"));

    // Renamed without typing the password again, then another host: the entry follows each time.
    ServerRecord hernoemd = gewijzigd;
    hernoemd.Naam = QStringLiteral("Werk");
    ASSERT_TRUE(wachtwoorden.Bewaren(gewijzigd, hernoemd).gelukt());
    ServerRecord verhuisd = hernoemd;
    verhuisd.FtpHost = QStringLiteral("ftp2.example.org");
    ASSERT_TRUE(wachtwoorden.Bewaren(hernoemd, verhuisd).gelukt());
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(verhuisd)).wachtwoord, QStringLiteral("nieuw"));
    for (const ServerRecord* oud : {&gewijzigd, &hernoemd})
        EXPECT_EQ(bos.lezen(SleutelbosSleutel(*oud)).status, Status::NietGevonden);

    // Kept in the file by choice: the keyring's copy goes; asked at each login: nothing is kept.
    ServerRecord inBestand = verhuisd;
    inBestand.Plek = Wachtwoordplek::Bestand;
    inBestand.Wachtwoord = QStringLiteral("nieuw");
    ASSERT_TRUE(wachtwoorden.Bewaren(verhuisd, inBestand).gelukt());
    EXPECT_EQ(inBestand.Wachtwoord, QStringLiteral("nieuw"));
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(inBestand)).status, Status::NietGevonden);
    ServerRecord vragen = Server("Vraag", "wordt niet bewaard", Wachtwoordplek::Vragen);
    ASSERT_TRUE(wachtwoorden.Bewaren(std::nullopt, vragen).gelukt());
    EXPECT_TRUE(vragen.Wachtwoord.isEmpty());
    EXPECT_FALSE(wachtwoorden.VoorAanmelding(vragen).wachtwoord);
    // One asked at a login is kept for the run, until refused.
    wachtwoorden.Onthouden(vragen, QStringLiteral("gevraagd"));
    EXPECT_EQ(wachtwoorden.VoorAanmelding(vragen).wachtwoord, QStringLiteral("gevraagd"));
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(vragen)).status, Status::NietGevonden);
    wachtwoorden.Vergeten(vragen);
    EXPECT_FALSE(wachtwoorden.VoorAanmelding(vragen).wachtwoord);

    // Removed with the server.
    ServerRecord weg = Server("Weg", "x");
    ASSERT_TRUE(wachtwoorden.Bewaren(std::nullopt, weg).gelukt());
    ASSERT_TRUE(wachtwoorden.Verwijderen(weg).gelukt());
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(weg)).status, Status::NietGevonden);
    EXPECT_TRUE(bos.wissen(SleutelbosSleutel(weg)).gelukt()); // gone already: no fault
}

TEST(Sleutelbos, VerhuizingUitHetBestandPasNaTeruglezen)
{
    ASSERT_TRUE(Sleutelbosdienst::Voor(Sleutelbosdienst::Soort::Met));
    Sleutelbos bos(QStringLiteral("VamoxTest"));
    const QStringList lijst = Lijst({Server("A", "wa"), Server("B", "wb", Wachtwoordplek::Bestand),
                                     Server("C", "", Wachtwoordplek::Vragen), Server("D", "wd")});
    EXPECT_EQ(TeVerhuizen(lijst), 2);
    const Verhuizing v = WachtwoordenVerhuizen(lijst, bos);
    ASSERT_TRUE(v.gelukt()) << SleutelbosReden(v.fout).toStdString();
    EXPECT_EQ(v.aantal, 2);
    EXPECT_EQ(v.serverLijst, Lijst({Server("A", ""), Server("B", "wb", Wachtwoordplek::Bestand),
                                    Server("C", "", Wachtwoordplek::Vragen), Server("D", "")}));
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(Server("A", ""))).wachtwoord, QStringLiteral("wa"));
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(Server("D", ""))).wachtwoord, QStringLiteral("wd"));
    EXPECT_EQ(TeVerhuizen(v.serverLijst), 0);
}

TEST(Sleutelbos, VergrendeldGeweigerdEnNietVerward)
{
    Sleutelbosdienst* dienst = Sleutelbosdienst::Voor(Sleutelbosdienst::Soort::Met);
    ASSERT_TRUE(dienst);
    Sleutelbos bos(QStringLiteral("VamoxTest"));
    ASSERT_TRUE(bos.schrijven(QStringLiteral("er"), QStringLiteral("w")).gelukt());
    ASSERT_TRUE(dienst->vergrendelen());
    // A locked keyring reads as "not there"; that must not pass for a server without a password.
    EXPECT_EQ(bos.lezen(QStringLiteral("er")).status, Status::Vergrendeld);
    EXPECT_EQ(bos.schrijven(QStringLiteral("nieuw"), QStringLiteral("w")).status, Status::Vergrendeld);
    Wachtwoorden wachtwoorden(bos);
    const Wachtwoorden::Aanmelding a = wachtwoorden.VoorAanmelding(Server("er", ""));
    EXPECT_FALSE(a.wachtwoord);
    EXPECT_EQ(a.sleutelbos.status, Status::Vergrendeld);
    const QStringList lijst = Lijst({Server("A", "wa")});
    const Verhuizing v = WachtwoordenVerhuizen(lijst, bos);
    EXPECT_FALSE(v.gelukt());
    EXPECT_EQ(v.fout.status, Status::Vergrendeld);
    EXPECT_EQ(v.serverLijst, lijst);
}

TEST(Sleutelbos, EenSleutelbosZonderAntwoordHoudtNietsOp)
{
    Sleutelbosdienst* dienst = Sleutelbosdienst::Voor(Sleutelbosdienst::Soort::Met);
    ASSERT_TRUE(dienst);
    Sleutelbos bos(QStringLiteral("VamoxTest"), 1000);
    dienst->bevriezen();
    EXPECT_EQ(bos.lezen(QStringLiteral("x")).status, Status::GeenAntwoord);
    const Verhuizing v = WachtwoordenVerhuizen(Lijst({Server("A", "wa"), Server("B", "wb")}), bos);
    EXPECT_EQ(v.fout.status, Status::GeenAntwoord);
    EXPECT_EQ(v.server, QStringLiteral("A")); // stopped at the first, the second was not tried
    dienst->hervatten();
}

namespace {

void Afwezig(Sleutelbosdienst::Soort soort)
{
    ASSERT_TRUE(Sleutelbosdienst::Voor(soort));
    Sleutelbos bos(QStringLiteral("VamoxTest"));
    EXPECT_EQ(bos.lezen(QStringLiteral("x")).status, Status::Afwezig);
    EXPECT_EQ(bos.schrijven(QStringLiteral("x"), QStringLiteral("w")).status, Status::Afwezig);
    const QStringList lijst = Lijst({Server("A", "wa")});
    const Verhuizing v = WachtwoordenVerhuizen(lijst, bos);
    EXPECT_EQ(v.fout.status, Status::Afwezig);
    EXPECT_EQ(v.serverLijst, lijst);
    // The user's choices when it cannot take them.
    EXPECT_EQ(VerhuizingAfzien(lijst, Wachtwoordplek::Bestand), Lijst({Server("A", "wa", Wachtwoordplek::Bestand)}));
    EXPECT_EQ(VerhuizingAfzien(lijst, Wachtwoordplek::Vragen), Lijst({Server("A", "", Wachtwoordplek::Vragen)}));
}

} // namespace

TEST(Sleutelbos, GeenSleutelbosOpDeBus)
{
    Afwezig(Sleutelbosdienst::Soort::ZonderDienst);
}

TEST(Sleutelbos, GeenBus)
{
    Afwezig(Sleutelbosdienst::Soort::ZonderBus);
}
