#include "engine/nodes/CCSpriteBatchNode.h"

#include <algorithm>

#include "engine/base/CCLog.h"
#include "engine/nodes/CCSprite.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"

namespace lirava {

CCSpriteBatchNode* CCSpriteBatchNode::create(const char* fileImage, unsigned int capacity) {
    CCSpriteBatchNode* batch = new CCSpriteBatchNode();
    if (batch->initWithFile(fileImage, capacity)) {
        batch->autorelease();
        return batch;
    }
    batch->release();
    return nullptr;
}

CCSpriteBatchNode* CCSpriteBatchNode::createWithTexture(CCTexture2D* texture, unsigned int capacity) {
    CCSpriteBatchNode* batch = new CCSpriteBatchNode();
    if (batch->initWithTexture(texture, capacity)) {
        batch->autorelease();
        return batch;
    }
    batch->release();
    return nullptr;
}

CCSpriteBatchNode::CCSpriteBatchNode() = default;

CCSpriteBatchNode::~CCSpriteBatchNode() {
    CC_SAFE_RELEASE(m_texture);
}

bool CCSpriteBatchNode::init() {
    return initWithTexture(nullptr, kDefaultCapacity);
}

bool CCSpriteBatchNode::initWithFile(const char* fileImage, unsigned int capacity) {
    CCTexture2D* texture = fileImage ? CCTextureCache::sharedTextureCache()->addImage(fileImage) : nullptr;
    if (!texture) {
        return false;
    }
    return initWithTexture(texture, capacity);
}

bool CCSpriteBatchNode::initWithTexture(CCTexture2D* texture, unsigned int capacity) {
    setTexture(texture);
    // Capacity is a hint for the vertex buffer; it never limits the number of children.
    m_vertices.reserve(static_cast<std::size_t>(std::min(capacity, 4096u)) * 4);
    return true;
}

void CCSpriteBatchNode::setTexture(CCTexture2D* texture) {
    CC_SAFE_RETAIN(texture);
    CC_SAFE_RELEASE(m_texture);
    m_texture = texture;
}

void CCSpriteBatchNode::addChild(CCNode* child, int zOrder, int tag) {
    if (child && !dynamic_cast<CCSprite*>(child)) {
        CCLog("sprite batch node: only sprites can be added");
        return;
    }
    CCNode::addChild(child, zOrder, tag);
}

void CCSpriteBatchNode::flush(Renderer& renderer) {
    if (m_vertices.empty()) {
        return;
    }
    const TextureId texture = m_texture ? m_texture->textureIdFor(renderer) : 0;
    if (texture != 0) {
        const std::size_t quads = m_vertices.size() / 4;
        m_indices.clear();
        m_indices.reserve(quads * 6);
        for (std::size_t q = 0; q < quads; ++q) {
            const int base = static_cast<int>(q * 4);
            for (int offset : {0, 1, 2, 2, 1, 3}) {
                m_indices.push_back(base + offset);
            }
        }
        renderer.drawTriangles(texture, m_vertices.data(), static_cast<int>(m_vertices.size()), m_indices.data(),
                               static_cast<int>(m_indices.size()), m_blendMode);
        ++m_lastDrawCalls;
    }
    m_vertices.clear();
}

void CCSpriteBatchNode::gather(Renderer& renderer, CCNode* node, const CCAffineTransform& parentToWorld) {
    CCSprite* sprite = dynamic_cast<CCSprite*>(node);
    if (!sprite || !m_texture || sprite->getTexture() != m_texture) {
        // Not ours to batch: keep the drawing order by drawing what was gathered first.
        flush(renderer);
        node->visit(renderer, parentToWorld);
        return;
    }
    if (!sprite->isVisible()) {
        return;
    }
    const CCAffineTransform world = CCAffineTransformConcat(sprite->nodeToParentTransform(), parentToWorld);
    const std::vector<CCObject*>& children = sprite->getChildren()->data();
    std::size_t i = 0;
    for (; i < children.size() && static_cast<CCNode*>(children[i])->getZOrder() < 0; ++i) {
        gather(renderer, static_cast<CCNode*>(children[i]), world);
    }
    sprite->appendQuad(m_vertices, world);
    for (; i < children.size(); ++i) {
        gather(renderer, static_cast<CCNode*>(children[i]), world);
    }
}

void CCSpriteBatchNode::visit(Renderer& renderer, const CCAffineTransform& parentToWorld) {
    m_lastDrawCalls = 0;
    if (!m_visible) {
        return;
    }
    const CCAffineTransform world = CCAffineTransformConcat(nodeToParentTransform(), parentToWorld);
    m_vertices.clear();
    for (CCObject* child : *m_children) {
        gather(renderer, static_cast<CCNode*>(child), world);
    }
    flush(renderer);
}

}  // namespace lirava
