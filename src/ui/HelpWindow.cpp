#include "ui/HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/UiText.h"
#include "ui/WindowPlacement.h"

namespace tinsori {

namespace {

const QString kHelpFolder = QStringLiteral(":/help/");
const QString kContents = QStringLiteral("index.html");
constexpr int kWidth = 560;
constexpr int kHeight = 480;

QPushButton* AddButton(QHBoxLayout* row, const QString& text, QStyle::StandardPixmap icon) {
    auto* button = new QPushButton(row->parentWidget()->style()->standardIcon(icon), text);
    // The keys stay with the page; the buttons are for the mouse and their mnemonics.
    button->setFocusPolicy(Qt::TabFocus);
    row->addWidget(button);
    return button;
}

}  // namespace

HelpWindow::HelpWindow() : browser_(new QTextBrowser) {
    setWindowTitle(UiText(QT_TRANSLATE_NOOP("Tinsori", "Tinsori Help")));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    column->addLayout(row);
    back_ = AddButton(row, UiText(QT_TRANSLATE_NOOP("Tinsori", "&Back")), QStyle::SP_ArrowBack);
    forward_ =
        AddButton(row, UiText(QT_TRANSLATE_NOOP("Tinsori", "&Forward")), QStyle::SP_ArrowForward);
    contents_ =
        AddButton(row, UiText(QT_TRANSLATE_NOOP("Tinsori", "&Contents")), QStyle::SP_DirHomeIcon);
    row->addStretch();
    column->addWidget(browser_);

    browser_->setOpenExternalLinks(true);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QPushButton::clicked, this, [this] { ShowPage(kContents.toStdString()); });
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    resize(kWidth, kHeight);
    browser_->setFocus();
}

// The pages in the user's language sit in a folder of their own that the translation names
// ("de/", English "en/" has none); a page not translated is shown in English.
QString HelpWindow::PagePath(const QString& name) {
    const QString translated = kHelpFolder + UiText(QT_TRANSLATE_NOOP("Tinsori", "en/")) + name;
    return QFile::exists(translated) ? translated : kHelpFolder + name;
}

void HelpWindow::ShowPage(const std::string& page, const QWidget* beside) {
    QString name = QString::fromStdString(page);
    if (!QFile::exists(PagePath(name))) name = kContents;
    if (QFile::exists(PagePath(name))) {
        missingPage_.clear();
        browser_->setSource(QUrl(QStringLiteral("qrc") + PagePath(name)));
    } else {
        missingPage_ = name;
        browser_->setPlainText(
            UiText(QT_TRANSLATE_NOOP("Tinsori", "The help pages are not part of this build.")));
    }
    if (!isVisible() && beside) PlaceBeside(*beside);
    show();
    raise();
    activateWindow();
}

QString HelpWindow::shownPage() const {
    return missingPage_.isEmpty() ? browser_->source().fileName() : missingPage_;
}

// The window manager adds the same frame to both windows: the main window's tells its size.
void HelpWindow::PlaceBeside(const QWidget& beside) {
    const QScreen* screen = beside.screen();
    if (!screen) return;
    const QRect inner = beside.geometry();
    const QRect outer = beside.frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QRect placed =
        PlaceBesideOnScreen(outer, size().grownBy(frame), screen->availableGeometry());
    setGeometry(placed.marginsRemoved(frame));
}

}  // namespace tinsori
