#include "engine/nodes/CCAtlasNode.h"

#include <algorithm>

#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"

namespace lirava {

CCAtlasNode* CCAtlasNode::create(const char* tileFile, unsigned int tileWidth, unsigned int tileHeight,
                                 unsigned int itemsToRender) {
    CCAtlasNode* node = new CCAtlasNode();
    if (node->initWithTileFile(tileFile, tileWidth, tileHeight, itemsToRender)) {
        node->autorelease();
        return node;
    }
    node->release();
    return nullptr;
}

CCAtlasNode::CCAtlasNode() = default;

CCAtlasNode::~CCAtlasNode() {
    CC_SAFE_RELEASE(m_texture);
}

bool CCAtlasNode::initWithTileFile(const char* tileFile, unsigned int tileWidth, unsigned int tileHeight,
                                   unsigned int itemsToRender) {
    CCTexture2D* texture = tileFile ? CCTextureCache::sharedTextureCache()->addImage(tileFile) : nullptr;
    return texture && initWithTexture(texture, tileWidth, tileHeight, itemsToRender);
}

bool CCAtlasNode::initWithTexture(CCTexture2D* texture, unsigned int tileWidth, unsigned int tileHeight,
                                  unsigned int itemsToRender) {
    if (!texture || tileWidth == 0 || tileHeight == 0) {
        return false;
    }
    setTexture(texture);
    m_itemWidth = tileWidth;
    m_itemHeight = tileHeight;
    m_itemsPerRow = texture->getPixelsWide() / tileWidth;
    m_itemsPerColumn = texture->getPixelsHigh() / tileHeight;
    m_quads.clear();
    m_quads.reserve(std::min(itemsToRender, 1024u) * 4u);
    return true;
}

void CCAtlasNode::setTexture(CCTexture2D* texture) {
    CC_SAFE_RETAIN(texture);
    CC_SAFE_RELEASE(m_texture);
    m_texture = texture;
}

void CCAtlasNode::setColor(const ccColor3B& color) {
    CCNodeRGBA::setColor(color);
}

void CCAtlasNode::setOpacity(std::uint8_t opacity) {
    CCNodeRGBA::setOpacity(opacity);
}

bool CCAtlasNode::appendCell(unsigned int index, float x, float y) {
    if (!m_texture || index >= m_itemsPerRow * m_itemsPerColumn) {
        return false;
    }
    const float textureWidth = static_cast<float>(m_texture->getPixelsWide());
    const float textureHeight = static_cast<float>(m_texture->getPixelsHigh());
    const unsigned int row = index / m_itemsPerRow;
    const unsigned int column = index % m_itemsPerRow;
    const float left = static_cast<float>(column * m_itemWidth) / textureWidth;
    const float right = static_cast<float>((column + 1) * m_itemWidth) / textureWidth;
    const float top = static_cast<float>(row * m_itemHeight) / textureHeight;
    const float bottom = static_cast<float>((row + 1) * m_itemHeight) / textureHeight;
    const float w = static_cast<float>(m_itemWidth);
    const float h = static_cast<float>(m_itemHeight);
    const ccColor4B white = {255, 255, 255, 255};
    m_quads.push_back(Vertex{x, y, white, left, bottom});
    m_quads.push_back(Vertex{x + w, y, white, right, bottom});
    m_quads.push_back(Vertex{x, y + h, white, left, top});
    m_quads.push_back(Vertex{x + w, y + h, white, right, top});
    return true;
}

void CCAtlasNode::draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) {
    if (!m_texture || m_quads.empty()) {
        return;
    }
    const TextureId texture = m_texture->textureIdFor(renderer);
    if (texture == 0) {
        return;
    }
    const ccColor4B color = {m_displayedColor.r, m_displayedColor.g, m_displayedColor.b, m_displayedOpacity};
    std::vector<Vertex> vertices(m_quads);
    std::vector<int> indices;
    indices.reserve(vertices.size() / 4 * 6);
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const CCPoint world = CCPointApplyAffineTransform(CCPoint(vertices[i].x, vertices[i].y), nodeToWorld);
        vertices[i].x = world.x;
        vertices[i].y = world.y;
        vertices[i].color = color;
        if (i % 4 == 0) {
            const int base = static_cast<int>(i);
            for (int offset : {0, 1, 2, 2, 1, 3}) {
                indices.push_back(base + offset);
            }
        }
    }
    renderer.drawTriangles(texture, vertices.data(), static_cast<int>(vertices.size()), indices.data(),
                           static_cast<int>(indices.size()), m_blendMode);
}

}  // namespace lirava
