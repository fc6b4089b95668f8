// The templates laid out in the desktop's font: nothing clipped, pictures at their own size.

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest/QTest>

#include "WindowTestSupport.h"
#include "ui/CAboutDlg.h"
#include "ui/Translations.h"

namespace tinsori::test {
namespace {

// Every one-line label, check box and radio button shows its whole text inside the window.
void ExpectNothingClipped(const QWidget& window, bool buttonsToo = false) {
    const QRect inside = window.rect();
    for (const QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isHidden()) continue;
        EXPECT_TRUE(inside.contains(child->geometry())) << child->metaObject()->className();
        const auto* label = qobject_cast<const QLabel*>(child);
        const bool oneLine = label && !label->wordWrap() && label->pixmap().isNull();
        if (oneLine || qobject_cast<const QAbstractButton*>(child)) {
            const QString text =
                label ? label->text() : static_cast<const QAbstractButton*>(child)->text();
            if (qobject_cast<const QPushButton*>(child)) {
                // A push button's style margins are its own: the text must fit inside it.
                const QString shown = QString(text).remove(QLatin1Char('&'));
                if (buttonsToo) {
                    EXPECT_LE(child->fontMetrics().horizontalAdvance(shown), child->width())
                        << text.toStdString();
                }
                continue;
            }
            EXPECT_LE(child->sizeHint().width(), child->width()) << text.toStdString();
        }
    }
}

TEST_F(WindowTest, MainWindowShowsEveryLabelWholeAndThePictureAtItsSize) {
    Open();
    ExpectNothingClipped(*dialog_);
    EXPECT_EQ(Control<QWidget>(kIdChimePicture)->size(), QSize(79, 69));
    EXPECT_EQ(dialog_->minimumSize(), dialog_->maximumSize());
    // Template order is tab order: the chime picture, then the notes box, after the wind slider.
    auto nextStop = [](QWidget* from) {
        QWidget* next = from->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
        return next;
    };
    QWidget* picture = nextStop(Control<QWidget>(kIdWindSlider));
    EXPECT_EQ(picture, Control<QWidget>(kIdChimePicture));
    EXPECT_EQ(nextStop(picture), Control<QWidget>(kIdNotesInUse));
}

// A large font would push Pause, About, Help and the status line off the screen: the window is
// laid out smaller until it fits.
TEST_F(WindowTest, MainWindowInALargeFontStillFitsTheScreen) {
    const QFont usual = QApplication::font();
    QFont large = usual;
    large.setPointSize(16);
    QApplication::setFont(large);
    Open();
    QApplication::setFont(usual);
    const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
    EXPECT_LE(dialog_->width(), room.width());
    EXPECT_LE(dialog_->height() + 40, room.height());
    EXPECT_LT(dialog_->font().pointSizeF(), 16);
    EXPECT_TRUE(dialog_->rect().contains(Control<QWidget>(kIdHelp)->geometry()));
}

TEST_F(WindowTest, AboutBoxOpensOverTheWindowAndClosesWithOk) {
    Open();
    CAboutDlg about(dialog_.get());
    about.show();
    ExpectNothingClipped(about);
    EXPECT_EQ(about.windowTitle(), "Tinsori version 1.2");
    QPushButton* ok = nullptr;
    for (auto* button : about.findChildren<QPushButton*>()) ok = button;
    ASSERT_TRUE(ok);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

// Each letter after '&' in the window's labels and buttons, lower-cased: a letter taken twice
// means Alt+letter reaches only one of its controls.
void ExpectUniqueAccelerators(const QWidget& window) {
    QStringList taken;
    for (const QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const auto* label = qobject_cast<const QLabel*>(child);
        const auto* button = qobject_cast<const QAbstractButton*>(child);
        const QString text = label ? label->text() : button ? button->text() : QString();
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        if (at < 0 || at + 1 >= text.size()) continue;
        const QString key = text.mid(at + 1, 1).toLower();
        EXPECT_FALSE(taken.contains(key)) << text.toStdString();
        taken << key;
    }
}

class TranslatedWindowTest : public WindowTest, public testing::WithParamInterface<const char*> {};

TEST_P(TranslatedWindowTest, ShowsEveryLabelWholeWithUniqueAccelerators) {
    setenv("LANGUAGE", GetParam(), 1);
    const Translations translations;
    unsetenv("LANGUAGE");
    ASSERT_EQ(translations.language(), GetParam());
    Open();
    EXPECT_NE(Control<QPushButton>(kIdHelp)->text(), "&Help");
    ExpectNothingClipped(*dialog_, true);
    ExpectUniqueAccelerators(*dialog_);
    CAboutDlg about(dialog_.get());
    about.show();
    ExpectNothingClipped(about, true);
    // Qt's own buttons of the questions the window asks.
    QMessageBox question(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
    EXPECT_FALSE(question.button(QMessageBox::Yes)->text().contains("Yes"));
}

INSTANTIATE_TEST_SUITE_P(GermanAndFrench, TranslatedWindowTest, testing::Values("de", "fr"));

}  // namespace
}  // namespace tinsori::test
