#include "app/recordproblemnotice.h"

#include "platform/messagebox.h"

namespace nimbara {

void RecordProblemNotice::report(const RecordProblem& problem) {
    if (m_shown) {
        return;
    }
    m_shown = true;
    messageBox(nullptr, problem.text(), kCaption, MbIcon::Exclamation);
}

}  // namespace nimbara
