// The main window's controls driving the player: start-up, lists, the chime count, scroll bars,
// the chime picture and the favorites.

#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QToolTip>
#include <QtTest/QTest>
#include <algorithm>

#include "WindowTestSupport.h"
#include "ui/DialogScrollBar.h"

namespace tinsori::test {
namespace {

TEST_F(WindowTest, StartUpShowsTheSettingsAndTheFavoritesSorted) {
    Open();
    EXPECT_EQ(List(kIdInstrument)->currentText(), "14 - Tubular Bells");
    EXPECT_EQ(List(kIdInstrument)->count(), 128);
    EXPECT_EQ(Control<QLineEdit>(kIdChimeCount)->text(), "7");
    EXPECT_EQ(List(kIdChannel)->currentText(), "0");
    EXPECT_EQ(List(kIdTranspose)->currentText(), "-3");
    EXPECT_EQ(List(kIdBaseNote)->currentData().toInt(), 52);
    EXPECT_EQ(Control<DialogScrollBar>(kIdVolumeSlider)->value(), 80);

    QComboBox* favorites = List(kIdFavorites);
    ASSERT_EQ(favorites->count(), 43);
    for (int i = 1; i < favorites->count(); ++i) {
        EXPECT_LE(QString::compare(favorites->itemText(i - 1), favorites->itemText(i),
                                   Qt::CaseInsensitive),
                  0);
    }
    // The first run's settings are one of the built-in favorites.
    EXPECT_GE(favorites->currentIndex(), 0);
    EXPECT_TRUE(Control<QPushButton>(kIdSaveSettings)->isEnabled());
    EXPECT_TRUE(Control<QPushButton>(kIdRemove)->isEnabled());
    EXPECT_FALSE(Control<QWidget>(kIdChords)->isVisible());
    EXPECT_FALSE(Control<QWidget>(kIdNothing)->isVisible());
    EXPECT_FALSE(Control<QCheckBox>(kIdPrismora)->isChecked());
    EXPECT_EQ(dialog_->windowTitle(), "Tinsori (Quillfen)");
}

TEST_F(WindowTest, ChimeCountTakesTheLeadingNumberAndKeepsTheTypedText) {
    Open();
    auto* box = Control<QLineEdit>(kIdChimeCount);
    const std::pair<const char*, int> typed[] = {
        {"0", 1}, {"100", 77}, {"-5", 1}, {"12x", 12}, {"abc", 1}};
    for (auto [text, count] : typed) {
        box->setText(text);
        EXPECT_EQ(Settings().numChimes.load(), count) << text;
        EXPECT_EQ(box->text(), text);
    }
    // The number already in use recomputes nothing, so nothing is sent.
    const size_t before = Sent().size();
    box->setText(" 1");
    EXPECT_EQ(Sent().size(), before);
}

// The number as typed, not the count it is limited to, meets the count in use: each differing
// edit recomputes and sweeps the unused notes (note 12 is never a chime here).
TEST_F(WindowTest, ChimeCountComparesTheTypedNumberAndShowsTheCountOnceEditingEnds) {
    Open();
    auto* box = Control<QLineEdit>(kIdChimeCount);
    auto sweeps = [this, before = Sent().size()] {
        const auto sent = Sent();
        return std::count_if(sent.begin() + before, sent.end(), [](const RecordedMessage& m) {
            return m.isNoteOff() && m.data1() == 12;
        });
    };
    box->setText("2");
    box->setText("-");
    box->setText("-5");
    EXPECT_EQ(sweeps(), 3);
    box->setText("1");
    box->setText("0");
    EXPECT_EQ(sweeps(), 4);

    const std::pair<const char*, const char*> typed[] = {{"0", "1"}, {"abc", "1"}, {"99", "77"}};
    for (auto [text, shown] : typed) {
        box->setFocus();
        box->setText(text);
        Control<QWidget>(kIdFavorites)->setFocus();
        EXPECT_EQ(box->text(), shown) << text;
    }
}

TEST_F(WindowTest, TransposeMovesTheBaseNoteBeforeTheListIsRebuilt) {
    Open();
    Choose(kIdTranspose, 2 + 12);
    EXPECT_EQ(Settings().transpose, 2);
    EXPECT_EQ(Settings().baseNote, 57);
    EXPECT_EQ(List(kIdBaseNote)->currentData().toInt(), 57);
}

TEST_F(WindowTest, VolumePageRightStopsAtTheTopAndTheScrollEndSendsItAgain) {
    Open();
    auto* volume = Control<DialogScrollBar>(kIdVolumeSlider);
    volume->setValue(100);
    volume->setFocus();
    const size_t before = Sent().size();
    QTest::keyPress(volume, Qt::Key_PageDown);
    EXPECT_EQ(volume->value(), 127);
    EXPECT_EQ(Settings().volume.load(), 127);
    auto sent = Sent();
    ASSERT_EQ(sent.size(), before + 1);
    EXPECT_EQ(sent.back().status(), 0xB0);
    EXPECT_EQ(sent.back().data1(), 7);
    EXPECT_EQ(sent.back().data2(), 127);
    EXPECT_EQ(QToolTip::text(), "127");
    QTest::keyRelease(volume, Qt::Key_PageDown);
    sent = Sent();
    ASSERT_EQ(sent.size(), before + 2);
    EXPECT_EQ(sent.back().data2(), 127);
    EXPECT_EQ(dialog_->player().help().Keyword(), "instrument");
}

TEST_F(WindowTest, WindThumbHeldKeepsTheWindUntilReleased) {
    Open();
    auto* wind = Control<DialogScrollBar>(kIdWindSlider);
    wind->setSliderDown(true);
    wind->setSliderPosition(700);
    EXPECT_EQ(Settings().windNow.load(), 700);
    EXPECT_EQ(Settings().windDragging & 1, 1);
    for (int i = 0; i < 100; ++i) dialog_->player().OnWindTimer();
    EXPECT_EQ(wind->value(), 700);
    wind->request(ScrollRequest::EndScroll);
    EXPECT_EQ(Settings().windDragging & 1, 0);
    EXPECT_EQ(Settings().windSpeed, 700);
}

TEST_F(WindowTest, InstrumentChangeSweepsHeldNotesBeforeTheProgramChange) {
    Open();
    ASSERT_TRUE(Settings().holdNotes);
    const size_t before = Sent().size();
    Choose(kIdInstrument, 0);
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), before + 113 + 2);
    EXPECT_TRUE(std::all_of(sent.begin() + before, sent.begin() + before + 113,
                            [](const RecordedMessage& m) { return m.isNoteOff(); }));
    EXPECT_EQ(sent[before + 113].status(), 0xC0);
    EXPECT_EQ(sent[before + 113].data1(), 0);
    EXPECT_EQ(sent[before + 114].status(), 0xB0);
    EXPECT_EQ(Control<QCheckBox>(kIdHoldNotes)->isChecked(), Settings().holdNotes != 0);
}

