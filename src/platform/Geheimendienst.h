#pragma once

namespace Vamox {

// The state of the desktop's secret store, asked directly: a locked store answers a read as if the
// entry were not there, which must not be taken for "no password saved".
enum class Geheimendienst
{
    Open,
    Vergrendeld,
    Afwezig, // no store to ask
    Onbekend // it did not say (no answer in time, another kind of store)
};

Geheimendienst GeheimendienstStaat(int wachttijdMs);

} // namespace Vamox
