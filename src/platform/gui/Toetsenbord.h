#pragma once

#include <QtGlobal>
#include <qnamespace.h>

namespace Vamox {

// The keyboard as the long flows sample it between two steps, not from the last event they saw.

// Modifier keys held right now, asked of the window system.
Qt::KeyboardModifiers ToetsModifiers();

// Whether Escape was pressed since the last time this was asked; asking clears it. The presses
// are recorded by the input filter while an FTP operation runs (Invoerblokkade).
bool EscapeIngedrukt();

// Records one Escape press.
void EscapeOpgenomen();

// For tests: fixed answers while the object lives; the previous answers come back afterwards.
class ToetsenbordVoorTest final
{
public:
    explicit ToetsenbordVoorTest(Qt::KeyboardModifiers modifiers, bool escape = false);
    ~ToetsenbordVoorTest();
    Q_DISABLE_COPY_MOVE(ToetsenbordVoorTest)

private:
    bool m_hadVorige;
    Qt::KeyboardModifiers m_vorigeModifiers;
    bool m_vorigeEscape;
};

} // namespace Vamox
