#pragma once

#include "dialogs/Msg.h"
#include "dialogs/MsgRegels.h"

#include <QDialog>

#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace Vamox {

// The message window `Msg`: one instance per question, laid out in twips, answered by a button,
// Enter, Escape, a hot key, the close box or its own timer. exec() returns the button number.
class MsgVenster final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MsgVenster)

public:
    explicit MsgVenster(const MOpties& opties, QWidget* parent = nullptr);
    ~MsgVenster() override;

    int exec() override;
    void reject() override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void Opbouwen(const MOpties& opties);
    void Indelen(const MOpties& opties);
    bool ToetsAfhandelen(const QKeyEvent& toets);

    QPlainTextEdit* m_tekst = nullptr;
    QLabel* m_icoon = nullptr;
    QLabel* m_band = nullptr;
    std::array<QPushButton*, 4> m_knoppen{};
    QTimer* m_sluiten = nullptr;
    MsgCodes m_codes;
    int m_aantalKnoppen = 0;
};

} // namespace Vamox
