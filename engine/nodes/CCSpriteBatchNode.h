#pragma once

#include <vector>

#include "engine/nodes/CCNode.h"
#include "engine/render/Renderer.h"

namespace lirava {

class CCTexture2D;

// Draws the sprites below it that show its texture in one drawTriangles call. Only sprites can
// be added as children. A descendant with another texture (or one that is not a sprite) is
// still drawn, in its place in the drawing order, by its own visit: the batch is cut there.
class CCSpriteBatchNode : public CCNode {
public:
    static constexpr unsigned int kDefaultCapacity = 29;

    // Null when the image cannot be read.
    static CCSpriteBatchNode* create(const char* fileImage, unsigned int capacity = kDefaultCapacity);
    static CCSpriteBatchNode* createWithTexture(CCTexture2D* texture, unsigned int capacity = kDefaultCapacity);

    CCSpriteBatchNode();
    ~CCSpriteBatchNode() override;

    bool init() override;
    bool initWithFile(const char* fileImage, unsigned int capacity);
    bool initWithTexture(CCTexture2D* texture, unsigned int capacity);

    virtual CCTexture2D* getTexture() { return m_texture; }
    virtual void setTexture(CCTexture2D* texture);
    void setBlendMode(BlendMode mode) { m_blendMode = mode; }
    BlendMode getBlendMode() const { return m_blendMode; }

    // Refuses children that are not sprites.
    using CCNode::addChild;
    void addChild(CCNode* child, int zOrder, int tag) override;

    void visit(Renderer& renderer, const CCAffineTransform& parentToWorld) override;

    // drawTriangles calls made by the last visit (tests read it).
    int lastDrawCallCount() const { return m_lastDrawCalls; }

private:
    void gather(Renderer& renderer, CCNode* node, const CCAffineTransform& parentToWorld);
    void flush(Renderer& renderer);

    CCTexture2D* m_texture = nullptr;
    BlendMode m_blendMode = BlendMode::Alpha;
    std::vector<Vertex> m_vertices;
    std::vector<int> m_indices;
    int m_lastDrawCalls = 0;
};

}  // namespace lirava
