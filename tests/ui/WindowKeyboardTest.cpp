// The main window's keys: mnemonics, Enter, Escape and F1.

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QtTest/QTest>

#include "WindowTestSupport.h"
#include "ui/DialogScrollBar.h"
#include "ui/HelpWindow.h"

namespace tinsori::test {
namespace {

TEST_F(WindowTest, MnemonicsMoveTheFocusToTheControlAfterTheLabel) {
    Open();
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_R, kIdPinknessSlider}, {Qt::Key_M, kIdClosenessSlider}, {Qt::Key_C, kIdWindSlider},
        {Qt::Key_U, kIdVolumeSlider},   {Qt::Key_N, kIdChimeCount},      {Qt::Key_V, kIdFavorites}};
    for (auto [key, id] : keys) {
        QTest::keyClick(dialog_.get(), key, Qt::AltModifier);
        EXPECT_TRUE(Control<QWidget>(id)->hasFocus()) << id;
    }
}

TEST_F(WindowTest, EnterDoesNothingWithoutAFocusedButton) {
    Open();
    // Another favorite's name typed in the edit field must not be picked by Enter.
    QComboBox* favorites = List(kIdFavorites);
    favorites->setFocus();
    const int selected = favorites->currentIndex();
    const QString other = favorites->itemText(selected == 0 ? 1 : 0);
    favorites->lineEdit()->setText(other);
    const size_t before = Sent().size();
    QTest::keyClick(favorites, Qt::Key_Return);
    Control<QLineEdit>(kIdChimeCount)->setFocus();
    QTest::keyClick(Control<QWidget>(kIdChimeCount), Qt::Key_Return);
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_EQ(favorites->currentIndex(), selected);
    EXPECT_EQ(Sent().size(), before);
}

TEST_F(WindowTest, EscapeEndsWithTheClosingRunAndSavesTheSettings) {
    Open();
    timeline_.runUntil(3000, 0, {});
    Control<QLineEdit>(kIdChimeCount)->setText("5");
    QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
    const size_t before = Sent().size();
    dialog_->ShutDownOnDestroy();
    const auto sent = Sent();
    std::vector<int> run;
    for (size_t i = before; i < sent.size(); ++i)
        if (sent[i].isNoteOn()) run.push_back(sent[i].data1());
    ASSERT_EQ(run.size(), 5u);
    EXPECT_TRUE(std::is_sorted(run.rbegin(), run.rend()));
    EXPECT_EQ(store_->ReadInt("Settings", "Num Chimes", 0), 5);
}

// With the focus (the tab stop after the wind bar), digits strike a chime, the arrows choose one
// and Space strikes it, at the middle velocity; keys past the set strike nothing.
TEST_F(WindowTest, TheChimePictureIsPlayedFromTheKeyboard) {
    Open();
    QWidget* picture = Control<QWidget>(kIdChimePicture);
    Control<QWidget>(kIdWindSlider)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(picture->hasFocus());
    ASSERT_EQ(Settings().chimeCount(), 7);
    auto struck = [this](auto press) {
        const size_t before = Sent().size();
        press();
        const auto sent = Sent();
        return sent.size() > before ? std::pair(sent.back().data1(), sent.back().data2())
                                    : std::pair(-1, -1);
    };
    const int first = Settings().chimeNotes[0], third = Settings().chimeNotes[2];
    EXPECT_EQ(struck([&] { QTest::keyClick(picture, Qt::Key_1); }), std::pair(first, 68));
    EXPECT_EQ(struck([&] { QTest::keyClick(picture, Qt::Key_Space); }), std::pair(first, 68));
    QTest::keyClick(picture, Qt::Key_Right);
    QTest::keyClick(picture, Qt::Key_Left);
    QTest::keyClick(picture, Qt::Key_Left);
    QTest::keyClick(picture, Qt::Key_Left);
    QTest::keyClick(picture, Qt::Key_Right);
    EXPECT_EQ(struck([&] { QTest::keyClick(picture, Qt::Key_Space); }), std::pair(third, 68));
    EXPECT_EQ(struck([&] { QTest::keyClick(picture, Qt::Key_8); }), std::pair(-1, -1));
}

// F1 shows the page of the last control area worked with (the contents while pages are absent).
TEST_F(WindowTest, F1FollowsTheControlLastWorkedWith) {
    Open();
    auto page = [this] {
        QTest::keyClick(dialog_.get(), Qt::Key_F1);
        HelpWindow* help = dialog_->helpWindow();
        EXPECT_TRUE(help && help->isVisible());
        return help ? help->shownPage() : QString();
    };
    auto expected = [](const char* name) {
        return QFile::exists(QStringLiteral(":/help/") + name) ? QString(name)
                                                               : QStringLiteral("index.html");
    };
    EXPECT_EQ(dialog_->player().help().Keyword(), "creating presets");
    EXPECT_EQ(page(), expected("creating-presets.html"));
    auto* volume = Control<DialogScrollBar>(kIdVolumeSlider);
    volume->request(ScrollRequest::LineForward);
    volume->request(ScrollRequest::EndScroll);
    EXPECT_EQ(page(), expected("instrument.html"));
    dialog_->activateWindow();
    QTest::mouseClick(Control<QCheckBox>(kIdFractal), Qt::LeftButton);
    EXPECT_EQ(dialog_->player().help().Keyword(), "wind");
    dialog_->ShutDownOnDestroy();
    EXPECT_FALSE(dialog_->helpWindow() && dialog_->helpWindow()->isVisible());
}

}  // namespace
}  // namespace tinsori::test
