#pragma once

#include "dialogs/Msg.h"

#include <deque>
#include <functional>
#include <initializer_list>
#include <vector>

namespace Vamox {

// Every question and notice passes through here. With an answerer installed (tests), no window
// is shown: the answerer reads the question and returns the button number the window would have.
struct DialoogVraag
{
    enum class Soort
    {
        Bericht,
        Platform
    };
    Soort soort = Soort::Bericht;
    MOpties opties; // for Platform: Tekst, Titel, Pictogram; Knoppen "OK" or "&Ja+&Nee"
};

using DialoogAntwoorder = std::function<int(const DialoogVraag&)>;

// Installs an answerer for the lifetime of the returned guard; nesting restores the previous one.
class DialoogAntwoorderScope final
{
public:
    explicit DialoogAntwoorderScope(DialoogAntwoorder antwoorder);
    ~DialoogAntwoorderScope();
    DialoogAntwoorderScope(const DialoogAntwoorderScope&) = delete;
    DialoogAntwoorderScope& operator=(const DialoogAntwoorderScope&) = delete;

private:
    DialoogAntwoorder m_vorige;
};

// The installed answerer, or an empty function when windows are to be shown.
const DialoogAntwoorder& HuidigeAntwoorder();

// For tests: answers from a queue, in order, and keeps every question asked. With the queue
// empty it answers as Enter would (the default button of the code string, else 0).
class DialoogOpnemer final
{
public:
    explicit DialoogOpnemer(std::initializer_list<int> antwoorden = {});
    DialoogOpnemer(const DialoogOpnemer&) = delete;
    DialoogOpnemer& operator=(const DialoogOpnemer&) = delete;

    void Antwoord(int knop);
    const std::vector<DialoogVraag>& Vragen() const { return m_vragen; }

private:
    int Beantwoorden(const DialoogVraag& vraag);

    std::deque<int> m_antwoorden;
    std::vector<DialoogVraag> m_vragen;
    DialoogAntwoorderScope m_scope; // last: installed once the queues exist
};

} // namespace Vamox
