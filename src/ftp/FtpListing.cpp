#include "ftp/FtpListing.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

namespace Vamox {
namespace {

// A byte range of the listing; nothing is decoded until a name is known.
struct Stuk
{
    const char* b = nullptr;
    const char* e = nullptr;
    qsizetype lengte() const { return e - b; }
    bool leeg() const { return b >= e; }
};

// Splits on LF, CRLF and lone CR. The next LF and CR positions are cached so that a listing that
// uses only one kind of line end is still scanned once, not once per line.
class Regels final
{
public:
    Regels(const char* b, const char* e) : m_p(b), m_eind(e)
    {
        m_lf = zoek(m_p, '\n');
        m_cr = zoek(m_p, '\r');
    }

    bool volgende(Stuk& regel)
    {
        if (m_p >= m_eind) return false;
        if (m_lf < m_p) m_lf = zoek(m_p, '\n');
        if (m_cr < m_p) m_cr = zoek(m_p, '\r');
        const char* einde = std::min(m_lf, m_cr);
        regel = {m_p, einde};
        m_p = einde + ((einde == m_cr && m_cr + 1 == m_lf) ? 2 : 1);
        return true;
    }

private:
    const char* zoek(const char* vanaf, char c) const
    {
        const void* r = vanaf < m_eind ? std::memchr(vanaf, c, size_t(m_eind - vanaf)) : nullptr;
        return r ? static_cast<const char*>(r) : m_eind;
    }

