#pragma once

namespace Vamox {

// The busy pointer over the whole application. It is one on/off state, not a count: the flows
// set and restore it step by step (a helper may restore it while its caller still works), so
// switching it on twice and off once leaves it off, and the override cursor stays balanced.
void Zandloper(bool aan);
bool ZandloperAan();

} // namespace Vamox
