#include "transfer/ZoekBestanden.h"

#include "panes/Patroon.h"
#include "transfer/OverdrachtPaden.h"

#include <QDir>
#include <QFileInfo>

namespace Vamox {

namespace {

class Zoeker final
{
public:
    Zoeker(QStringList& mappen, QStringList& bestanden, const QString& patroon, bool recursief,
           bool alleenMappen, const StopVraag& stop, qint64* totaal)
        : m_mappen(mappen), m_bestanden(bestanden), m_patroon(patroon), m_recursief(recursief),
          m_alleenMappen(alleenMappen), m_stop(stop), m_totaal(totaal)
    {
    }

    bool loop(const QString& start)
    {
        m_boom = QFileInfo(start).canonicalFilePath();
        return map(start);
    }

private:
    bool gestopt()
    {
        m_gestopt = m_gestopt || (m_stop && m_stop());
        return m_gestopt;
    }

    // A link leads out of the tree unless its target lies below the start folder.
    bool binnenBoom(const QFileInfo& info) const
    {
        const QString doel = info.canonicalFilePath();
        if (m_boom.isEmpty() || doel.size() <= m_boom.size() || !doel.startsWith(m_boom)) return false;
        return m_boom.endsWith(u'/') || doel.at(m_boom.size()) == u'/';
    }

    static bool isLink(const QFileInfo& info) { return info.isSymbolicLink() || info.isJunction(); }

    bool map(const QString& start)
    {
        const QFileInfoList inhoud = QDir(start).entryInfoList(
            QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
        QStringList submappen;
        for (const QFileInfo& info : inhoud) {
            if (gestopt()) return false;
            if (m_recursief && info.isDir() && !isLink(info)) submappen.push_back(info.fileName());
        }
        m_mappen.push_back(start);
        if (!m_alleenMappen) {
            for (const QFileInfo& info : inhoud) {
                if (gestopt()) return false;
                if (info.isDir() || !info.isFile() || !m_patroon.past(info.fileName())) continue;
                if (isLink(info) && !binnenBoom(info)) continue;
                m_bestanden.push_back(start + info.fileName());
                if (m_totaal) *m_totaal += info.size();
            }
        }
        for (const QString& sub : std::as_const(submappen))
            if (!map(start + sub + LokaalScheiding)) return false;
        return true;
    }

    QStringList& m_mappen;
    QStringList& m_bestanden;
    Patroon m_patroon;
    bool m_recursief;
    bool m_alleenMappen;
    const StopVraag& m_stop;
    qint64* m_totaal;
    QString m_boom;
    bool m_gestopt = false;
};

} // namespace

bool ZoekBestanden(QStringList& mappen, QStringList& bestanden, const QString& start, const QString& patroon,
                   bool recursief, bool alleenMappen, const StopVraag& stop, qint64* totaal)
{
    if (mappen.isEmpty()) mappen.push_back(QString());
    if (bestanden.isEmpty()) bestanden.push_back(QString());
    QString begin = start;
    if (!EindigtMetScheiding(begin)) begin += LokaalScheiding;
    return Zoeker(mappen, bestanden, patroon, recursief, alleenMappen, stop, totaal).loop(begin);
}

} // namespace Vamox
