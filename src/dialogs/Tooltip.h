#pragma once

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

class QWidget;

namespace Vamox {

// Computes a tip's text when it is about to show, so that it can name current values.
using TipBron = std::function<QString()>;

// The hover tip of one control, on Qt's tooltip window: shown DelayTime ms after the pointer
// came to rest on the control, for VisibleTime ms, in its own colours. Lines are separated by
// "\r\n" (or "\n"); a line is never wrapped. Replaces the control's plain tip, whose 700 ms
// wake-up delay and style colours it overrides.
class Tooltip final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tooltip)

public:
    explicit Tooltip(QWidget& besturing);

    QColor TxtColor{0, 0, 0};
    QColor BkColor{255, 255, 238};
    int VisibleTime = 2000;
    int DelayTime = 500;
    bool Centreren = false; // below the control's middle instead of at the pointer

    void TekstZetten(TipBron bron);
    // The text as it would show now, lines joined by "\n".
    QString Tekst() const;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void Tonen();

    QWidget& m_besturing;
    TipBron m_bron;
    QTimer m_wachten;
};

struct TipOpties
{
    std::optional<QColor> Achtergrond; // the scheme's tip colours when not given
    std::optional<QColor> Tekstkleur;  // (pale yellow and black when light)
    int Zichtbaar = 3000;              // ms
    bool Centreren = false;
};

// Gives `besturing` its tip (created on first use, replaced text afterwards: the latest wins),
// shown 100 ms after the pointer rests on it.
Tooltip& TipTonen(QWidget& besturing, const QString& tekst, const TipOpties& opties = {});
Tooltip& TipTonen(QWidget& besturing, TipBron bron, const TipOpties& opties = {});

// The tip of a control, nullptr when it has none.
Tooltip* TipVan(const QWidget& besturing);

} // namespace Vamox
