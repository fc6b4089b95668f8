#include "ui/MediaControls.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/QtApplication.h"

namespace tinsori {
namespace {

constexpr char kPath[] = "/org/mpris/MediaPlayer2";
constexpr char kPlayer[] = "org.mpris.MediaPlayer2.Player";
constexpr char kProperties[] = "org.freedesktop.DBus.Properties";

// Stands in for the main window: records what the media controls asked of it.
class TestTarget : public MediaControlsTarget {
public:
    bool IsPaused() const override { return paused; }
    void Pause() override {
        paused = true;
        ++pauses;
    }
    void Continue() override {
        paused = false;
        ++continues;
    }
    void Raise() override { ++raises; }
    void Quit() override { ++quits; }
    void StepFavorite(int step) override {
        steps.push_back(step);
        title = step > 0 ? "Next One" : "Previous One";
    }
    std::string Title() const override { return title; }
    double Volume() const override { return volume; }
    void SetVolume(double v) override { volume = v; }

    bool paused = false;
    int pauses = 0;
    int continues = 0;
    int raises = 0;
    int quits = 0;
    std::vector<int> steps;
    std::string title = "Tinsori";
    double volume = 0.5;
};

}  // namespace

// Keeps the changed-properties maps of every PropertiesChanged the player sends.
class ChangeRecorder : public QObject {
    Q_OBJECT

public:
    std::vector<QVariantMap> changes;

public slots:
    void OnPropertiesChanged(const QDBusMessage& message) {
        if (message.arguments().value(0).toString() != QLatin1String(kPlayer)) return;
        changes.push_back(qdbus_cast<QVariantMap>(message.arguments().value(1)));
    }
};

namespace {

void RunEventsUntil(const std::function<bool()>& done) {
    // A bound on a hang, not a measured time: the answers come in milliseconds.
    QDeadlineTimer deadline(30000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A private session bus for each test, so that the test neither needs nor disturbs the desktop's.
class MediaControlsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing_support::Application(); }

    void SetUp() override {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) GTEST_SKIP() << "no dbus-daemon";
        daemon_.start(daemon, {"--session", "--nofork", "--print-address"});
        ASSERT_TRUE(daemon_.waitForStarted());
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead()) {
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        ASSERT_FALSE(address_.isEmpty());
        client_ = std::make_unique<QDBusConnection>(Connect("client"));
        ASSERT_TRUE(client_->isConnected());
        ASSERT_TRUE(client_->connect(QString(), kPath, kProperties, "PropertiesChanged", &recorder_,
                                     SLOT(OnPropertiesChanged(QDBusMessage))));
    }

    void TearDown() override {
        controls_.clear();
        client_.reset();
        for (const QString& name : connections_) QDBusConnection::disconnectFromBus(name);
        if (daemon_.state() != QProcess::NotRunning) {
            daemon_.kill();
            daemon_.waitForFinished();
        }
    }

    QDBusConnection Connect(const QString& name) {
        const QString unique = name + QString::number(connections_.size());
        connections_.push_back(unique);
        return QDBusConnection::connectToBus(address_, unique);
    }

    MediaControls& AddControls(TestTarget& target) {
        controls_.push_back(std::make_shared<MediaControls>(target, Connect("player")));
        return *controls_.back();
    }

    QDBusMessage Call(const QString& service, const QString& interface, const QString& method,
                      const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(service, kPath, interface, method);
        message.setArguments(arguments);
        // Asynchronous, so that the player in this same thread can answer meanwhile.
        QDBusPendingCall call = client_->asyncCall(message);
        RunEventsUntil([&] { return call.isFinished(); });
        return call.reply();
    }