TEST_F(WindowTest, InstrumentTakesATypedNameWhenItLosesTheFocus) {
    Open();
    const size_t sent = Sent().size();
    QComboBox* instrument = List(kIdInstrument);
    instrument->setFocus();
    instrument->lineEdit()->setText("Garden Bells");
    Control<QWidget>(kIdChimeCount)->setFocus();
    EXPECT_EQ(instrument->itemText(14), "Garden Bells");
    EXPECT_EQ(instrument->count(), 128);
    // Dropping the list down takes a typed name too. A rename is a display name only: the
    // program stays the entry's index and nothing is sent.
    instrument->lineEdit()->setText("Chapel");
    instrument->showPopup();
    instrument->hidePopup();
    EXPECT_EQ(instrument->itemText(14), "Chapel");
    EXPECT_EQ(instrument->currentIndex(), 14);
    EXPECT_EQ(Settings().instrument, 14);
    EXPECT_EQ(Sent().size(), sent);
    dialog_->ShutDownOnDestroy();
    std::string stored;
    store_->ReadString("Midi", "Inst14", stored, 510);
    EXPECT_EQ(stored, "Chapel");
}

TEST_F(WindowTest, LengthBarIsEnabledOnlyWithCenterPendulum) {
    Open();
    QTest::mouseClick(Control<QRadioButton>(kIdAllIndependent), Qt::LeftButton);
    EXPECT_EQ(Settings().configuration.load(), kAllIndependent);
    EXPECT_FALSE(Control<QWidget>(kIdLengthBar)->isEnabled());
    EXPECT_EQ(dialog_->player().help().Keyword(), "chime");
    QTest::mouseClick(Control<QRadioButton>(kIdCenterPendulum), Qt::LeftButton);
    EXPECT_EQ(Settings().configuration.load(), kCenterPendulum);
    EXPECT_TRUE(Control<QWidget>(kIdLengthBar)->isEnabled());
}

