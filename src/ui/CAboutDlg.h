#pragma once

#include <QDialog>
#include <functional>

namespace tinsori {

// The About box: a small modal dialog over the main window, built from its own template.
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent);

    // F1 here gives the main window's context help.
    std::function<void()> onHelp;
};

}  // namespace tinsori
