#include "config/Sleutelbos.h"

#include "platform/Geheimendienst.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace Vamox {

namespace {

using Status = Sleutelbosantwoord::Status;

// A job runs on after a time-out (it may still answer); it then deletes itself, and what it would
// report goes nowhere: the loop it was connected to is gone.
Sleutelbosantwoord Uitvoeren(QKeychain::Job* job, int wachttijdMs)
{
    Sleutelbosantwoord uit{.status = Status::GeenAntwoord};
    job->setAutoDelete(true);
    QEventLoop lus;
    QObject::connect(job, &QKeychain::Job::finished, &lus, [&uit, &lus](QKeychain::Job* klaar) {
        uit.fout = klaar->errorString();
        switch (klaar->error()) {
        case QKeychain::NoError:
            uit.status = Status::Gelukt;
            uit.fout.clear();
            if (auto* lezen = qobject_cast<QKeychain::ReadPasswordJob*>(klaar)) uit.wachtwoord = lezen->textData();
            break;
        case QKeychain::EntryNotFound:
            uit.status = Status::NietGevonden;
            break;
        case QKeychain::AccessDeniedByUser:
        case QKeychain::AccessDenied:
            uit.status = Status::Geweigerd;
            break;
        case QKeychain::NoBackendAvailable:
        case QKeychain::NotImplemented:
            uit.status = Status::Afwezig;
            break;
        case QKeychain::CouldNotDeleteEntry:
        case QKeychain::OtherError:
            uit.status = Status::Fout;
            break;
        }
        lus.quit();
    });
    QTimer klok;
    klok.setSingleShot(true);
    QObject::connect(&klok, &QTimer::timeout, &lus, &QEventLoop::quit);
    klok.start(wachttijdMs);
    job->start();
    lus.exec();
    if (uit.status == Status::Gelukt || uit.status == Status::GeenAntwoord) return uit;
    // A locked store that cannot put up its unlock question reads as "not found" or "denied" and
    // refuses writes with a message of its own; a store that is not there at all gives only a
    // library error. Asked once, briefly.
    if (uit.status == Status::NietGevonden || uit.status == Status::Geweigerd || uit.status == Status::Fout) {
        switch (GeheimendienstStaat(std::min(wachttijdMs, 2000))) {
        case Geheimendienst::Vergrendeld:
            uit.status = Status::Vergrendeld;
            break;
        case Geheimendienst::Afwezig:
            uit.status = Status::Afwezig;
            break;
        case Geheimendienst::Open:
        case Geheimendienst::Onbekend:
            break;
        }
    }
    return uit;
}

} // namespace

QString SleutelbosReden(const Sleutelbosantwoord& antwoord)
{
    switch (antwoord.status) {
    case Status::Gelukt:
        return QString();
    case Status::NietGevonden:
        return QStringLiteral("bevat het wachtwoord niet");
    case Status::Afwezig:
        return QStringLiteral("is niet aanwezig");
    case Status::Vergrendeld:
        return QStringLiteral("is vergrendeld");
    case Status::Geweigerd:
        return QStringLiteral("weigert de toegang");
    case Status::GeenAntwoord:
        return QStringLiteral("geeft geen antwoord");
    case Status::Fout:
        break;
    }
    return antwoord.fout.isEmpty() ? QStringLiteral("meldt een fout")
                                   : QStringLiteral("meldt een fout: ") + antwoord.fout;
}

Sleutelbos::Sleutelbos(QString dienst, int wachttijdMs) : m_dienst(std::move(dienst)), m_wachttijdMs(wachttijdMs) {}

Sleutelbosantwoord Sleutelbos::lezen(const QString& sleutel) const
{
    auto* job = new QKeychain::ReadPasswordJob(m_dienst);
    job->setKey(sleutel);
    return Uitvoeren(job, m_wachttijdMs);
}

Sleutelbosantwoord Sleutelbos::schrijven(const QString& sleutel, const QString& wachtwoord) const
{
    auto* job = new QKeychain::WritePasswordJob(m_dienst);
    job->setKey(sleutel);
    job->setTextData(wachtwoord);
    return Uitvoeren(job, m_wachttijdMs);
}

Sleutelbosantwoord Sleutelbos::wissen(const QString& sleutel) const
{
    auto* job = new QKeychain::DeletePasswordJob(m_dienst);
    job->setKey(sleutel);
    Sleutelbosantwoord uit = Uitvoeren(job, m_wachttijdMs);
    if (uit.status == Status::NietGevonden) uit.status = Status::Gelukt;
    return uit;
}

} // namespace Vamox
