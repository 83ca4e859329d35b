#pragma once

namespace Vamox {

// The icon theme the file lists take their pictures from. Under a desktop the desktop's own
// theme is kept; without one (a bare X session, a remote display) Qt only knows "hicolor",
// which holds no pictures for kinds of files, so every row would look alike. Then the first
// complete theme that is installed is used instead. Call once, after the application exists.
void PictogramthemaKiezen();

} // namespace Vamox
