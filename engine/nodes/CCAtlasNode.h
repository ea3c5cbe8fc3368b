#pragma once

#include <vector>

#include "engine/nodes/CCNodeRGBA.h"
#include "engine/render/Renderer.h"

namespace lirava {

class CCTexture2D;

// A node drawn as a list of quads cut from one texture whose cells are itemWidth x itemHeight
// pixels, left to right and top to bottom. Subclasses fill the quads (in node space) in
// updateAtlasValues; the node draws them in one call, tinted by its displayed colour.
class CCAtlasNode : public CCNodeRGBA {
public:
    // Null when the image cannot be read or the cell size is not positive.
    static CCAtlasNode* create(const char* tileFile, unsigned int tileWidth, unsigned int tileHeight,
                               unsigned int itemsToRender);

    CCAtlasNode();
    ~CCAtlasNode() override;

    bool initWithTileFile(const char* tileFile, unsigned int tileWidth, unsigned int tileHeight,
                          unsigned int itemsToRender);
    bool initWithTexture(CCTexture2D* texture, unsigned int tileWidth, unsigned int tileHeight,
                         unsigned int itemsToRender);

    virtual void updateAtlasValues() {}

    CCTexture2D* getTexture() { return m_texture; }
    void setTexture(CCTexture2D* texture);
    unsigned int getItemWidth() const { return m_itemWidth; }
    unsigned int getItemHeight() const { return m_itemHeight; }
    unsigned int getItemsPerRow() const { return m_itemsPerRow; }
    unsigned int getItemsPerColumn() const { return m_itemsPerColumn; }
    // Quads drawn (subclasses keep it in step with their quads).
    unsigned int getQuadsToDraw() const { return static_cast<unsigned int>(m_quads.size() / 4); }

    void setColor(const ccColor3B& color) override;
    void setOpacity(std::uint8_t opacity) override;
    void setOpacityModifyRGB(bool value) override { m_opacityModifyRGB = value; }
    bool isOpacityModifyRGB() override { return m_opacityModifyRGB; }
    void setBlendMode(BlendMode mode) { m_blendMode = mode; }
    BlendMode getBlendMode() const { return m_blendMode; }

    void draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) override;

    // The quads' corners in node space, four per quad (bottom-left, bottom-right, top-left,
    // top-right); colours are filled in when drawing.
    const std::vector<Vertex>& quads() const { return m_quads; }

protected:
    // Appends the quad of cell `index` with its lower-left corner at (x, y); false when the
    // index lies outside the texture.
    bool appendCell(unsigned int index, float x, float y);

    CCTexture2D* m_texture = nullptr;
    unsigned int m_itemWidth = 0;
    unsigned int m_itemHeight = 0;
    unsigned int m_itemsPerRow = 0;
    unsigned int m_itemsPerColumn = 0;
    std::vector<Vertex> m_quads;
    bool m_opacityModifyRGB = false;
    BlendMode m_blendMode = BlendMode::Alpha;
};

}  // namespace lirava
