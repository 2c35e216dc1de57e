#include "games/core/gamedefinition.h"

#include <algorithm>

namespace nimbara {

std::string GameDefinition::photoFolderPath() const {
    std::string path = photoFolder;
    std::replace(path.begin(), path.end(), '\\', '/');
    const std::size_t first = path.find_first_not_of('/');
    const std::size_t last = path.find_last_not_of('/');
    return first == std::string::npos ? std::string() : path.substr(first, last - first + 1);
}

std::vector<std::string> GameDefinition::photoFileNames() const {
    std::vector<std::string> names;
    for (const PhotoId& photo : rules->allPhotos()) {
        names.push_back(rules->fileName(photo));
    }
    return names;
}

}  // namespace nimbara
