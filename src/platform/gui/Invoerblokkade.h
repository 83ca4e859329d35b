#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace Vamox {

// While an FTP operation runs, the event loop keeps turning (painting, timers, resizing), but
// the window must not start a second operation: mouse and key input to the window, its menu bar
// and its pop-up menus is swallowed. Escape is recorded for the running flow (EscapeIngedrukt).
// Typing into a text box goes on (a check of the typed folder may be what runs), except the
// keys that act: Escape, Tab, the arrow keys up and down, and Enter, which the text box gets as
// soon as the operation is over (it often follows the typing at once). A widget that carries the
// property named by Bereikbaar (true), and what lies inside it, takes its input all the same.
class Invoerblokkade final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Invoerblokkade)

public:
    // Installs itself on the application; removed when destroyed.
    explicit Invoerblokkade(QWidget& venster, QObject* parent = nullptr);
    ~Invoerblokkade() override;

    // The property that keeps a widget within reach while an operation runs.
    static constexpr const char* Bereikbaar = "bereikbaarTijdensBezig";

    void ZetBezig(bool bezig);
    bool Bezig() const { return m_bezig; }

    // While one lives, the input events it picks reach the window even while an operation runs
    // (a list that is still being filled can be scrolled and sorted). Escape is never let through.
    class Doorlaten final
    {
    public:
        using Kiezen = std::function<bool(const QObject* object, const QEvent* event)>;
        explicit Doorlaten(Kiezen kiezen);
        ~Doorlaten();
        Q_DISABLE_COPY_MOVE(Doorlaten)

        bool Kiest(const QObject* object, const QEvent* event) const { return m_kiezen(object, event); }

    private:
        Kiezen m_kiezen;
    };

Q_SIGNALS:
    // Escape was pressed while an operation ran (it is also recorded for EscapeIngedrukt).
    void escapeTijdensBezig();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    bool VanVenster(const QObject* object) const;

    QWidget& m_venster;
    bool m_bezig = false;
    QPointer<QWidget> m_enterVoor; // the text box whose Enter waits for the end of the operation
};

} // namespace Vamox
