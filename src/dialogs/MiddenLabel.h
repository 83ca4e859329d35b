#pragma once

#include <QLabel>

namespace Vamox {

// A label for a path: a text too long for it shows with its middle left out, so that where the
// path begins and which folder it ends in both stay readable. text() is always the whole text
// (its tip and a screen reader say it whole).
class MiddenLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MiddenLabel)

public:
    explicit MiddenLabel(QWidget* parent = nullptr);

    // What the label shows of its text at its width.
    QString ZichtbareTekst() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace Vamox
