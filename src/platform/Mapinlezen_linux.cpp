#include "platform/Mapinlezen.h"

#include <QFile>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

namespace Vamox {

namespace {

void ZetTijd(FtpEntry& e, const struct timespec& tijd)
{
    struct tm lokaal
    {
    };
    const time_t s = tijd.tv_sec;
    if (!localtime_r(&s, &lokaal)) return;
    e.jaar = lokaal.tm_year + 1900;
    e.maand = lokaal.tm_mon + 1;
    e.dag = lokaal.tm_mday;
    e.uur = lokaal.tm_hour;
    e.minuut = lokaal.tm_min;
    e.seconde = std::min(lokaal.tm_sec, 59);
    e.precisie = Tijdprecisie::Seconde;
    e.zone = Tijdzone::Lokaal;
}

} // namespace

struct Mapinlezer::Staat
{
    DIR* map = nullptr;
    ~Staat()
    {
        if (map) closedir(map);
    }
};

Mapinlezer::Mapinlezer(const QString& pad) : m_staat(std::make_unique<Staat>())
{
    const QByteArray p = QFile::encodeName(pad);
    struct stat64 st
    {
    };
    m_isMap = !p.isEmpty() && stat64(p.constData(), &st) == 0 && S_ISDIR(st.st_mode);
    if (m_isMap) m_staat->map = opendir(p.constData());
}

Mapinlezer::~Mapinlezer() = default;

bool Mapinlezer::Lezen(std::vector<FtpEntry>& uit, std::size_t hoogstens)
{
    DIR* map = m_staat->map;
    if (!map) return false;
    const int fd = dirfd(map);
    for (std::size_t n = 0; n < hoogstens;) {
        const dirent64* d = readdir64(map);
        if (!d) {
            closedir(map);
            m_staat->map = nullptr;
            return false;
        }
        const char* naam = d->d_name;
        if (naam[0] == '.' && (naam[1] == 0 || (naam[1] == '.' && naam[2] == 0))) continue;
        FtpEntry e;
        const unsigned char soort = d->d_type;
        if (soort == DT_DIR) {
            e.isMap = true;
        } else if (soort == DT_REG || soort == DT_LNK || soort == DT_UNKNOWN) {
            // Links are followed: a broken one fails here and is left out.
            struct stat64 st
            {
            };
            if (fstatat64(fd, naam, &st, 0) != 0) continue;
            if (S_ISDIR(st.st_mode)) {
                e.isMap = true;
            } else if (S_ISREG(st.st_mode)) {
                e.grootte = st.st_size;
                ZetTijd(e, st.st_mtim);
            } else {
                continue;
            }
        } else {
            continue;
        }
        e.naam = QFile::decodeName(naam);
        uit.push_back(std::move(e));
        ++n;
    }
    return true;
}

} // namespace Vamox
