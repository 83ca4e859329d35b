#include "platform/gui/Beelden.h"

#include "platform/gui/Kleuren.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <algorithm>
#include <mutex>
#include <optional>
#include <vector>

// Q_INIT_RESOURCE must be used outside any namespace.
static void VamoxBronnenRegistreren()
{
    Q_INIT_RESOURCE(vamox);
}

namespace Vamox {

void BronnenLaden()
{
    static std::once_flag eenmaal;
    std::call_once(eenmaal, [] { VamoxBronnenRegistreren(); });
}

namespace {

// One vector picture drawn into part of the square, in fractions of its side.
struct Laag
{
    const char* svg;
    QRectF plek{0, 0, 1, 1};
};

struct Ontwerp
{
    const char* sleutel;
    int maat; // the size of the hand-drawn bitmap; 0: vector only
    std::vector<Laag> lagen;
    std::optional<Kleurrol> kleur = std::nullopt; // one-coloured marks: drawn in the scheme's colour
};

// Corners the small pictures sit in, as the bitmaps were composed: a 12 or 16 of 22 at the
// bottom right or left, a 10 or 9 of 16 at the bottom right.
constexpr double R12 = 10.0 / 22, Z12 = 12.0 / 22;
constexpr double R16 = 6.0 / 22, Z16 = 16.0 / 22;

const std::vector<Ontwerp>& Ontwerpen()
{
    static const std::vector<Ontwerp> ontwerpen = {
        {"map", 16, {{"map"}}},
        {"bestand", 16, {{"bestand"}}},
        {"sort_af", 16, {{"sort_af"}}, Kleurrol::Sorteerteken},
        {"sort_op", 16, {{"sort_op"}}, Kleurrol::Sorteerteken},
        {"mapplus", 16, {{"map"}, {"plus", {7.0 / 16, 7.0 / 16, 9.0 / 16, 9.0 / 16}}}},
        {"mapomhoog", 16, {{"map"}, {"omhoog", {6.0 / 16, 6.0 / 16, 10.0 / 16, 10.0 / 16}}}},
        {"zoeken", 16, {{"zoeken"}}},
        {"servergegevens", 22, {{"server"}}},
        {"verbreken", 22, {{"offline"}}},
        {"maphoger", 22, {{"omhoog"}}},
        {"mapnieuw", 22, {{"mapnieuw"}}},
        {"kopieren", 22, {{"kopieren"}}},
        {"klembord", 22, {{"plakken"}}},
        {"openen", 22, {{"openen"}}},
        {"mapverwijderen", 22, {{"map"}, {"stop", {R12, R12, Z12, Z12}}}},
        {"mapuploaden", 22, {{"map"}, {"rechts", {R16, R16, Z16, Z16}}}},
        {"mapdownloaden", 22, {{"map"}, {"links", {0, R16, Z16, Z16}}}},
        {"bestandverwijderen", 22, {{"bestand"}, {"stop", {R12, R12, Z12, Z12}}}},
        {"bestanduploaden", 22, {{"bestand"}, {"rechts", {R16, R16, Z16, Z16}}}},
        {"bestanddownloaden", 22, {{"bestand"}, {"links", {0, R16, Z16, Z16}}}},
        {"uploadbestand", 22, {{"bestand"}, {"sprong", {R16, R16, Z16, Z16}}}},
        {"vamox", 0, {{"vamox"}}},
    };
    return ontwerpen;
}

// Parsed once per source and kept while the application lives: several pictures share a folder
// or an arrow.
QSvgRenderer& Tekening(const char* naam)
{
    static QHash<QString, QPointer<QSvgRenderer>> tekeningen;
    const QString sleutel = QLatin1String(naam);
    QPointer<QSvgRenderer>& tekening = tekeningen[sleutel];
    if (tekening.isNull())
        tekening = new QSvgRenderer(QStringLiteral(":/icons/svg/%1.svg").arg(sleutel), QCoreApplication::instance());
    return *tekening;
}

class Beeldmotor final : public QIconEngine
{
public:
    explicit Beeldmotor(const Ontwerp& ontwerp) : m_ontwerp(ontwerp) {}

