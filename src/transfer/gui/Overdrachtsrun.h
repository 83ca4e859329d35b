#pragma once

#include "config/AppInfo.h"
#include "platform/gui/Zandloper.h"

#include <QString>
#include <QWidget>

namespace Vamox {

// The flows run inside the event handler that started them while the event loop turns; the
// window's busy flag keeps a second flow (or a search) from starting meanwhile. A flow that
// finds the flag taken does nothing.
class BezigSlot final
{
public:
    explicit BezigSlot(bool& vlag) : m_vlag(vlag), m_genomen(!vlag) { m_vlag = true; }
    ~BezigSlot()
    {
        if (m_genomen) m_vlag = false;
    }
    Q_DISABLE_COPY_MOVE(BezigSlot)

    explicit operator bool() const { return m_genomen; }

private:
    bool& m_vlag;
    bool m_genomen;
};

// The caption text and the busy pointer of a long step; the application's title and the normal
// pointer come back when the flow ends, however it ends, unless the caller keeps them.
class Wachtstand final
{
public:
    explicit Wachtstand(QWidget& venster) : m_venster(venster) {}
    ~Wachtstand()
    {
        if (!m_houden) Terug();
    }
    Q_DISABLE_COPY_MOVE(Wachtstand)

    void Tonen(const QString& tekst)
    {
        m_venster.setWindowTitle(tekst);
        Zandloper(true);
    }
    void Terug()
    {
        m_venster.setWindowTitle(AppTitel());
        Zandloper(false);
    }
    // The caller restores caption and pointer itself (a drag that prepares its data).
    void Houden() { m_houden = true; }

private:
    QWidget& m_venster;
    bool m_houden = false;
};

} // namespace Vamox