    const char* m_p;
    const char* m_eind;
    const char* m_lf;
    const char* m_cr;
};

// The last line end in [b, e), or nullptr.
const char* LaatsteRegeleinde(const char* b, const char* e)
{
    for (const char* p = e; p > b;) {
        --p;
        if (*p == '\n' || *p == '\r') return p;
    }
    return nullptr;
}

bool isCijfer(char c)
{
    return c >= '0' && c <= '9';
}
bool isWit(char c)
{
    return c == ' ' || c == '\t';
}
char klein(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c;
}

bool gelijkKlein(Stuk s, std::string_view woord)
{
    if (s.lengte() != qsizetype(woord.size())) return false;
    for (size_t i = 0; i < woord.size(); ++i)
        if (klein(s.b[i]) != woord[i]) return false;
    return true;
}

bool begintKlein(Stuk s, std::string_view woord)
{
    return s.lengte() >= qsizetype(woord.size()) && gelijkKlein({s.b, s.b + woord.size()}, woord);
}

// Mode bits in octal ("0755", "644", Python's "0o755"); -1 when it is not such a number.
int leesOctaal(Stuk s)
{
    if (s.lengte() > 2 && s.b[0] == '0' && (s.b[1] == 'o' || s.b[1] == 'O')) s.b += 2;
    if (s.leeg() || s.lengte() > 6) return -1;
    int w = 0;
    for (const char* p = s.b; p < s.e; ++p) {
        if (*p < '0' || *p > '7') return -1;
        w = w * 8 + (*p - '0');
    }
    return w & 07777;
}

// The mode bits of an "ls -l" permission field ("drwxr-sr-t"): s/S and t/T on an execute place
// are the setuid, setgid and sticky bits, with (s, t) or without (S, T) the execute bit.
int lsRechten(Stuk s)
{
    static constexpr int bijzonder[3] = {04000, 02000, 01000};
    int modus = 0;
    for (int i = 0; i < 9; ++i) {
        const char c = s.b[1 + i];
        if (c == 'r' || c == 'w' || c == 'x' || c == 's' || c == 't') modus |= 0400 >> i;
        if (i % 3 == 2 && (c == 's' || c == 'S' || c == 't' || c == 'T')) modus |= bijzonder[i / 3];
    }
    return modus;
}

// Non-negative decimal number; false on anything but digits, or on overflow of 64 bits.
bool leesGetal(Stuk s, qint64& uit)
{
    if (s.leeg()) return false;
    qint64 w = 0;
    for (const char* p = s.b; p < s.e; ++p) {
        if (!isCijfer(*p) || w > (std::numeric_limits<qint64>::max() - (*p - '0')) / 10) return false;
        w = w * 10 + (*p - '0');
    }
    uit = w;
    return true;
}

// A listed size. Servers that print it as a signed 32-bit number show large files as negative:
// such a size is unknown, 0, as MLSD gives it (its size fact is then no number).
bool leesGrootte(Stuk s, qint64& uit)
{
    if (s.lengte() > 1 && s.b[0] == '-' && std::all_of(s.b + 1, s.e, isCijfer)) {
        uit = 0;
        return true;
    }
    return leesGetal(s, uit);
}

// Small fixed-width field (1 to 4 digits); -1 when it is not one.
int kleinGetal(const char* b, const char* e)
{
    if (e <= b || e - b > 4) return -1;
    int w = 0;
    for (const char* p = b; p < e; ++p) {
        if (!isCijfer(*p)) return -1;
        w = w * 10 + (*p - '0');
    }
    return w;
}

int dagenInMaand(int jaar, int maand)
{
    static constexpr int dagen[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return maand == 2 && QDate::isLeapYear(jaar) ? 29 : dagen[maand - 1];
}

// Servers do send impossible days (Feb 30); the entry is worth more than its date, so the day is
// clamped to the month's last day instead of dropping the file from the listing.
void zetDatum(FtpEntry& e, int jaar, int maand, int dag, int uur, int minuut, Tijdprecisie precisie,
              int seconde = 0)
{
    e.jaar = jaar;
    e.maand = maand;
    e.dag = std::min(dag, dagenInMaand(jaar, maand));
    e.uur = uur;
    e.minuut = minuut;
    e.seconde = seconde;
    e.precisie = precisie;
}

bool tijdGeldig(int uur, int minuut)
{
    return uur >= 0 && uur <= 23 && minuut >= 0 && minuut <= 59;
}

int maandNummer(Stuk s)
{
    static constexpr std::string_view namen = "janfebmaraprmayjunjulaugsepoctnovdec";
    if (s.lengte() != 3) return 0;
    const char k[3] = {klein(s.b[0]), klein(s.b[1]), klein(s.b[2])};
    for (int m = 0; m < 12; ++m)
        if (namen.compare(size_t(m) * 3, 3, k, 3) == 0) return m + 1;
    return 0;
}

// "ls -l" shows a time instead of a year for recent entries; it is this year's date unless that
// would lie in the future. One day of slack absorbs the time zone gap between server and client.
struct Vandaag
{
    QDate dag, morgen;
};

int jaarBijTijd(int maand, int dag, const Vandaag& v)
{
    const int jaar = v.dag.year();
    return QDate(jaar, maand, std::min(dag, dagenInMaand(jaar, maand))) > v.morgen ? jaar - 1 : jaar;
}

QString naamUit(const char* b, const char* e)
{
    return QString::fromUtf8(b, e - b);
}

// ---- MLSD ----------------------------------------------------------------------------------

// modify=YYYYMMDDHHMMSS[.sss]; false leaves the entry's date at its default.
bool leesModify(Stuk w, FtpEntry& e)
{
    if (w.lengte() < 14 || (w.lengte() > 14 && w.b[14] != '.')) return false;
    const int jaar = kleinGetal(w.b, w.b + 4), maand = kleinGetal(w.b + 4, w.b + 6),
              dag = kleinGetal(w.b + 6, w.b + 8), uur = kleinGetal(w.b + 8, w.b + 10),
              minuut = kleinGetal(w.b + 10, w.b + 12), seconde = kleinGetal(w.b + 12, w.b + 14);
    if (jaar < 1 || maand < 1 || maand > 12 || dag < 1 || dag > 31 || !tijdGeldig(uur, minuut) ||
        seconde < 0 || seconde > 60)
        return false;
    // A leap second is the last second of its minute.
    zetDatum(e, jaar, maand, dag, uur, minuut, Tijdprecisie::Seconde, std::min(seconde, 59));
    e.zone = Tijdzone::Utc;
    return true;
}

enum class MlsdSoort
{
    Bestand,
    Map,
    Overslaan
};

// The facts end at the first "; "; fact values have no spaces, but a symlink target in
// "type=OS.unix=slink:..." may, so the first space is only used when no "; " exists (servers
// that omit the last ";"). A facts-less line (" name") is a file of unknown date.
bool mlsdRegel(Stuk regel, FtpEntry& e)
{
    const std::string_view r(regel.b, size_t(regel.lengte()));
    size_t naamBegin;
    size_t feitenEind;
    if (!r.empty() && r.front() == ' ') {
        feitenEind = 0;
        naamBegin = 1;
    } else if (const size_t p = r.find("; "); p != std::string_view::npos) {
        feitenEind = p;
        naamBegin = p + 2;
    } else if (const size_t q = r.find(' '); q != std::string_view::npos) {
        feitenEind = q;
        naamBegin = q + 1;
    } else {
        return false;
    }
    if (naamBegin >= r.size()) return false;
    if (feitenEind > 0 && r.substr(0, feitenEind).find('=') == std::string_view::npos)
        return false; // not facts at all: garbage

    MlsdSoort soort = MlsdSoort::Bestand;
    qint64 grootte = 0;
    for (const char *p = regel.b, *eind = regel.b + feitenEind; p < eind;) {
        const char* feitEind = static_cast<const char*>(std::memchr(p, ';', size_t(eind - p)));
        if (!feitEind) feitEind = eind;
        const char* is = static_cast<const char*>(std::memchr(p, '=', size_t(feitEind - p)));
        if (is) {
            const Stuk naam{p, is}, waarde{is + 1, feitEind};
            if (gelijkKlein(naam, "type")) {
                if (gelijkKlein(waarde, "dir"))
                    soort = MlsdSoort::Map;
                else if (gelijkKlein(waarde, "cdir") || gelijkKlein(waarde, "pdir"))
                    soort = MlsdSoort::Overslaan;
                else // file, and OS.unix=symlink / OS.unix=slink:target / devices: files
                    soort = MlsdSoort::Bestand;
                e.isLink = begintKlein(waarde, "os.unix=symlink") || begintKlein(waarde, "os.unix=slink");
            } else if (gelijkKlein(naam, "unix.mode")) {
                e.rechten = leesOctaal(waarde);
            } else if (gelijkKlein(naam, "size")) {
                if (!leesGetal(waarde, grootte)) grootte = 0;
            } else if (gelijkKlein(naam, "modify")) {
                leesModify(waarde, e);
            }
        }
        p = feitEind + 1;
    }
    if (soort == MlsdSoort::Overslaan) return false;
    e.isMap = soort == MlsdSoort::Map;
    e.grootte = e.isMap ? 0 : grootte; // sizd= of folders means nothing to the panes
    e.naam = naamUit(regel.b + naamBegin, regel.e);
    return true;
}

// ---- LIST: Unix "ls -l" --------------------------------------------------------------------

bool isRechten(Stuk s)
{
    static constexpr std::string_view soorten = "-dlbcpsD";
    static constexpr std::string_view bits = "rwxsStTlL-";
    if (s.lengte() < 10 || soorten.find(s.b[0]) == std::string_view::npos) return false;
    for (int i = 1; i < 10; ++i)
        if (bits.find(s.b[i]) == std::string_view::npos) return false;
    return true; // a trailing "+", "@" or "." (ACL, extended attributes) is allowed
}

// Device files show "major, minor" (or "major,minor") where the size would be; some servers
// print a plain 0 instead. The size of a device is 0 either way.
bool isApparaatNummer(Stuk t)
{
    const char* komma = static_cast<const char*>(std::memchr(t.b, ',', size_t(t.lengte())));
    if (!komma) return kleinGetal(t.b, t.e) >= 0; // the minor number, or the plain 0
    return komma > t.b && kleinGetal(t.b, komma) >= 0 && kleinGetal(komma + 1, t.e) >= 0;
}

// Permissions, [links], owner, [group], size, "Mon dd hh:mm" or "Mon dd  yyyy", name. The owner
// and group may contain spaces on some servers, so the date is found by its shape; the name starts
// after exactly one space following the time or year, which keeps its own leading spaces.
bool unixRegel(Stuk regel, const Vandaag& vandaag, FtpEntry& e)
{
    constexpr int maxTokens = 12;
    Stuk tok[maxTokens];
    int n = 0;
    for (const char* p = regel.b; n < maxTokens;) {
        while (p < regel.e && isWit(*p))
            ++p;
        if (p >= regel.e) break;
        const char* b = p;
        while (p < regel.e && !isWit(*p))
            ++p;
        tok[n++] = {b, p};
    }
    if (n < 5 || !isRechten(tok[0])) return false;
    const char soort = tok[0].b[0];
    const bool apparaat = soort == 'c' || soort == 'b';

    // From token 3 on: a month at 2 would need an owner named like a month and a numeric group.
    for (int i = 3; i + 2 < n; ++i) {
        const int maand = maandNummer(tok[i]);
        const int dag = kleinGetal(tok[i + 1].b, tok[i + 1].e);
        if (maand == 0 || dag < 1 || dag > 31) continue;
        qint64 grootte = 0;
        if (apparaat ? !isApparaatNummer(tok[i - 1]) : !leesGrootte(tok[i - 1], grootte)) continue;

        const Stuk t = tok[i + 2];
        const char* dubbelepunt = static_cast<const char*>(std::memchr(t.b, ':', size_t(t.lengte())));
        int jaar, uur = 0, minuut = 0;
        if (dubbelepunt) {
            uur = kleinGetal(t.b, dubbelepunt);
            minuut = t.e - dubbelepunt == 3 ? kleinGetal(dubbelepunt + 1, t.e) : -1;
            if (dubbelepunt - t.b > 2 || !tijdGeldig(uur, minuut)) continue;
            jaar = jaarBijTijd(maand, dag, vandaag);
        } else {
            jaar = t.lengte() == 4 ? kleinGetal(t.b, t.e) : -1;
            if (jaar < 1) continue;
        }

        if (t.e >= regel.e) return false; // no name
        const char* naamBegin = t.e + 1;
        const char* naamEind = regel.e;
        if (soort == 'l') {
            const std::string_view rest(naamBegin, size_t(naamEind - naamBegin));
            if (const size_t pijl = rest.find(" -> "); pijl != std::string_view::npos)
                naamEind = naamBegin + pijl;
        }
        if (naamBegin >= naamEind) return false;
        e.isMap = soort == 'd';
        e.isLink = soort == 'l';
        e.rechten = lsRechten(tok[0]);
        e.grootte = e.isMap ? 0 : grootte;
        zetDatum(e, jaar, maand, dag, uur, minuut, dubbelepunt ? Tijdprecisie::Minuut : Tijdprecisie::Dag);
        e.naam = naamUit(naamBegin, naamEind);
        return true;
    }
    return false;
}

// ---- LIST: DOS / IIS -----------------------------------------------------------------------

const char* volgendToken(const char* p, const char* eind, Stuk& t)
{
    while (p < eind && isWit(*p))
        ++p;
    const char* b = p;
    while (p < eind && !isWit(*p))
        ++p;
    t = {b, p};
    return p;
}

// "04-27-00  12:09PM       <DIR>          name", "04-27-2000  21:09   123456789012 name",
// also with "/" in the date, "12:09 PM" and "1,234" sizes as the Windows dir command writes them.
bool dosRegel(Stuk regel, FtpEntry& e)
{
    Stuk datum, tijd, t;
    const char* p = volgendToken(regel.b, regel.e, datum);
    if (datum.lengte() != 8 && datum.lengte() != 10) return false;
    const char sep = datum.b[2];
    if ((sep != '-' && sep != '/') || datum.b[5] != sep) return false;
    const int maand = kleinGetal(datum.b, datum.b + 2), dag = kleinGetal(datum.b + 3, datum.b + 5);
    int jaar = kleinGetal(datum.b + 6, datum.e);
    if (maand < 1 || maand > 12 || dag < 1 || dag > 31 || jaar < 0) return false;
    if (datum.lengte() == 8)
        jaar += jaar < 70 ? 2000 : 1900;
    else if (jaar < 1)
        return false;

    p = volgendToken(p, regel.e, tijd);
    const char* dubbelepunt = static_cast<const char*>(std::memchr(tijd.b, ':', size_t(tijd.lengte())));
    if (!dubbelepunt || dubbelepunt - tijd.b < 1 || dubbelepunt - tijd.b > 2 || tijd.e - dubbelepunt < 3)
        return false;
    int uur = kleinGetal(tijd.b, dubbelepunt);
    const int minuut = kleinGetal(dubbelepunt + 1, dubbelepunt + 3);
    Stuk ampm{dubbelepunt + 3, tijd.e};
    p = volgendToken(p, regel.e, t);
    if (ampm.leeg() && (gelijkKlein(t, "am") || gelijkKlein(t, "pm"))) {
        ampm = t;
        p = volgendToken(p, regel.e, t);
    }
    if (!ampm.leeg()) {
        const bool pm = gelijkKlein(ampm, "pm");
        if ((!pm && !gelijkKlein(ampm, "am")) || uur < 1 || uur > 12) return false;
        uur = uur % 12 + (pm ? 12 : 0);
    }
    if (!tijdGeldig(uur, minuut)) return false;

    qint64 grootte = 0;
    const char* naamBegin;
    if (gelijkKlein(t, "<dir>")) {
        // IIS and dir pad "<DIR>" with ten spaces so that names line up with those of files; a
        // longer run means the name itself starts with spaces. Other padding is skipped whole.
        const char* q = t.e;
        while (q < regel.e && *q == ' ' && q - t.e < 10)
            ++q;
        naamBegin = q;
        e.isMap = true;
    } else {
        qint64 w = 0;
        bool cijfers = false;
        const bool negatief = t.lengte() > 1 && *t.b == '-';
        for (const char* q = t.b + (negatief ? 1 : 0); q < t.e; ++q) {
            if (*q == ',') continue;
            if (!isCijfer(*q) || w > (std::numeric_limits<qint64>::max() - (*q - '0')) / 10) return false;
            w = w * 10 + (*q - '0');
            cijfers = true;
        }
        if (!cijfers || t.e >= regel.e) return false;
        grootte = negatief ? 0 : w;
        naamBegin = t.e + 1; // sizes are right-aligned: one space, then the name
        e.isMap = false;
    }
    if (naamBegin >= regel.e) return false;
    e.grootte = grootte;
    zetDatum(e, jaar, maand, dag, uur, minuut, Tijdprecisie::Minuut);
    e.naam = naamUit(naamBegin, regel.e);
    return true;
}

} // namespace

Lijstlezer::Lijstlezer(Vorm vorm, const Lijstgrenzen& grenzen, const QDate& vandaag)
    : m_vorm(vorm), m_grenzen(grenzen), m_vandaag(vandaag.isValid() ? vandaag : QDate::currentDate()),
      m_morgen(m_vandaag.addDays(1))
{
}

bool Lijstlezer::Lezen(const char* data, qsizetype lengte)
{
    if (m_teGroot) return false;
    m_bytes += lengte;
    if (m_bytes > m_grenzen.bytes) {
        m_teGroot = true;
        return false;
    }
    const char* p = data;
    const char* eind = data + lengte;
    if (!m_rest.isEmpty()) {
        // The line begun before ends at the first line end of this piece.
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', size_t(lengte)));
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(lengte)));
        const char* einde = lf && cr ? std::min(lf, cr) : (lf ? lf : cr);
        m_rest.append(p, (einde ? einde : eind) - p);
        if (m_rest.size() > m_grenzen.regel) {
            m_teGroot = true;
            return false;
        }
        if (!einde) return true;
        Regel(m_rest.constData(), m_rest.constData() + m_rest.size());
        m_rest.clear();
        p = einde; // a CRLF cut in two gives an empty line, which is skipped
    }
    const char* laatste = LaatsteRegeleinde(p, eind);
    const char* rest = laatste ? laatste + 1 : p;
    if (laatste) LeesRegels(p, laatste + 1);
    if (eind - rest > m_grenzen.regel) m_teGroot = true;
    if (!m_teGroot) m_rest.append(rest, eind - rest);
    return !m_teGroot;
}

