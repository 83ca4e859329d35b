#pragma once

#include <QLatin1String>
#include <QString>

namespace Vamox {

// The key of a row's picture in the shared image list ("map", "bestand", "txt", a program's own
// path): a number for a text kept once. A million rows share a few keys, so a row carries four
// bytes instead of a string of its own.
class IcoonSleutel final
{
public:
    IcoonSleutel() = default;
    // Implicit: a key is set from its text wherever rows are made.
    IcoonSleutel(const QString& tekst); // NOLINT(google-explicit-constructor)
    IcoonSleutel(const char* tekst) : IcoonSleutel(QString::fromUtf8(tekst)) {} // NOLINT

    QString tekst() const;
    operator QString() const { return tekst(); } // NOLINT(google-explicit-constructor)
    bool isEmpty() const { return m_nummer == 0; }
    bool contains(QLatin1String deel) const { return tekst().contains(deel); }

    friend bool operator==(IcoonSleutel a, IcoonSleutel b) { return a.m_nummer == b.m_nummer; }
    friend bool operator==(IcoonSleutel a, const QString& b) { return a.tekst() == b; }

private:
    quint32 m_nummer = 0; // 0: no key
};

} // namespace Vamox
