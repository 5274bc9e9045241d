#pragma once
// TfrmMain: the editor's main window. It owns the top bar, the navigation column and the pages.

#include <QMainWindow>

namespace kinloom::gui {

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
};

}  // namespace kinloom::gui
