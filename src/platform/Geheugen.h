#pragma once

namespace Vamox {

// Hands memory the program has freed back to the system. Reading a large folder frees much that
// it held for a moment, in pieces the allocator keeps for itself; afterwards the program's size
// says again what it holds.
void GeheugenTeruggeven();

} // namespace Vamox
