#pragma once
// The program's main window.

#include <QMainWindow>

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
};