TEST_F(WindowTest, PointerOverTheChimePictureStrikesOncePerChime) {
    Open();
    QWidget* picture = Control<QWidget>(kIdChimePicture);
    EXPECT_TRUE(picture->hasMouseTracking());
    EXPECT_FALSE(dialog_->hasMouseTracking());
    EXPECT_NE(picture->cursor().shape(), Qt::ArrowCursor);
    auto move = [picture](int x, int y) {
        QMouseEvent event(QEvent::MouseMove, QPointF(x, y), picture->mapToGlobal(QPointF(x, y)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &event);
    };
    const size_t before = Sent().size();
    move(9, 17);
    move(10, 18);
    auto sent = Sent();
    ASSERT_EQ(sent.size(), before + 2);
    EXPECT_EQ(sent.back().data1(), Settings().chimeNotes[6].load());
    EXPECT_EQ(sent.back().data2(), 94);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(picture, &leave);
    move(70, 60);
    move(9, 17);
    sent = Sent();
    ASSERT_EQ(sent.size(), before + 6);
    EXPECT_EQ(sent[before + 3].data2(), 47);
}

TEST_F(WindowTest, FavoritesAreSavedReplacedAndRemovedAfterTheQuestions) {
    Open();
    QComboBox* favorites = List(kIdFavorites);
    favorites->lineEdit()->clear();
    QTest::keyClicks(favorites->lineEdit(), "My Chimes");
    EXPECT_TRUE(Control<QPushButton>(kIdSaveSettings)->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(kIdRemove)->isEnabled());
    QTest::mouseClick(Control<QPushButton>(kIdSaveSettings), Qt::LeftButton);
    ASSERT_EQ(favorites->count(), 44);
    EXPECT_EQ(favorites->currentText(), "My Chimes");
    EXPECT_TRUE(Control<QPushButton>(kIdRemove)->isEnabled());

    Control<QLineEdit>(kIdChimeCount)->setText("9");
    {
        QuestionAnswerer yes(QMessageBox::Yes);
        QTest::mouseClick(Control<QPushButton>(kIdSaveSettings), Qt::LeftButton);
        EXPECT_EQ(yes.caption, "Replace a Favorite");
        EXPECT_NE(yes.text.find("\"My Chimes\""), std::string::npos);
    }
    EXPECT_EQ(favorites->count(), 44);

    {
        QuestionAnswerer no(QMessageBox::No);
        QTest::mouseClick(Control<QPushButton>(kIdRemove), Qt::LeftButton);
        EXPECT_EQ(no.caption, "Remove a Favorite");
        EXPECT_EQ(no.defaultButton, QMessageBox::No);
    }
    EXPECT_EQ(favorites->count(), 44);
    {
        QuestionAnswerer yes(QMessageBox::Yes);
        QTest::mouseClick(Control<QPushButton>(kIdRemove), Qt::LeftButton);
    }
    EXPECT_EQ(favorites->count(), 43);
    EXPECT_EQ(favorites->findText("My Chimes"), -1);
    EXPECT_EQ(favorites->currentIndex(), -1);
    EXPECT_FALSE(Control<QPushButton>(kIdSaveSettings)->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(kIdRemove)->isEnabled());
}

}  // namespace
}  // namespace tinsori::test
