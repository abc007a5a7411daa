#include "ui/main_window.h"

#include <QLabel>

namespace nodra::ui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kMainWindowCaption);
    setFixedSize(906, 503);
    auto* label = new QLabel(QStringLiteral("Нодра-1/2"), this);
    label->setAlignment(Qt::AlignCenter);
    setCentralWidget(label);
}

}  // namespace nodra::ui