bool Lijstlezer::Afronden()
{
    if (!m_teGroot && !m_rest.isEmpty()) Regel(m_rest.constData(), m_rest.constData() + m_rest.size());
    m_rest.clear();
    return !m_teGroot;
}

void Lijstlezer::LeesRegels(const char* b, const char* e)
{
    Regels regels(b, e);
    Stuk regel;
    while (!m_teGroot && regels.volgende(regel))
        Regel(regel.b, regel.e);
}

void Lijstlezer::Regel(const char* b, const char* e)
{
    if (e - b > m_grenzen.regel || m_aantal >= m_grenzen.entries) {
        // Only a line that is an entry counts against the number of entries.
        FtpEntry proef;
        if (e - b > m_grenzen.regel || Ontleden(b, e, proef)) m_teGroot = true;
        return;
    }
    FtpEntry entry;
    if (!Ontleden(b, e, entry)) return;
    m_entries.push_back(std::move(entry));
    ++m_aantal;
}

bool Lijstlezer::Ontleden(const char* b, const char* e, FtpEntry& entry) const
{
    const Stuk regel{b, e};
    if (m_vorm == Vorm::Mlsd) return !regel.leeg() && mlsdRegel(regel, entry);
    if (regel.lengte() < 10) return false;
    return isCijfer(regel.b[0]) ? dosRegel(regel, entry)
                                : unixRegel(regel, Vandaag{m_vandaag, m_morgen}, entry);
}

