#pragma once

#include "record/recordfigures.h"
#include "record/recordqueries.h"
#include "record/server/pgerror.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace nimbara {

class PgConnection;
class RecordGames;

// Which rounds a read from the server looks at: one trainee (a login role; empty for every
// trainee the role may read), one game (empty for all, where a read allows it) and the rounds
// started at since or later (a record timestamp; empty for all).
struct ServerFilter {
    QString trainee;
    QString game;
    QString since;
};

// One trainee's figures for one game, for the report.
struct TraineeGameTotals {
    QString trainee;
    QString game;
    int rounds = 0;
    int answers = 0;
    int correct = 0;
    double seconds = 0;  // in total
    double percentRight() const { return answers > 0 ? 100.0 * correct / answers : 0; }
    double meanSeconds() const { return answers > 0 ? seconds / answers : 0; }
};

// Reads the organisation's record on the server as the connected login role: what the database
// lets that role read (its own rows for a trainee, everyone's for an instructor) is what it
// gets. The progress figures are the ones the window shows from the local record, counted
// alike (see ProgressTally); an open round counts as abandoned, as one cut off does locally.
// Every statement with values is prepared and gets them apart from its text.
class ServerReader {
public:
    // connection must stay open while the reader is used; games must outlive it.
    ServerReader(PgConnection& connection, const RecordGames& games);

    // The login role, and whether it is a member of nimbara_instructor.
    struct Role {
        QString name;
        bool instructor = false;
    };
    std::optional<Role> role();
    // The trainees with rounds the role may read, by name.
    QStringList trainees();
    // The games with rounds of filter.trainee, the most recently played first.
    QStringList playedGames(const QString& trainee);

    GameProgress progress(const ServerFilter& filter);
    // Per trainee and game, every trainee the role may read, by trainee then game.
    std::vector<TraineeGameTotals> traineeTotals(const ServerFilter& filter);
    // Calls row for every answer of the filter (by the answer's time), oldest first, with
    // trainee the login role that copied it; stops when row returns false. False on failure.
    bool exportRows(const ServerFilter& filter, const std::function<bool(const ExportRow&)>& row);

    // The first failure since the last read began; kind None when all went well.
    const PgError& lastError() const { return m_error; }

private:
    bool prepareAll();

    PgConnection& m_connection;
    const RecordGames& m_games;
    PgError m_error;
};

}  // namespace nimbara
