#pragma once

#include <QTextBrowser>
#include <string>

namespace tinsori {

// The program's help: HTML pages shipped in the resources, one per topic plus the contents.
class HelpWindow : public QTextBrowser {
public:
    HelpWindow();

    // Shows `page` ("chime.html"); the contents when the page is not there.
    void ShowPage(const std::string& page);
    QString shownPage() const { return shownPage_; }

private:
    QString shownPage_;
};

}  // namespace tinsori
