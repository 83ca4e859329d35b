#pragma once

#include <QMainWindow>

namespace Vamox {

// The main window: the local side on the left, the server side on the right.
class FrmFtp final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrmFtp)

public:
    explicit FrmFtp(QWidget* parent = nullptr);
    ~FrmFtp() override;
};

} // namespace Vamox
