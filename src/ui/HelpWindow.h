#pragma once

#include <QPushButton>
#include <QTextBrowser>
#include <QWidget>
#include <string>

namespace tinsori {

// The program's help: HTML pages shipped in the resources, one per topic plus the contents,
// with Back, Forward and Contents buttons. Escape and Ctrl+W close it.
class HelpWindow : public QWidget {
public:
    HelpWindow();

    // Shows `page` ("chime.html"); the contents when the page is not there. A window not yet
    // shown opens beside `beside`, whole on its screen.
    void ShowPage(const std::string& page, const QWidget* beside = nullptr);
    // The file name of the page shown, or of the page asked for while the pages are absent.
    QString shownPage() const;

    QPushButton* backButton() const { return back_; }
    QPushButton* forwardButton() const { return forward_; }
    QPushButton* contentsButton() const { return contents_; }

private:
    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* contents_;
    QString missingPage_;
};

}  // namespace tinsori
