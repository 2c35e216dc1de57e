#pragma once

#include "app/gamerecordcatalogue.h"
#include "app/recordproblemnotice.h"
#include "app/recordsync.h"
#include "record/recordenvironment.h"
#include "record/recordfigures.h"
#include "record/recordstore.h"
#include "record/roundrecorder.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace nimbara {

class ProgressWindow;

// The learning record for one run of the program: the user's record file, the listener the game
// flow tells of its rounds, the one box per run for the record's problems, the copy to the
// organisation's server (when one is named) and the progress window. The file is opened when
// first needed, so a record that cannot be written costs the start-up nothing and is reported
// when a round begins. The copy starts with the session and never holds up a game.
class RecordSession : public QObject, private RoundListener {
    Q_OBJECT

public:
    // path: the record's file (the user's own by default); applicationDirectory: where the
    // games' photos lie, for the window's thumbnails; sync: where to look for the server and
    // how to copy to it.
    explicit RecordSession(QString applicationDirectory, QString path = defaultRecordPath(),
                           RecordSync::Settings sync = {});
    ~RecordSession() override;

    // What the game flow tells of each round; lives as long as the session. It keeps the round
    // in the record and, when the round ends, brings an open progress window up to date.
    RoundListener& listener() { return *this; }
    RecordStore& store() { return m_store; }
    const GameRecordCatalogue& games() const { return m_games; }
    RecordProblemNotice& notice() { return m_notice; }
    RecordSync& sync() { return m_sync; }

    // The weight of each class of game for a practice round's draw (see
    // RecordQueries::practiceWeights); empty when the record cannot be read (the problem is
    // reported), which means a uniform draw.
    std::vector<ClassWeight> practiceWeights(const QString& game);

    // Opens the progress window, or raises it when open. It has no parent, so that a running
    // game does not block it; it is closed with the session.
    ProgressWindow* openProgressWindow();
    ProgressWindow* progressWindow() const;

signals:
    // "Practise my weak classes" was chosen in the progress window for game.
    void practiceRequested(const QString& game);

private:
    void roundStarted(const std::string& game, bool practice) override;
    void answerJudged(const JudgedAnswer& answer) override;
    void roundFinished(int percent, const std::string& rating) override;
    void roundAbandoned() override;
    void refreshWindow();
    void showSyncStatus(const QString& text);
    void offerTrainees(const QString& uri);

    QString m_applicationDirectory;
    GameRecordCatalogue m_games;
    RecordStore m_store;
    RecordProblemNotice m_notice;
    RoundRecorder m_recorder;
    RecordSync m_sync;
    QString m_instructorServer;  // the server, once the login is known as an instructor's
    QPointer<ProgressWindow> m_window;
};

}  // namespace nimbara