    QIconEngine* clone() const override { return new Beeldmotor(m_ontwerp); }
    QString key() const override { return QStringLiteral("VamoxBeeld"); }

    QSize actualSize(const QSize& maat, QIcon::Mode, QIcon::State) override
    {
        const int zijde = std::min(maat.width(), maat.height());
        return {zijde, zijde};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        if (m_ontwerp.maat == 0) return {};
        return {QSize(m_ontwerp.maat, m_ontwerp.maat)};
    }

    QPixmap pixmap(const QSize& maat, QIcon::Mode modus, QIcon::State) override
    {
        const int zijde = std::min(maat.width(), maat.height());
        if (zijde <= 0) return {};
        const QString sleutel = QStringLiteral("vamox-beeld/%1/%2/%3/%4")
                                    .arg(QLatin1String(m_ontwerp.sleutel))
                                    .arg(zijde)
                                    .arg(int(modus))
                                    .arg(int(HuidigSchema()));
        QPixmap beeld;
        if (QPixmapCache::find(sleutel, &beeld)) return beeld;
        beeld = Normaal(zijde);
        // Disabled and selected looks as the style makes them for any other icon.
        if (modus != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
            QStyleOption optie;
            optie.palette = QApplication::palette();
            beeld = QApplication::style()->generatedIconPixmap(modus, beeld, &optie);
        }
        QPixmapCache::insert(sleutel, beeld);
        return beeld;
    }

    void paint(QPainter* schilder, const QRect& rechthoek, QIcon::Mode modus, QIcon::State toestand) override
    {
        const qreal dpr = schilder->device() != nullptr ? schilder->device()->devicePixelRatioF() : 1.0;
        QPixmap beeld = pixmap(rechthoek.size() * dpr, modus, toestand);
        beeld.setDevicePixelRatio(dpr);
        schilder->drawPixmap(rechthoek, beeld);
    }

private:
    QPixmap Normaal(int zijde) const
    {
        // Keeps the shape, takes the colour: the light scheme's colour is the drawn one.
        const bool kleuren = m_ontwerp.kleur && HuidigSchema() != Schema::Licht;
        QImage doek;
        if (zijde == m_ontwerp.maat) {
            const QPixmap getekend(QStringLiteral(":/icons/%1.png").arg(QLatin1String(m_ontwerp.sleutel)));
            if (!getekend.isNull() && !kleuren) return getekend;
            doek = getekend.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
        QPainter schilder;
        if (doek.isNull()) {
            doek = QImage(zijde, zijde, QImage::Format_ARGB32_Premultiplied);
            doek.fill(Qt::transparent);
            schilder.begin(&doek);
            schilder.setRenderHint(QPainter::Antialiasing);
            for (const Laag& laag : m_ontwerp.lagen) {
                const QRectF plek(laag.plek.x() * zijde, laag.plek.y() * zijde, laag.plek.width() * zijde,
                                  laag.plek.height() * zijde);
                Tekening(laag.svg).render(&schilder, plek);
            }
        } else {
            schilder.begin(&doek);
        }
        if (kleuren) {
            schilder.setCompositionMode(QPainter::CompositionMode_SourceIn);
            schilder.fillRect(doek.rect(), Kleur(*m_ontwerp.kleur));
        }
        schilder.end();
        return QPixmap::fromImage(doek);
    }

    const Ontwerp& m_ontwerp;
};

} // namespace

QIcon Beeld(const QString& sleutel)
{
    BronnenLaden();
    for (const Ontwerp& ontwerp : Ontwerpen())
        if (sleutel == QLatin1String(ontwerp.sleutel)) return QIcon(new Beeldmotor(ontwerp));
    return {};
}

QStringList BeeldSleutels()
{
    QStringList sleutels;
    for (const Ontwerp& ontwerp : Ontwerpen())
        sleutels.append(QLatin1String(ontwerp.sleutel));
    return sleutels;
}

} // namespace Vamox
