// What the window, the help and the live view show reads on light and dark palettes alike: text
// at 4.5:1 against what is behind it, the pictures' outlines at 3:1. With TINSORI_SCREENSHOTS set
// to a folder, the screenshots checked are saved there.

#include <QLabel>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include "WindowTestSupport.h"
#include "player/DialogTemplate.h"
#include "ui/Contrast.h"
#include "ui/HelpWindow.h"
#include "ui/LiveViewWindow.h"
#include "ui/Pictures.h"

namespace tinsori::test {
namespace {

// The pictures' outline colour, drawn for a light window.
const QColor kOutline(0x1e, 0x21, 0x26);

QPalette DarkPalette() {
    QPalette dark;
    for (auto [role, colour] : {std::pair{QPalette::Window, 0x3d3d3d},
                                {QPalette::Base, 0x2b2b2b},
                                {QPalette::Button, 0x3d3d3d},
                                {QPalette::AlternateBase, 0x353535},
                                {QPalette::Highlight, 0x2a82da},
                                {QPalette::Link, 0x2a82da}})
        dark.setColor(role, QColor::fromRgb(colour));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(0xf0, 0xf0, 0xf0));
    return dark;
}

void Save(const QImage& image, const QString& name) {
    const QString folder = qEnvironmentVariable("TINSORI_SCREENSHOTS");
    if (!folder.isEmpty()) image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

class ContrastTest : public WindowTest, public testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        saved_ = QApplication::palette();
        if (dark()) QApplication::setPalette(DarkPalette());
    }
    void TearDown() override {
        WindowTest::TearDown();
        QApplication::setPalette(saved_);
    }
    bool dark() const { return GetParam(); }
    QString Name(const char* what) const {
        return QString::fromLatin1(what) + (dark() ? "-dark" : "-light");
    }

private:
    QPalette saved_;
};

TEST_P(ContrastTest, ThePicturesOutlinesStandOutFromTheWindow) {
    Open();
    Save(dialog_->grab().toImage(), Name("window"));
    const QColor window = dialog_->palette().color(QPalette::Window);
    std::vector<QLabel*> pictures;
    for (QLabel* label : dialog_->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (!label->pixmap().isNull()) pictures.push_back(label);
    size_t next = 0;
    for (const ControlSpec& spec : MainDialogTemplate().controls) {
        if (spec.kind != ControlKind::Picture) continue;
        ASSERT_LT(next, pictures.size());
        const QImage shown = pictures[next++]->grab().toImage();
        const QImage drawn = LoadPicture(QString::fromLatin1(spec.picture), 1.0).toImage();
        double weakest = 21;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (drawn.pixelColor(x, y) == kOutline)
                    weakest = std::min(weakest, ContrastRatio(shown.pixelColor(x, y), window));
        EXPECT_GE(weakest, 3.0) << spec.picture;
    }
}

// Every piece of text of every page, against its own background or the page's.
TEST_P(ContrastTest, EveryHelpPageReads) {
    HelpWindow help;
    const QPalette palette = help.palette();
    for (const char* page : {"index.html", "playing.html", "command-line.html", "chime.html",
                             "creating-presets.html", "wind.html"}) {
        help.ShowPage(page);
        if (std::string(page) == "command-line.html") Save(help.grab().toImage(), Name("help"));
        const QTextDocument* document = help.findChild<QTextBrowser*>()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
                const QTextCharFormat format = fragment.fragment().charFormat();
                const QColor text = format.foreground().style() == Qt::NoBrush
                                        ? palette.color(QPalette::Text)
                                        : format.foreground().color();
                const QColor behind = format.background().style() == Qt::NoBrush
                                          ? palette.color(QPalette::Base)
                                          : format.background().color();
                EXPECT_GE(ContrastRatio(text, behind), 4.5)
                    << page << ": " << fragment.fragment().text().toStdString();
            }
        }
    }
}

// The live view's grey words (the configuration, the wind's other words) on a screenshot.
TEST_P(ContrastTest, TheLiveViewsGreyWordsRead) {
    Open().ShowLiveView();
    LiveViewWindow* view = dialog_->liveView();
    view->Refresh();
    const QImage shot = view->grab().toImage();
    Save(shot, Name("live-view"));
    const QColor background = view->palette().color(QPalette::Window);
    // "Calm Day" at the left under the wind gauge, grey while the wind is a nice breeze.
    const QRect calmDay(16, shot.height() - 44, 60, 22);
    double strongest = 1;
    for (int y = calmDay.top(); y <= calmDay.bottom(); ++y)
        for (int x = calmDay.left(); x <= calmDay.right(); ++x)
            strongest = std::max(strongest, ContrastRatio(shot.pixelColor(x, y), background));
    EXPECT_GE(strongest, 4.5);
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, ContrastTest, testing::Bool(),
                         [](const auto& info) { return info.param ? "Dark" : "Light"; });

}  // namespace
}  // namespace tinsori::test
