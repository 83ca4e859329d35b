#pragma once

#include "dialogs/Msg.h"

#include <functional>

namespace Vamox {

// Every question and notice passes through here. With an answerer installed (tests), no window
// is shown: the answerer reads the question and returns the button number the window would have.
struct DialoogVraag
{
    enum class Soort { Bericht, Platform };
    Soort soort = Soort::Bericht;
    MOpties opties;       // for Platform: Tekst, Titel, Pictogram; Knoppen "OK" or "&Ja+&Nee"
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

} // namespace Vamox
