#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>

#include "midi/ports/RecordingPort.h"
#include "platform/VirtualTimeline.h"
#include "player/ControlIds.h"
#include "store/ProfileStore.h"
#include "support/QtApplication.h"
#include "support/TempFolder.h"
#include "ui/CTinsoriDlg.h"

namespace tinsori::test {

using testing_support::Application;

// Clicks `answer` in the next message box that opens, and keeps its text.
class QuestionAnswerer {
public:
    explicit QuestionAnswerer(QMessageBox::StandardButton answer) : answer_(answer) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            text = box->text().toStdString();
            caption = box->windowTitle().toStdString();
            defaultButton = box->standardButton(box->defaultButton());
            timer_.stop();
            box->button(answer_)->click();
        });
        timer_.start();
    }
    std::string text;
    std::string caption;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;

private:
    QMessageBox::StandardButton answer_;
    QTimer timer_;
};

// The main window on a fresh profile, in virtual time, with a recording output.
class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        Application();
        store_ = ProfileStore::Open(folder_.file("profile.db"));
        ASSERT_TRUE(store_);
    }
    void TearDown() override {
        if (dialog_) dialog_->ShutDownOnDestroy();
        dialog_.reset();
    }

    CTinsoriDlg& Open(const std::string& commandLine = "") {
        OutputOpener opener = [this](std::string*) { return recorder_.borrow(); };
        dialog_ = std::make_unique<CTinsoriDlg>(timeline_, *store_, opener, 7u);
        dialog_->Start(commandLine);
        dialog_->show();
        dialog_->activateWindow();
        QApplication::processEvents();
        return *dialog_;
    }

    template <typename T>
    T* Control(int id) {
        return static_cast<T*>(dialog_->control(id));
    }
    QComboBox* List(int id) { return Control<QComboBox>(id); }

    // The user picks entry `index` of a list.
    void Choose(int id, int index) {
        QComboBox* list = List(id);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    std::vector<RecordedMessage> Sent() const { return recorder_.messages(); }
    ChimeSettings& Settings() { return dialog_->player().settings(); }

    testing_support::TempFolder folder_;
    std::unique_ptr<ProfileStore> store_;
    VirtualTimeline timeline_;
    RecordingPort recorder_{timeline_};
    std::unique_ptr<CTinsoriDlg> dialog_;
};

}  // namespace tinsori::test
