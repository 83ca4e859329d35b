#include "ftp/Ontvangst.h"

#include "platform/EigenBestand.h"

#include <QFileInfo>

#include <filesystem>

namespace Vamox {

bool Ontvangst::open()
{
    const QString map = QFileInfo(m_doel).absolutePath();
    for (int poging = 0; poging < 16; ++poging) {
        m_bestand.setFileName(map + u'/' + TijdelijkeNaam());
        if (m_bestand.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) return true;
        if (!m_bestand.exists()) break;
    }
    m_bestand.setFileName(QString()); // not ours: never removed
    return false;
}

bool Ontvangst::deel(const QString& bestand, qint64 vanaf, qint64 eind)
{
    m_vastgelegd = true; // the whole file's, not this part's to remove
    m_bestand.setFileName(bestand);
    m_begin = vanaf;
    m_eind = eind;
    return m_bestand.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered) &&
           m_bestand.seek(vanaf);
}

bool Ontvangst::vastleggen()
{
    m_bestand.close();
    if (m_bestand.error() != QFileDevice::NoError) return false;
    const QFileInfo oud(m_doel);
    if (oud.exists() && !oud.isSymLink()) m_bestand.setPermissions(oud.permissions());
    std::error_code fout;
    std::filesystem::rename(m_bestand.filesystemFileName(), oud.filesystemAbsoluteFilePath(), fout);
    m_vastgelegd = !fout;
    return m_vastgelegd;
}

void Ontvangst::weg()
{
    if (m_vastgelegd || m_bestand.fileName().isEmpty()) return;
    m_bestand.close();
    m_bestand.remove();
    m_bestand.setFileName(QString());
}

} // namespace Vamox
