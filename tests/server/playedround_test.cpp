// A round played through the program's own window and game dialog, with a server configured as
// an organisation names it, reaches the server: the game never waits for the copy.
#include "app/tmyapp.h"
#include "app/tmywindow.h"
#include "games/photoarea.h"
#include "games/tgamedlg.h"
#include "platform/tdecoratedframe.h"
#include "record/server/storesyncsource.h"
#include "resources/resourceids.h"
#include "tests/record/recordtestsupport.h"
#include "tests/server/serverfixture.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/settingguard.h"
#include "tests/support/windowwatch.h"

#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace nimbara;
using namespace std::chrono_literals;

namespace {

// Sets an environment variable while it lives.
class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const QString& value)
        : m_name(name), m_saved(qgetenv(name)), m_was(qEnvironmentVariableIsSet(name)) {
        qputenv(name, value.toUtf8());
    }
    ~EnvironmentGuard() { m_was ? qputenv(m_name, m_saved) : qunsetenv(m_name); }

private:
    const char* m_name;
    QByteArray m_saved;
    bool m_was;
};

class PlayedRoundTest : public RecordServerTest {
protected:
    test::AppDirFixture m_dir;
    test::RecordFolder m_folder;
    test::MessageBoxRecorder m_boxes;
    test::SettingGuard m_instantDissolve{&PhotoArea::dissolveDuration,
                                         &PhotoArea::setDissolveDuration, 0ms};
};

TEST_F(PlayedRoundTest, ARoundPlayedThroughTheGameReachesTheServer) {
    for (int photo = 0; photo < 18; ++photo) {
        m_dir.writePhoto(QString("games/ice/ice%1.bmp").arg(photo), QColor(10 * photo, 90, 160));
    }
    const EnvironmentGuard server("NIMBARA_RECORD_SERVER",
                                  testServer().uri(m_database, trainee(0)));
    const EnvironmentGuard config("XDG_CONFIG_HOME", m_folder.path("config"));
    std::unique_ptr<TDecoratedFrame> frame = createMainFrame(m_folder.path());
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));

    int answered = 0;
    test::WindowWatch game(test::WindowWatch::Kind::Modal, [&](QWidget* modal) {
        auto* dialog = qobject_cast<TGameDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        // Ten answers, each the photo's own class: the dialog ends the round and closes.
        for (; answered < 10 && dialog->isVisible(); ++answered) {
            const auto photo = static_cast<size_t>(std::stoi(dialog->round().photo().front()));
            dialog->answerButtons().at(photo)->click();
            dialog->control<QPushButton>(IdOk)->click();
        }
    });
    QAction* entry = nullptr;
    for (QAction* action : frame->popupAt(kGamesPopupPosition)->actions()) {
        entry = action->text() == "&Ice classification I" ? action : entry;
    }
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    EXPECT_TRUE(game.acted());
    EXPECT_FALSE(game.expired());
    EXPECT_EQ(answered, 10);

    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return StoreSyncSource(m_folder.path()).waitingAnswers() == 0; }, 30000));
    EXPECT_EQ(testServer().adminValue(
                  m_database,
                  "SELECT concat_ws(' ', r.game, r.outcome, r.asked, r.good, r.percent,"
                  " count(a.id), count(a.id) FILTER (WHERE a.correct), r.trainee)"
                  " FROM nimbara.rounds r JOIN nimbara.answers a ON a.round_id = r.id"
                  " GROUP BY r.id"),
              "ice1 finished 10 10 100 10 10 " + trainee(0));
    frame->hide();
    frame.reset();
}

}  // namespace
