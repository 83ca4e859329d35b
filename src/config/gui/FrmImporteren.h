#pragma once

#include "config/Importeren.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace Vamox {

class Wachtwoorden;

// "Servers importeren…": the servers found in another program's file, one row each with a check
// box; refused rows say why and cannot be checked. Nothing is stored before "Importeren".
class FrmImporteren final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrmImporteren)

public:
    FrmImporteren(Import gevonden, const QString& bestand, QStringList& serverLijst, Wachtwoorden& wachtwoorden,
                  QWidget* parent = nullptr);
    ~FrmImporteren() override;

    QTreeWidget* lijst() const { return m_lijst; }
    QPushButton* knopImporteren() const { return m_importeren; }
    // The servers imported by the last "Importeren".
    int Geimporteerd() const { return m_geimporteerd; }

Q_SIGNALS:
    // The server lines are to be written to the configuration file now.
    void serverregelsOpslaan();

private:
    void Importeren();
    void KnopBijwerken();

    Import m_gevonden;
    QList<Importvoorstel> m_voorstellen;
    QStringList& m_serverLijst;
    Wachtwoorden& m_wachtwoorden;
    QTreeWidget* m_lijst = nullptr;
    QPushButton* m_importeren = nullptr;
    int m_geimporteerd = 0;
};

} // namespace Vamox
