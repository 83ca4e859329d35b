#include "mainwindow/FrmFtp.h"

#include "mainwindow/AppInfo.h"

namespace Vamox {

FrmFtp::FrmFtp(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmFtp"));
    setWindowTitle(AppTitel());
    resize(1200, 800);
}

FrmFtp::~FrmFtp() = default;

} // namespace Vamox
