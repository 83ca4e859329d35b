#include "dialogs/DialoogSeam.h"

#include "dialogs/MsgRegels.h"

#include <utility>

namespace Vamox {

namespace {

DialoogAntwoorder& Antwoorder()
{
    static DialoogAntwoorder antwoorder;
    return antwoorder;
}

} // namespace

DialoogAntwoorderScope::DialoogAntwoorderScope(DialoogAntwoorder antwoorder)
    : m_vorige(std::exchange(Antwoorder(), std::move(antwoorder)))
{
}

DialoogAntwoorderScope::~DialoogAntwoorderScope()
{
    Antwoorder() = std::move(m_vorige);
}

const DialoogAntwoorder& HuidigeAntwoorder()
{
    return Antwoorder();
}

DialoogOpnemer::DialoogOpnemer(std::initializer_list<int> antwoorden)
    : m_antwoorden(antwoorden), m_scope([this](const DialoogVraag& vraag) { return Beantwoorden(vraag); })
{
}

void DialoogOpnemer::Antwoord(int knop)
{
    m_antwoorden.push_back(knop);
}

int DialoogOpnemer::Beantwoorden(const DialoogVraag& vraag)
{
    m_vragen.push_back(vraag);
    if (!m_antwoorden.empty()) {
        const int knop = m_antwoorden.front();
        m_antwoorden.pop_front();
        return knop;
    }
    return LeesMsgCodes(vraag.opties.Codes).standaard;
}

} // namespace Vamox
