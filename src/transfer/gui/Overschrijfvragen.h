#pragma once

#include "transfer/Overdracht.h"

namespace Vamox {

// The overwrite questions of the transfers as the window asks them: the system's own notice,
// Ja / Nee for selected files, Ja / Nee / Alle overschrijven / Stoppen inside a folder.
class Overschrijfvragen final : public Overdrachtsvragen
{
public:
    Overschrijfantwoord Overschrijven(const Overschrijving& vraag) override;
};

} // namespace Vamox
