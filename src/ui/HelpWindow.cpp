#include "ui/HelpWindow.h"

#include <QFile>
#include <QUrl>

namespace tinsori {

namespace {

const QString kHelpFolder = QStringLiteral(":/help/");
const QString kContents = QStringLiteral("index.html");
constexpr int kWidth = 560;
constexpr int kHeight = 480;

}  // namespace

HelpWindow::HelpWindow() {
    setWindowTitle(QStringLiteral("Tinsori Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    setOpenExternalLinks(true);
    setSearchPaths({kHelpFolder});
    resize(kWidth, kHeight);
}

void HelpWindow::ShowPage(const std::string& page) {
    QString name = QString::fromStdString(page);
    if (!QFile::exists(kHelpFolder + name)) name = kContents;
    shownPage_ = name;
    if (QFile::exists(kHelpFolder + name)) {
        setSource(QUrl(QStringLiteral("qrc") + kHelpFolder + name));
    } else {
        setPlainText(QStringLiteral("The help pages are not part of this build."));
    }
    show();
    raise();
    activateWindow();
}

}  // namespace tinsori
