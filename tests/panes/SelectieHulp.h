#pragma once

#include "LijstHulp.h"

#include "panes/LokaleMap.h"
#include "panes/Rijen.h"
#include "panes/gui/Kolommen.h"
#include "panes/gui/Sorteren.h"
#include "support/Wachten.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace Vamox::Test {

// A file of `grootte` bytes, last changed at `gewijzigd` when given.
inline void Schrijf(const QTemporaryDir& map, const char* naam, qint64 grootte,
                    const QDateTime& gewijzigd = {})
{
    QFile f(map.filePath(QString::fromUtf8(naam)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(grootte));
    if (gewijzigd.isValid()) {
        ASSERT_TRUE(f.setFileTime(gewijzigd, QFileDevice::FileModificationTime));
    }
}

// The local file list as a fill leaves it: sorting off, the folder's files in name order (case
// ignored), the count in the first header.
inline void BestandenTonen(LijstWeergave& lijst, const QString& pad)
{
    SorterenOpheffenBestand(lijst);
    QFileInfoList infos = QDir(pad).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    std::vector<ListRow> rijen;
    for (const QFileInfo& info : infos)
        rijen.push_back(RijVan(LokaalEntry(info.fileName(), info.lastModified(), info.size())));
    lijst.lijstModel().RijenVervangen(std::move(rijen));
    KolomKopNaam(lijst);
}

// A folder list as a fill leaves it: " .." with "mapomhoog", the others "mapplus" and "map" by turns.
inline void ZetMappen(LijstWeergave& lijst, const QStringList& namen)
{
    std::vector<ListRow> rijen;
    for (qsizetype i = 0; i < namen.size(); ++i) {
        const QString icoon = namen[i] == QLatin1String(" ..") ? QStringLiteral("mapomhoog")
                              : i % 2 == 0                     ? QStringLiteral("map")
                                                               : QStringLiteral("mapplus");
        rijen.push_back(ListRow{namen[i], 0, {}, icoon});
    }
    lijst.lijstModel().RijenVervangen(std::move(rijen));
    KolomKopNaam(lijst);
}

// A left click on the middle of a column header.
inline void KopKlik(LijstWeergave& lijst, int kolom)
{
    QHeaderView* kop = lijst.header();
    const QPoint plek(kop->sectionViewportPosition(kolom) + kop->sectionSize(kolom) / 2, kop->height() / 2);
    QTest::mouseClick(kop->viewport(), Qt::LeftButton, {}, plek);
}

inline QStringList Kopiconen(const LijstWeergave& lijst)
{
    QStringList iconen;
    // The sortable columns shown ("Rechten" is hidden until asked for).
    for (int k = 0; k < lijst.lijstModel().columnCount(); ++k)
        if (k != LijstModel::KolomRechten) iconen << lijst.lijstModel().KopIcoon(k);
    return iconen;
}

inline QStringList RijIconen(const LijstWeergave& lijst)
{
    QStringList iconen;
    for (const ListRow& r : lijst.lijstModel().Rijen())
        iconen << r.icoonSleutel;
    return iconen;
}

// Selected rows in row order, by asking every row (the slow, obvious way).
inline std::vector<int> GeselecteerdeRijen(const LijstWeergave& lijst)
{
    std::vector<int> rijen;
    for (int r = 0; r < lijst.lijstModel().Aantal(); ++r)
        if (lijst.selectionModel()->isRowSelected(r, {})) rijen.push_back(r);
    return rijen;
}

inline QStringList GeselecteerdeNamenVan(const LijstWeergave& lijst)
{
    QStringList namen;
    for (int r : GeselecteerdeRijen(lijst))
        namen << lijst.lijstModel().Rij(r).naam;
    return namen;
}

} // namespace Vamox::Test