QByteArray MlstFeiten(QByteArrayView featRegel)
{
    static constexpr const char* gelezen[] = {"type", "size", "modify", "unix.mode"};
    QByteArray rest = featRegel.trimmed().toByteArray();
    if (!rest.toUpper().startsWith("MLST")) return {};
    rest = rest.mid(4).trimmed();
    QByteArray keuze;
    bool meer = false; // the server sends a fact no listing reads
    for (const QByteArray& feit : rest.split(';')) {
        const bool gekozen = feit.endsWith('*');
        const QByteArray naam = (gekozen ? feit.chopped(1) : feit).trimmed().toLower();
        if (naam.isEmpty()) continue;
        if (std::find(std::begin(gelezen), std::end(gelezen), naam) != std::end(gelezen)) {
            keuze += naam + ';';
            // The permissions are sent only when asked for.
            if (!gekozen) meer = true;
        } else if (gekozen) {
            meer = true;
        }
    }
    return meer && !keuze.isEmpty() ? keuze : QByteArray();
}

std::vector<FtpEntry> MlsdLezen(const QByteArray& tekst)
{
    Lijstlezer lezer(Lijstlezer::Vorm::Mlsd, Lijstgrenzen::Geen());
    lezer.Lezen(tekst.constData(), tekst.size());
    lezer.Afronden();
    return lezer.Nemen();
}

std::vector<FtpEntry> ListLezen(const QByteArray& tekst, const QDate& vandaag)
{
    Lijstlezer lezer(Lijstlezer::Vorm::List, Lijstgrenzen::Geen(), vandaag);
    lezer.Lezen(tekst.constData(), tekst.size());
    lezer.Afronden();
    return lezer.Nemen();
}

} // namespace Vamox
