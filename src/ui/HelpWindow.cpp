#include "ui/HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QStyle>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <optional>

#include "player/ContextHelp.h"
#include "ui/Contrast.h"
#include "ui/UiText.h"
#include "ui/WindowPlacement.h"

namespace tinsori {

namespace {

const QString kHelpFolder = QStringLiteral(":/help/");
const QString kContents = QStringLiteral("index.html");
constexpr int kWidth = 560;
constexpr int kHeight = 480;
// 4.5 is the least for text; a little more survives rounding to whole bytes.
constexpr double kTextContrast = 4.6;
// The pages' own colours on a light page: blue titles, brown headings as the chimes' wood.
const QColor kTitle(0x2f, 0x6d, 0xb5);
const QColor kHeading(0x4b, 0x2e, 0x1c);

QString Css(const QColor& colour) {
    return colour.name(QColor::HexRgb);
}

// The pages' colours, from the palette: on a dark page the same hues lightened until they read.
QString PaletteStyle(const QPalette& palette) {
    const QColor page = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    auto readable = [&](const QColor& colour) {
        return Css(Readable(colour, text, page, kTextContrast));
    };
    const QString badge = Css(Mixed(page, text, 0.08));
    return QStringLiteral(
               "h1 { color: %1; } h2 { color: %2; } a { color: %3; } .nav { color: %4; }"
               ".key, pre, th { color: %5; background-color: %6; }")
        .arg(readable(kTitle), readable(kHeading), readable(palette.color(QPalette::Link)),
             readable(Mixed(page, text, 0.6)), Css(text), badge);
}

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
    browser_->document()->setDefaultStyleSheet(PaletteStyle(browser_->palette()));
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

void HelpWindow::ShowPage(const std::string& page, const QWidget* beside) {
    // The pages in the user's language sit in a folder of their own that the translation names
    // ("de/", English "en/" has none).
    const std::string language = UiText(QT_TRANSLATE_NOOP("Tinsori", "en/")).toStdString();
    const std::optional<std::string> file =
        HelpPageFile(page, language, [](const std::string& path) {
            return QFile::exists(kHelpFolder + QString::fromStdString(path));
        });
    if (file) {
        missingPage_.clear();
        browser_->setSource(
            QUrl(QStringLiteral("qrc") + kHelpFolder + QString::fromStdString(*file)));
    } else {
        missingPage_ = kContents;
        browser_->setPlainText(
            UiText(QT_TRANSLATE_NOOP("Tinsori", "The help pages are not part of this build.")));
    }
    if (!isVisible() && beside) PlaceBeside(*this, *beside);
    show();
    raise();
    activateWindow();
}

QString HelpWindow::shownPage() const {
    return missingPage_.isEmpty() ? browser_->source().fileName() : missingPage_;
}

}  // namespace tinsori
