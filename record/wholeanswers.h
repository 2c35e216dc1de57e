#pragma once

#include "record/recordgames.h"

namespace nimbara {

// Games known by nothing but their answers: each answer is one class, and no game names its
// classes. For reading the record where the games' definitions are not at hand (the export).
class WholeAnswers final : public RecordGames {
public:
    QStringList answerParts(const QString&, const QString& answer) const override {
        return {answer};
    }
    QStringList classes(const QString&) const override { return {}; }
};

}  // namespace nimbara
