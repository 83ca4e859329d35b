#pragma once

namespace Vamox {

// Installs Qt's own Dutch texts (the standard buttons of the platform message box read "Ja" and
// "Nee") whatever the system language: the whole interface is Dutch. Call once after the
// application object exists. False when the translation file is missing; Qt's texts stay English.
bool QtVertalingLaden();

} // namespace Vamox
