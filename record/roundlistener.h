#pragma once

#include <string>

namespace nimbara {

// One judged answer as the game flow reports it.
struct JudgedAnswer {
    std::string photo;        // the photo's file name, "cloud17.bmp"
    std::string rightAnswer;  // as the game names its right answer, "Cl 2 - Cm 6 - Ch 0"
    std::string givenAnswer;  // the answer given, named the same way
    bool correct = false;
    double seconds = 0;  // from the photo fully shown (dissolve done) to OK
};

// What the game flow tells of its rounds. One round is in play at a time: roundStarted opens it,
// each judged answer belongs to it, and roundFinished or roundAbandoned closes it. A listener
// never throws and never blocks the round on a failure of its own. Standard types only, so that
// the game layer can hold one without knowing what listens.
class RoundListener {
public:
    virtual ~RoundListener() = default;

    // game is the game's import id ("ice1", "clouds-normal", "seastate-UK"); practice marks a
    // round whose draw prefers the weak classes. A round still open is abandoned first.
    virtual void roundStarted(const std::string& game, bool practice) = 0;
    // Called once per judged answer, before the next photo is drawn; returns once the answer
    // is kept (or keeping it failed).
    virtual void answerJudged(const JudgedAnswer& answer) = 0;
    // The round's last answer was judged: its score in percent and its rating ("(expert)").
    virtual void roundFinished(int percent, const std::string& rating) = 0;
    // The round ended before its last answer: Cancel, closing the game, quitting.
    virtual void roundAbandoned() = 0;
};

}  // namespace nimbara
