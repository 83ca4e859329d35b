#include "dialogs/Msg.h"

#include "platform/AppInfo.h"
#include "dialogs/DialoogSeam.h"
#include "dialogs/MsgVenster.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace Vamox {

namespace {

// Tells the close box and Escape apart from a click on OK, which a one-button box cannot.
class SluitenHerkenner final : public QObject
{
public:
    bool gesloten = false;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Close) gesloten = true;
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            gesloten = true;
        return QObject::eventFilter(object, event);
    }
};

QMessageBox::Icon PlatformIcoon(int pictogram)
{
    switch (pictogram) {
    case 1:
        return QMessageBox::Information;
    case 2:
        return QMessageBox::Question;
    case 3:
        return QMessageBox::Warning;
    case 4:
        return QMessageBox::Critical;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int M(const MOpties& opties)
{
    if (const DialoogAntwoorder& antwoorder = HuidigeAntwoorder())
        return antwoorder(DialoogVraag{DialoogVraag::Soort::Bericht, opties});

    // The active window may go away while the question waits (nested event loops): the window
    // is then destroyed with it and the answer is the one of the close box.
    QPointer<MsgVenster> venster = new MsgVenster(opties, QApplication::activeWindow());
    const int escape = LeesMsgCodes(opties.Codes).escape;
    const int keuze = venster->exec();
    if (venster.isNull()) return escape;
    delete venster.data();
    return keuze;
}

bool JaNee(MOpties opties)
{
    opties.Knoppen = QStringLiteral("&Ja+&Nee");
    if (opties.Codes.isEmpty()) opties.Codes = QStringLiteral("1+2");
    return M(opties) == 1;
}

int Melding(const QString& tekst, int pictogram, int sluitenNa)
{
    return M({.Tekst = tekst,
              .Pictogram = pictogram,
              .Knoppen = sluitenNa == 0 ? QStringLiteral("OK") : QString(),
              .Codes = QStringLiteral("1+2"),
              .Knopbreedte = 1280,
              .Centreren = true,
              .SluitenNa = sluitenNa,
              .AutoBreedte = false});
}

int PlatformMelding(const QString& tekst, const QString& titel, int pictogram, bool jaNee)
{
    if (const DialoogAntwoorder& antwoorder = HuidigeAntwoorder()) {
        MOpties opties{.Tekst = tekst,
                       .Titel = titel,
                       .Pictogram = pictogram,
                       .Knoppen = jaNee ? QStringLiteral("&Ja+&Nee") : QStringLiteral("OK"),
                       .Codes = jaNee ? QStringLiteral("2+2") : QStringLiteral("1+2")};
        return antwoorder(DialoogVraag{DialoogVraag::Soort::Platform, opties});
    }

    QPointer<QMessageBox> box =
        new QMessageBox(PlatformIcoon(pictogram), titel.isEmpty() ? AppTitel() : titel, tekst,
                        QMessageBox::NoButton, QApplication::activeWindow());
    box->setObjectName(QStringLiteral("PlatformMelding"));
    QAbstractButton* ja = box->addButton(jaNee ? QMessageBox::Yes : QMessageBox::Ok);
    if (jaNee) box->setDefaultButton(box->addButton(QMessageBox::No));
    SluitenHerkenner herkenner;
    box->installEventFilter(&herkenner);
    box->exec();
    if (box.isNull()) return 2;
    const bool gekozen = box->clickedButton() == ja && !herkenner.gesloten;
    delete box.data();
    return gekozen ? 1 : 2;
}

} // namespace Vamox
