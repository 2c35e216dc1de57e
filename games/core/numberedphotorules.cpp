#include "games/core/numberedphotorules.h"

#include <algorithm>

namespace nimbara {

long decimalValue(const std::string& text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    return text.size() > 9 ? 999999999 : std::stol(text);
}

PhotoId NumberedPhotoRules::drawCandidate(RandomSource& random) const {
    const std::int64_t r = random.next() % m_photos.photoCount;
    return {(r >= 0 && r < m_photos.photoCount) ? std::to_string(r) : kUnknown};
}

IndexCheck NumberedPhotoRules::checkIndices(const PhotoId& photo) const {
    if (photo.front() == kUnknown) {
        return IndexCheck::Unknown;
    }
    const long value = decimalValue(photo.front());
    return value < 0 || value > m_photos.highestPhotoIndex ? IndexCheck::OutOfRange
                                                           : IndexCheck::Ok;
}

int NumberedPhotoRules::number(const PhotoId& photo) {
    return static_cast<int>(decimalValue(photo.front()));
}

std::string NumberedPhotoRules::fileName(const PhotoId& photo) const {
    return m_photos.filePrefix + photo.front() + ".bmp";
}

std::vector<PhotoId> NumberedPhotoRules::allPhotos() const {
    std::vector<PhotoId> photos;
    for (int number = 0; number < m_photos.photoCount; ++number) {
        photos.push_back({std::to_string(number)});
    }
    return photos;
}

std::vector<std::string> NumberedPhotoRules::remarks(const PhotoId& photo) const {
    std::vector<std::string> lines(static_cast<std::size_t>(m_photos.remarkLineCount));
    const auto row = std::find_if(m_photos.remarks.begin(), m_photos.remarks.end(),
                                  [&](const RemarkRow& r) { return r.photo == photo.front(); });
    if (row != m_photos.remarks.end()) {
        std::copy_n(row->lines.begin(), std::min(row->lines.size(), lines.size()), lines.begin());
    }
    return lines;
}

}  // namespace nimbara
