#include "singlegrouprules.h"

#include <algorithm>

namespace nimbara {

namespace {

// The value of a photo-number text, or -1 for kUnknown and texts that are not a number.
long photoValue(const std::string& text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    return text.size() > 9 ? 999999999 : std::stol(text);
}

}  // namespace

PhotoId SingleGroupRules::drawCandidate(RandomSource& random) const {
    const std::int64_t r = random.next() % m_data.photoCount;
    return {(r >= 0 && r < m_data.photoCount) ? std::to_string(r) : kUnknown};
}

IndexCheck SingleGroupRules::checkIndices(const PhotoId& photo) const {
    if (photo.front() == kUnknown) {
        return IndexCheck::Unknown;
    }
    const long value = photoValue(photo.front());
    return value < 0 || value > m_data.highestPhotoIndex ? IndexCheck::OutOfRange : IndexCheck::Ok;
}

int SingleGroupRules::shownIndex(const PhotoId& photo) const {
    return static_cast<int>(photoValue(photo.front()));
}

std::string SingleGroupRules::fileName(const PhotoId& photo) const {
    return m_data.filePrefix + photo.front() + ".bmp";
}

void SingleGroupRules::markAnswer(const PhotoId& photo, std::vector<bool>& answerFlags) const {
    answerFlags.at(static_cast<std::size_t>(shownIndex(photo))) = true;
}

std::optional<Choice> SingleGroupRules::chooseAnswer(std::span<const std::uint16_t> block) const {
    const auto checked = std::find(block.begin(), block.end(), 1);
    if (checked == block.end()) {
        return std::nullopt;
    }
    return Choice{static_cast<int>(checked - block.begin())};
}

bool SingleGroupRules::isRight(const Choice& choice, const std::vector<bool>& answerFlags) const {
    const auto chosen = static_cast<std::size_t>(choice.front());
    return chosen < answerFlags.size() && answerFlags[chosen];
}

std::string SingleGroupRules::wrongAnswerText(const std::vector<bool>& answerFlags) const {
    const auto right = std::find(answerFlags.begin(), answerFlags.end(), true);
    const auto index = static_cast<std::size_t>(right - answerFlags.begin());
    return m_data.wrongAnswerLead +
           (index < m_data.feedbackNames.size() ? m_data.feedbackNames[index] : "");
}

std::vector<std::string> SingleGroupRules::remarks(const PhotoId& photo) const {
    std::vector<std::string> lines(m_data.controls.remarkLineIds.size());
    for (const RemarkRow& row : m_data.remarks) {
        if (photo.front() == row.photo) {
            std::copy_n(row.lines.begin(), std::min(row.lines.size(), lines.size()), lines.begin());
            break;
        }
    }
    return lines;
}

}  // namespace nimbara
