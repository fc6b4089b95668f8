#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "player/ControlIds.h"
#include "player/FavoritesListOrder.h"
#include "player/MainWindowControls.h"
#include "player/NumberList.h"
#include "ui/CTinsoriDlg.h"
#include "ui/DialogScrollBar.h"
#include "ui/TrayIcon.h"

// What the player shows, shown with the main window's widgets.

namespace tinsori {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

void Fill(QComboBox* list, const std::vector<std::string>& names, int selected) {
    list->clear();
    for (const std::string& name : names) list->addItem(Text(name));
    list->setCurrentIndex(selected >= 0 && selected < list->count() ? selected : -1);
}

}  // namespace

void CTinsoriDlg::ShowBaseNotes(const BaseNoteList& list) {
    auto* notes = combo(kIdBaseNote);
    notes->clear();
    for (const BaseNoteItem& item : list.items) notes->addItem(Text(item.text), item.note);
    notes->setCurrentIndex(list.selected);
}

void CTinsoriDlg::ShowNotesInUse(const std::string& text) {
    QString lines = Text(text);
    lines.remove(QLatin1Char('\r'));
    if (lines.endsWith(QLatin1Char('\n'))) lines.chop(1);
    static_cast<QPlainTextEdit*>(control(kIdNotesInUse))->setPlainText(lines);
}

void CTinsoriDlg::ShowInstruments(const std::vector<std::string>& names, int selected) {
    Fill(combo(kIdInstrument), names, selected);
}

void CTinsoriDlg::ShowScales(const std::vector<std::string>& names, int selected) {
    Fill(combo(kIdScale), names, selected);
}

void CTinsoriDlg::SelectTranspose(int transpose) {
    combo(kIdTranspose)->setCurrentIndex(kTransposeList.IndexOf(transpose));
}

void CTinsoriDlg::SelectChannel(int channel) {
    combo(kIdChannel)->setCurrentIndex(kChannelList.IndexOf(channel));
}

void CTinsoriDlg::ShowChimeCount(int count) {
    auto* box = static_cast<QLineEdit*>(control(kIdChimeCount));
    // Rewriting the same text would move the cursor of someone typing.
    if (box->text() != QString::number(count)) box->setText(QString::number(count));
}

void CTinsoriDlg::ShowConfiguration(int configuration) {
    for (auto [id, value] : kConfigurationButtons) {
        auto* radio = static_cast<QRadioButton*>(control(id));
        // An exclusive group refuses to clear its checked button; let each be set explicitly.
        radio->setAutoExclusive(false);
        radio->setChecked(configuration == value);
        radio->setAutoExclusive(true);
    }
    control(kIdLengthBar)->setEnabled(SliderEnabled(PlayerSlider::Length, configuration));
}

void CTinsoriDlg::SetSlider(PlayerSlider slider, int position) {
    static_cast<DialogScrollBar*>(control(ControlOf(slider)))->setValue(position);
}

void CTinsoriDlg::SetCheckBox(PlayerCheckBox box, bool checked) {
    static_cast<QCheckBox*>(control(ControlOf(box)))->setChecked(checked);
}

void CTinsoriDlg::ShowStatus() {
    if (!player_->started() || destroyed_) return;
    tray_->ShowPaused(player_->paused());
    auto* line = static_cast<QLabel*>(control(kIdStatusLine));
    const QFontMetrics metrics = line->fontMetrics();
    const StatusLine& status = player_->FitStatus(
        line->width(),
        [&metrics](const std::string& text) { return metrics.horizontalAdvance(Text(text)); });
    // Called on every wind tick: most change nothing, and a screen reader hears every new name.
    const QString shown = Text(status.shown);
    if (status.full == shownStatus_ && shown == line->text()) return;
    shownStatus_ = status.full;
    const QString full = Text(status.full);
    tray_->ShowStatus(full);
    line->setText(shown);
    line->setAccessibleName(full);
    line->setToolTip(status.shortened ? full : QString());
}

void CTinsoriDlg::ShowNoDevice() {
    const Player::Message message = player_->NoDeviceMessage();
    ShowMessage(message.text, message.caption);
}

bool CTinsoriDlg::AskYesNo(const std::string& text, const std::string& caption) {
    return QMessageBox::question(this, Text(caption), Text(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 // Both questions replace or delete a favorite: Enter must not.
                                 QMessageBox::No) == QMessageBox::Yes;
}

void CTinsoriDlg::ShowMessage(const std::string& text, const std::string& caption) {
    QMessageBox::information(this, Text(caption), Text(text));
}

std::vector<std::string> CTinsoriDlg::FavoriteEntries() const {
    const auto* favorites = combo(kIdFavorites);
    std::vector<std::string> entries;
    for (int i = 0; i < favorites->count(); ++i)
        entries.push_back(favorites->itemText(i).toStdString());
    return entries;
}

void CTinsoriDlg::AddFavorite(const std::string& displayName) {
    auto* favorites = combo(kIdFavorites);
    const int at = FavoriteInsertPosition(FavoriteEntries(), displayName);
    const QString typed = favorites->currentText();
    favorites->insertItem(at, Text(displayName));
    // Inserting into an empty list selects the entry; the typed text stays as it was.
    if (favorites->count() == 1) {
        favorites->setCurrentIndex(-1);
        favorites->setEditText(typed);
    }
    FavoritesChanged();
}

void CTinsoriDlg::DeleteFavorite(const std::string& displayName) {
    auto* favorites = combo(kIdFavorites);
    const int at =
        favorites->findText(Text(displayName), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (at >= 0) favorites->removeItem(at);
    FavoritesChanged();
}

bool CTinsoriDlg::SelectFavorite(const std::string& displayName) {
    const int at = FindFavoriteEntry(FavoriteEntries(), displayName);
    if (at < 0) return false;
    combo(kIdFavorites)->setCurrentIndex(at);
    return true;
}

void CTinsoriDlg::ClearFavoriteSelection() {
    combo(kIdFavorites)->setCurrentIndex(-1);
}

std::optional<std::string> CTinsoriDlg::SelectedFavorite() const {
    const auto* favorites = combo(kIdFavorites);
    if (favorites->currentIndex() < 0) return std::nullopt;
    return favorites->itemText(favorites->currentIndex()).toStdString();
}

std::string CTinsoriDlg::FavoritesEditText() const {
    return combo(kIdFavorites)->currentText().toStdString();
}

void CTinsoriDlg::EnableSaveSettings(bool enabled) {
    control(kIdSaveSettings)->setEnabled(enabled);
}

void CTinsoriDlg::EnableRemove(bool enabled) {
    control(kIdRemove)->setEnabled(enabled);
}

void CTinsoriDlg::AppendScaleName(const std::string& name) {
    combo(kIdScale)->addItem(Text(name));
}

void CTinsoriDlg::SettingsChanged(const BaseNoteList& baseNotes, const std::string& notesInUse,
                                  const SliderPositions& /*sliders: the player's own*/) {
    player_->ShowSettings(baseNotes, notesInUse);
    FavoritesChanged();
}

}  // namespace tinsori
