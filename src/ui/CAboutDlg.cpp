#include "ui/CAboutDlg.h"

#include <QApplication>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

#include "player/ControlIds.h"
#include "ui/DialogControls.h"

namespace tinsori {

namespace {

// The About box's font is a point larger than the main window's, as its template asks.
QFont AboutFont(const DialogTemplate& tmpl) {
    QFont font = QApplication::font();
    const DialogTemplate& main = MainDialogTemplate();
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * tmpl.pointSize / main.pointSize);
    } else {
        font.setPixelSize(font.pixelSize() * tmpl.pointSize / main.pointSize);
    }
    return font;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    const DialogTemplate& tmpl = AboutDialogTemplate();
    const DialogControls controls = DialogControls::Build(*this, tmpl, AboutFont(tmpl));
    auto* ok = static_cast<QPushButton*>(controls.widget(kIdOk));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] {
        if (onHelp) onHelp();
    });
}

}  // namespace tinsori
