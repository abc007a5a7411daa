#pragma once

#include <QMainWindow>

namespace nodra::ui {

// The configurator's main window: command column on the left, tabs on the right.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

inline const QString kMainWindowCaption = QStringLiteral("Нодра-1/2 Конфигуратор (v.1.3.1) ");

}  // namespace nodra::ui
