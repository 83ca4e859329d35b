#include "platform/gui/Toetsenbord.h"

#include <QGuiApplication>

#include <utility>

namespace Vamox {

namespace {

struct Vervanging
{
    bool actief = false;
    Qt::KeyboardModifiers modifiers;
    bool escape = false;
};

Vervanging& TestWaarden()
{
    static Vervanging v;
    return v;
}

bool& EscapeGezien()
{
    static bool gezien = false;
    return gezien;
}

} // namespace

Qt::KeyboardModifiers ToetsModifiers()
{
    if (TestWaarden().actief) return TestWaarden().modifiers;
    return QGuiApplication::queryKeyboardModifiers();
}

bool EscapeIngedrukt()
{
    if (TestWaarden().actief) return TestWaarden().escape;
    return std::exchange(EscapeGezien(), false);
}

void EscapeOpgenomen()
{
    EscapeGezien() = true;
}

ToetsenbordVoorTest::ToetsenbordVoorTest(Qt::KeyboardModifiers modifiers, bool escape)
    : m_hadVorige(TestWaarden().actief), m_vorigeModifiers(TestWaarden().modifiers),
      m_vorigeEscape(TestWaarden().escape)
{
    TestWaarden() = {true, modifiers, escape};
}

ToetsenbordVoorTest::~ToetsenbordVoorTest()
{
    TestWaarden() = {m_hadVorige, m_vorigeModifiers, m_vorigeEscape};
}

} // namespace Vamox
