#pragma once

#include <string>

namespace nimbara {

// Every text that a game's boxes show, as the game writes it. Built with designated
// initialisers, so that each text stands beside its name; the texts that look alike across the
// games (the captions of the two index checks, say) are told apart only here.
struct GameTexts {
    std::string title;              // caption of the reminder and wrong-answer boxes
    std::string finalScoreCaption;  // caption of the final-score box
    std::string reminder;           // OK with an incomplete answer
    std::string wrongAnswerLead;    // followed by the name of the right answer
    std::string unknownIndexError;  // first index check: the draw gave no photo number
    std::string unknownIndexCaption;
    std::string indexRangeError;  // second index check: a number beyond the highest photo
    std::string indexRangeCaption;
    std::string missingPhotoLead;     // the photo file cannot be opened; then its path and ")"
    std::string unreadablePhotoLead;  // the photo file is no readable bitmap; then its path and ")"
    std::string photoErrorCaption;    // caption of the missing- and unreadable-photo boxes
};

}  // namespace nimbara
