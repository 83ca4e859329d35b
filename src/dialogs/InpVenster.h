#pragma once

#include "dialogs/Inp.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace Vamox {

// The input window `Inp`: a prompt, one entry field that takes only the allowed characters,
// OK and Annuleren. exec() returns Accepted with the text in Invoer().
class InpVenster final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InpVenster)

public:
    explicit InpVenster(const InpOpties& opties, QWidget* parent = nullptr);
    ~InpVenster() override;

    QString Invoer() const { return m_invoer; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void Indelen(const InpOpties& opties);

    QPlainTextEdit* m_tekst = nullptr;
    QLineEdit* m_veld = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_icoon = nullptr;
    QLabel* m_band = nullptr;
    QLabel* m_toegestaan = nullptr; // hidden: the allowed codes while the window is open
    QString m_invoer;
};

} // namespace Vamox
