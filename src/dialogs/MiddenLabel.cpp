#include "dialogs/MiddenLabel.h"

#include <QPainter>
#include <QStyle>

namespace Vamox {

MiddenLabel::MiddenLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

QString MiddenLabel::ZichtbareTekst() const
{
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

void MiddenLabel::paintEvent(QPaintEvent*)
{
    QPainter schilder(this);
    style()->drawItemText(&schilder, contentsRect(), int(alignment()), palette(), isEnabled(), ZichtbareTekst(),
                          foregroundRole());
}

} // namespace Vamox
