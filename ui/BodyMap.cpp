#include "ui/BodyMap.h"

#include <QFile>
#include <QFileInfo>

#include "app/EngineLink.h"

namespace BodyMap {

std::string textureFile(EngineLink* engine) {
    if (!engine)
        return std::string();
    const std::string texture = engine->getCommandValue("Ssystem.AstrTexture");
    if (texture.empty())
        return texture;
    std::string dir = engine->getCommandValue("Detail.TexDir");
    if (dir.empty() || dir == "Undefined")
        dir = "./textures";
    const std::size_t slash = texture.find_last_of("/\\");
    const std::string candidate =
        dir + "/" + (slash == std::string::npos ? texture : texture.substr(slash + 1));
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(candidate))).isFile() ? candidate
                                                                                       : texture;
}

} // namespace BodyMap
