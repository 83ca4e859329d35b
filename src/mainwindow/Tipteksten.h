#pragma once

namespace Vamox {

class FrmFtp;

// Gives every control of the main window its hover tip: fixed texts, and texts made from the
// current state (selection, folders, last transfers, connection) each time they show.
void Tipteksten(FrmFtp& venster);

} // namespace Vamox