    QVariant Property(const QString& service, const QString& interface, const QString& name) {
        QDBusMessage reply = Call(service, kProperties, "Get", {interface, name});
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    // Runs the events until `count` changes have come, then gives the last.
    QVariantMap Change(size_t count) {
        RunEventsUntil([&] { return recorder_.changes.size() >= count; });
        EXPECT_EQ(recorder_.changes.size(), count);
        return recorder_.changes.empty() ? QVariantMap() : recorder_.changes.back();
    }

    ChangeRecorder recorder_;

private:
    QProcess daemon_;
    QString address_;
    std::vector<QString> connections_;
    std::unique_ptr<QDBusConnection> client_;
    std::vector<std::shared_ptr<MediaControls>> controls_;
};

TEST_F(MediaControlsTest, PlayPauseTwiceAndNextAreAnsweredAndAnnounced) {
    TestTarget target;
    MediaControls& controls = AddControls(target);
    const QString service = controls.serviceName();
    ASSERT_EQ(service, "org.mpris.MediaPlayer2.tinsori");
    EXPECT_EQ(Property(service, "org.mpris.MediaPlayer2", "Identity").toString(), "Tinsori");
    EXPECT_EQ(Property(service, kPlayer, "PlaybackStatus").toString(), "Playing");

    Call(service, kPlayer, "PlayPause");
    EXPECT_TRUE(target.paused);
    EXPECT_EQ(Change(1), (QVariantMap{{"PlaybackStatus", "Paused"}}));
    Call(service, kPlayer, "PlayPause");
    EXPECT_FALSE(target.paused);
    EXPECT_EQ(Change(2), (QVariantMap{{"PlaybackStatus", "Playing"}}));

    // Play while playing changes nothing and announces nothing; Stop pauses.
    Call(service, kPlayer, "Play");
    EXPECT_EQ(target.continues, 1);
    Call(service, kPlayer, "Stop");
    EXPECT_TRUE(target.paused);
    EXPECT_EQ(Change(3), (QVariantMap{{"PlaybackStatus", "Paused"}}));

    Call(service, kPlayer, "Next");
    EXPECT_EQ(target.steps, std::vector<int>{1});
    const QVariantMap metadata = qdbus_cast<QVariantMap>(Change(4).value("Metadata"));
    EXPECT_EQ(metadata.value("xesam:title").toString(), "Next One");
    // Clients drop a track id that is not an object path.
    EXPECT_EQ(metadata.value("mpris:trackid").userType(), qMetaTypeId<QDBusObjectPath>());
    EXPECT_EQ(qdbus_cast<QVariantMap>(Property(service, kPlayer, "Metadata")), metadata);

    Call(service, "org.mpris.MediaPlayer2", "Raise");
    EXPECT_EQ(target.raises, 1);

    // Volume is written, kept within 0..1 and announced.
    Call(service, kProperties, "Set", {kPlayer, "Volume", QVariant::fromValue(QDBusVariant(0.25))});
    EXPECT_EQ(target.volume, 0.25);
    EXPECT_EQ(Change(5), (QVariantMap{{"Volume", 0.25}}));
    Call(service, kProperties, "Set", {kPlayer, "Volume", QVariant::fromValue(QDBusVariant(3.0))});
    EXPECT_EQ(Property(service, kPlayer, "Volume").toDouble(), 1.0);
}

TEST_F(MediaControlsTest, ASecondCopyTakesItsOwnNameAndNoBusIsNoFault) {
    TestTarget first, second, third;
    AddControls(first);
    EXPECT_EQ(AddControls(second).serviceName(),
              QString("org.mpris.MediaPlayer2.tinsori.instance%1")
                  .arg(QCoreApplication::applicationPid()));

    MediaControls unconnected(third, QDBusConnection(QStringLiteral("no such connection")));
    EXPECT_TRUE(unconnected.serviceName().isEmpty());
    third.paused = true;
    unconnected.StateChanged();
    unconnected.PlayPause();
    QCoreApplication::processEvents();
    EXPECT_FALSE(third.paused);
}

TEST_F(MediaControlsTest, ABurstOfPlayPauseCostsOnePauseAndSettlesToTheLastRequest) {
    TestTarget target;
    MediaControls& controls = AddControls(target);
    // Five toggles handled before the window gets to settle them: one Pause, then quiet.
    for (int i = 0; i < 5; ++i) controls.PlayPause();
    controls.SettlePlayback();
    EXPECT_TRUE(target.paused);
    EXPECT_EQ(target.pauses, 1);
    EXPECT_EQ(target.continues, 0);
    EXPECT_EQ(Change(1), (QVariantMap{{"PlaybackStatus", "Paused"}}));
    // An even number asks for the state it is in: nothing is done or announced.
    for (int i = 0; i < 4; ++i) controls.PlayPause();
    controls.SettlePlayback();
    EXPECT_EQ(target.pauses + target.continues, 1);
}

}  // namespace
}  // namespace tinsori

#include "MediaControlsTest.moc"
