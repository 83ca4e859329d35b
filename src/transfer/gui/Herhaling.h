#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QComboBox;
class QToolButton;
class QWidget;

namespace Vamox {

class Bestandsoverdracht;
class LokaalPaneel;
class ServerPaneel;

// Transferring the same files again: the last toolbar download or upload repeated between the
// same folders on the same server, and the one upload file sent to the current server folder
// with one click. The transfers themselves are Bestandsoverdracht's.
class Herhaling final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Herhaling)

public:
    // The controls and the window state it uses.
    struct Besturing
    {
        QWidget* venster = nullptr; // parent of the open-file dialog
        QToolButton* knopUploadBestandKiezen = nullptr;
        QComboBox* cboVerbindingenFtp = nullptr;
        QAction* mnuBestandFtpOpnieuwDownloaden = nullptr;
        QAction* mnuBestandLokaalOpnieuwUploaden = nullptr;
        QAction* mnuBestandUploadbestandUploaden = nullptr;
        QAction* mnuBestandUploadbestandSelecteren = nullptr;
        QAction* mnuUploadbestand = nullptr;
        const QStringList* laatsteDownloads = nullptr; // element 0 the context, then names
        const QStringList* laatsteUploads = nullptr;
        QString* uploadbestand = nullptr; // Uploadbestand: full local path, or empty
    };

    Herhaling(LokaalPaneel& lokaal, ServerPaneel& server, Bestandsoverdracht& overdracht,
              const Besturing& besturing);
    ~Herhaling() override;

    void LaatsteBestandenOpnieuwDownloaden();
    void LaatsteBestandenOpnieuwUploaden();

    // Left button with an upload file: upload it; otherwise choose one.
    void knopUploadBestandKiezen_MouseUp(Qt::MouseButton knop);
    // The first of the dropped paths becomes the upload file.
    void knopUploadBestandKiezen_OLEDragDrop(const QStringList& paden);
    // The button's tip and the menu item name the upload file.
    void knopUploadBestandKiezenTipText();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    // The stored context, or false with the notice when there is nothing to repeat or the
    // server differs.
    bool Terugzetten(const QStringList& laatste, const QString& soort);
    void UploadbestandKiezen();

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    Bestandsoverdracht& m_overdracht;
    Besturing m_b;
};

} // namespace Vamox
