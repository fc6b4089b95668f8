#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <array>

namespace {

QImage Load(const QString& path) {
    QImage image(path);
    EXPECT_FALSE(image.isNull()) << path.toStdString();
    return image;
}

// The window is built against these paths and sizes; each picture also has an @2x twin.
TEST(ResourcesTest, EveryPictureHasItsSizeAndADoubleSizeTwin) {
    struct Picture {
        const char* name;
        int width, height;
    };
    const Picture pictures[] = {
        {":/pictures/131", 79, 69}, {":/pictures/164", 18, 18}, {":/pictures/165", 18, 18},
        {":/pictures/166", 76, 18}, {":/pictures/167", 18, 18}, {":/pictures/168", 18, 18},
        {":/pictures/134", 16, 16}, {":/cursors/hand", 32, 32},
    };
    for (const Picture& picture : pictures) {
        const QString base = QString::fromLatin1(picture.name);
        EXPECT_EQ(Load(base + ".png").size(), QSize(picture.width, picture.height)) << picture.name;
        EXPECT_EQ(Load(base + "@2x.png").size(), QSize(2 * picture.width, 2 * picture.height))
            << picture.name;
    }
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        EXPECT_EQ(Load(QString(":/icons/tinsori-%1.png").arg(size)).size(), QSize(size, size));
    }
}

TEST(ResourcesTest, HandCursorHotSpotIsOnTheFingertip) {
    EXPECT_GT(qAlpha(Load(":/cursors/hand.png").pixel(5, 0)), 0);
    EXPECT_GT(qAlpha(Load(":/cursors/hand@2x.png").pixel(10, 0)), 0);
}

// Pointer geometry of the chime picture: a tube column holds X[i] < x <= X[i + 1], and a strike
// needs 16 <= y < B[i]. The drawn tubes must fill exactly that, or the pointer strikes air.
TEST(ResourcesTest, ChimePictureTubesEndWhereThePointerStopsStriking) {
    constexpr std::array<int, 10> kLeft = {4, 13, 20, 27, 34, 41, 48, 56, 65, 71};
    constexpr std::array<int, 9> kBottom = {28, 30, 33, 38, 42, 46, 52, 57, 68};
    for (int scale : {1, 2}) {
        const QImage image = Load(scale == 1 ? ":/pictures/131.png" : ":/pictures/131@2x.png")
                                 .convertToFormat(QImage::Format_ARGB32);
        std::array<int, 9> lowest{};
        lowest.fill(-1);
        for (int py = 16 * scale; py < image.height(); ++py) {
            for (int px = 0; px < image.width(); ++px) {
                if (qAlpha(image.pixel(px, py)) == 0) continue;
                const int x = px / scale, y = py / scale;
                int column = 0;
                while (column < 9 && !(kLeft[column] < x && x <= kLeft[column + 1])) ++column;
                ASSERT_LT(column, 9) << "tube pixel outside every column at " << x << "," << y;
                ASSERT_LT(y, kBottom[column]) << "tube pixel below its column at " << x << "," << y;
                lowest[column] = std::max(lowest[column], y);
            }
        }
        for (int column = 0; column < 9; ++column) {
            EXPECT_EQ(lowest[column], kBottom[column] - 1) << "column " << column << " x" << scale;
        }
    }
}

TEST(ResourcesTest, HelpHasEveryKeywordPageAndNoBrokenLink) {
    for (const char* page :
         {"index", "creating-presets", "instrument", "transpose", "chime", "wind"}) {
        EXPECT_TRUE(QFile::exists(QString(":/help/%1.html").arg(page))) << page;
    }
    const QRegularExpression link(R"((?:href|src)="([^"#]+))");
    for (const char* folder : {":/help", ":/help/de", ":/help/fr"}) {
        const QDir help(folder);
        for (const QString& name : help.entryList({"*.html"})) {
            QFile file(help.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            for (auto match = link.globalMatch(text); match.hasNext();) {
                const QString target = match.next().captured(1);
                EXPECT_TRUE(help.exists(target))
                    << folder << "/" << name.toStdString() << " -> " << target.toStdString();
            }
        }
    }
}

// The options in the first column of `--help` or of the help page's table, in "-h, --help" or
// "--render FILE" form.
QSet<QString> OptionsIn(const QStringList& firstColumns) {
    QSet<QString> options;
    for (const QString& column : firstColumns) {
        for (const QString& part : column.split(QStringLiteral(", ")))
            options.insert(part.section(QLatin1Char(' '), 0, 0));
    }
    return options;
}

// The help page stays true to the program: it names exactly the options the program accepts,
// and so do its translations, which otherwise lag behind the English page unnoticed.
TEST(ResourcesTest, TheCommandLineHelpPageNamesEveryOptionOfTheProgram) {
    QProcess program;
    program.start(QStringLiteral(TINSORI_BINARY), {QStringLiteral("--help")});
    ASSERT_TRUE(program.waitForFinished());
    QStringList inHelp;
    const QRegularExpression line(QStringLiteral(R"(^  (-\S.*?)(?:  |$))"),
                                  QRegularExpression::MultilineOption);
    for (const auto& match : line.globalMatch(QString::fromUtf8(program.readAllStandardOutput())))
        inHelp << match.captured(1);

    ASSERT_GT(inHelp.size(), 20);

    const QRegularExpression row(QStringLiteral(R"(<tr><td class="key">([^<]+)</td>)"));
    for (const char* path : {":/help/command-line.html", ":/help/de/command-line.html",
                             ":/help/fr/command-line.html"}) {
        QFile page(QString::fromLatin1(path));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << path;
        QStringList onPage;
        for (const auto& match : row.globalMatch(QString::fromUtf8(page.readAll())))
            onPage << match.captured(1);
        EXPECT_EQ(OptionsIn(onPage), OptionsIn(inHelp)) << path;
    }
}

}  // namespace
