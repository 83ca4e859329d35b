#pragma once

#include <QString>

namespace Vamox {

// The program's version as the About notice and "--version" show it: major.minor.0.revision.
QString Versie();

// The texts of the Info menu's notices.
QString TipsTekst();
QString OverTekst();

// "Tips...": the tips notice.
void mnuInfoTips_Click();
// "Over..": version and contact; its second button writes an e-mail to the makers.
void mnuInfoOver_Click();

} // namespace Vamox
