#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "player/ConfigurationButtons.h"
#include "player/ControlIds.h"
#include "player/MainWindowControls.h"
#include "player/NumberList.h"
#include "settings/Favorites.h"
#include "ui/CTinsoriDlg.h"
#include "ui/ChimePicture.h"
#include "ui/DialogComboBox.h"
#include "ui/DialogScrollBar.h"
#include "ui/FocusWatcher.h"

// What each control of the main window does when the user works it: the handlers of the
// player, reached from the widgets' own notifications. Only the user's actions count; what the
// player shows through the view does not come back here.

namespace tinsori {

void CTinsoriDlg::ConnectLists() {
    auto* favorites = combo(kIdFavorites);
    connect(favorites, &QComboBox::activated, this, [this] {
        OnFavoritesSelEndOk(player_->favorites());
        OnFavoritesSelChange(player_->favorites());
    });
    connect(favorites->lineEdit(), &QLineEdit::textEdited, this,
            [this] { OnFavoritesEditChange(player_->favorites()); });
    auto* instrument = static_cast<DialogComboBox*>(combo(kIdInstrument));
    connect(instrument, &QComboBox::activated, this,
            [this](int index) { player_->OnInstrumentSelected(index); });
    instrument->onDropDown = [this] { RenameInstrument(); };
    instrument->onFocusOut = [this] { RenameInstrument(); };
    connect(combo(kIdChannel), &QComboBox::activated, this,
            [this](int index) { player_->OnChannelSelected(kChannelList.ValueAt(index)); });
    connect(combo(kIdBaseNote), &QComboBox::activated, this, [this](int index) {
        player_->OnBaseNoteSelected(combo(kIdBaseNote)->itemData(index).toInt());
    });
    connect(combo(kIdScale), &QComboBox::activated, this,
            [this](int index) { player_->OnScaleSelected(index); });
    connect(combo(kIdTranspose), &QComboBox::activated, this,
            [this](int index) { player_->OnTransposeSelected(kTransposeList.ValueAt(index)); });
    auto* chimeCount = static_cast<QLineEdit*>(control(kIdChimeCount));
    connect(chimeCount, &QLineEdit::textChanged, this,
            [this](const QString& text) { player_->OnChimeCountText(text.toStdString()); });
    connect(chimeCount, &QLineEdit::editingFinished, this,
            [this] { player_->OnChimeCountEditEnded(); });
}

void CTinsoriDlg::ConnectButtons() {
    connect(static_cast<QPushButton*>(control(kIdSaveSettings)), &QPushButton::clicked, this,
            [this] { OnSaveSettings(player_->favorites()); });
    connect(static_cast<QPushButton*>(control(kIdRemove)), &QPushButton::clicked, this,
            [this] { OnRemoveFavorite(player_->favorites()); });
    connect(static_cast<QPushButton*>(control(kIdAbout)), &QPushButton::clicked, this,
            &CTinsoriDlg::ShowAbout);
    connect(static_cast<QPushButton*>(control(kIdHelp)), &QPushButton::clicked, this,
            &CTinsoriDlg::ShowHelpContents);
    connect(static_cast<QPushButton*>(control(kIdView)), &QPushButton::clicked, this,
            &CTinsoriDlg::ShowLiveView);
    for (const CheckBoxControl& entry : kCheckBoxControls) {
        const PlayerCheckBox box = entry.box;
        connect(static_cast<QCheckBox*>(control(entry.id)), &QCheckBox::clicked, this,
                [this, box](bool checked) { player_->OnCheckBoxClicked(box, checked); });
    }
    for (const ConfigurationButton& button : kConfigurationButtons) {
        connect(static_cast<QRadioButton*>(control(button.id)), &QRadioButton::clicked, this,
                [this] {
                    player_->OnConfigurationChecked(CheckedConfigurations([this](int id) {
                        return static_cast<QRadioButton*>(control(id))->isChecked();
                    }));
                });
    }
}

void CTinsoriDlg::ConnectScrollBars() {
    for (const SliderControl& entry : kSliderControls) {
        auto* bar = static_cast<DialogScrollBar*>(control(entry.id));
        const SliderRange range = RangeOf(entry.slider);
        bar->setRange(range.minimum, range.maximum);
        const PlayerSlider slider = entry.slider;
        bar->setShowsValueWhileMoving(slider == PlayerSlider::Volume);
        bar->setHandler([this, slider](ScrollRequest request, int current, int carried) {
            return player_->OnScrollRequest(slider, request, current, carried);
        });
    }
}

void CTinsoriDlg::ConnectFocusHelp() {
    auto* watcher = new FocusWatcher(this);
    for (const FocusHelpControl& entry : kFocusHelpControls) {
        const HelpControl helpControl = entry.control;
        watcher->watch(control(entry.id),
                       [this, helpControl] { player_->help().FocusReceived(helpControl); });
    }
}

void CTinsoriDlg::ConnectPicture() {
    auto* picture = static_cast<ChimePicture*>(control(kIdChimePicture));
    picture->onPointerMove = [this](int dx, int dy) { player_->OnPointerOverPicture(dx, dy); };
    picture->onPointerLeave = [this] { player_->OnPointerOutsidePicture(); };
    picture->onKeyStrike = [this](int chime) { player_->StrikeChimeFromKey(chime); };
    picture->chimeCount = [this] { return player_->settings().chimeCount(); };
}

void CTinsoriDlg::RenameInstrument() {
    auto* instrument = combo(kIdInstrument);
    const std::optional<int> renamed = player_->OnInstrumentRename(
        instrument->currentIndex(), instrument->currentText().toStdString());
    if (!renamed) return;
    instrument->setItemText(*renamed,
                            QString::fromStdString(player_->instruments().name(*renamed)));
}

}  // namespace tinsori
