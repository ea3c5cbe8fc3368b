#pragma once

#include "engine/nodes/CCNodeRGBA.h"

namespace lirava {

class CCSprite;
class CCSpriteBatchNode;
class CCSpriteFrame;

// One image region drawn at any size with its corners unscaled: cap insets cut the region into a
// 3 x 3 grid; the corners keep their size, the edges stretch along one axis and the centre along
// both. Zero insets cut the region into equal thirds.
//
// Cap insets are given in the region's own upright coordinates: x and y from its top-left corner
// (y growing downwards), width and height the size of the centre piece.
//
// The only child is a sprite batch node holding the nine pieces. The pieces are laid out for the
// content size lazily, on the next visit after a size change. Colour and opacity are kept only
// once there are pieces to pass them to; they then reach every piece and survive re-slicing.
class CCScale9Sprite : public CCNodeRGBA {
public:
    // Piece tags inside the batch node.
    enum PieceTag {
        kCentre = 0,
        kTop = 1,
        kLeft = 2,
        kRight = 3,
        kBottom = 4,
        kTopRight = 5,
        kTopLeft = 6,
        kBottomRight = 7,
        kBottomLeft = 8,
    };

    static CCScale9Sprite* create();
    static CCScale9Sprite* create(const char* file);
    static CCScale9Sprite* create(const char* file, const CCRect& rect);
    static CCScale9Sprite* create(const char* file, const CCRect& rect, const CCRect& capInsets);
    static CCScale9Sprite* create(const CCRect& capInsets, const char* file);
    static CCScale9Sprite* createWithSpriteFrame(CCSpriteFrame* frame);
    static CCScale9Sprite* createWithSpriteFrame(CCSpriteFrame* frame, const CCRect& capInsets);
    // Null when the frame is not in the sprite-frame cache.
    static CCScale9Sprite* createWithSpriteFrameName(const char* name);
    static CCScale9Sprite* createWithSpriteFrameName(const char* name, const CCRect& capInsets);

    CCScale9Sprite();
    ~CCScale9Sprite() override;

    // An empty nine-slice sprite (no pieces).
    bool init() override;
    // A missing image leaves the sprite empty; these fail only for an unknown frame name.
    virtual bool initWithBatchNode(CCSpriteBatchNode* batch, const CCRect& rect, const CCRect& capInsets);
    virtual bool initWithBatchNode(CCSpriteBatchNode* batch, const CCRect& rect, bool rotated, const CCRect& capInsets);
    virtual bool initWithFile(const char* file);
    virtual bool initWithFile(const CCRect& capInsets, const char* file);
    virtual bool initWithFile(const char* file, const CCRect& rect);
    virtual bool initWithFile(const char* file, const CCRect& rect, const CCRect& capInsets);
    virtual bool initWithSpriteFrame(CCSpriteFrame* frame);
    virtual bool initWithSpriteFrame(CCSpriteFrame* frame, const CCRect& capInsets);
    virtual bool initWithSpriteFrameName(const char* name);
    virtual bool initWithSpriteFrameName(const char* name, const CCRect& capInsets);
    // Cuts rect of the batch node's texture (all of it for a zero rect) into the nine pieces.
    virtual bool rebuildSlices(CCSpriteBatchNode* batch, const CCRect& rect, bool rotated, const CCRect& capInsets);
    // Shows another frame with zero insets.
    virtual void setSpriteFrame(CCSpriteFrame* frame);

    virtual CCSize getSourceSize() const { return m_sourceSize; }
    virtual CCSize getPreferredSize() const { return m_preferredSize; }
    virtual void setPreferredSize(const CCSize& size);
    virtual CCRect getCapInsets() const { return m_capInsets; }
    // Re-slices with the new insets and keeps the present content size.
    virtual void setCapInsets(const CCRect& capInsets);
    virtual float getInsetLeft() const { return m_insetLeft; }
    virtual void setInsetLeft(float inset);
    virtual float getInsetTop() const { return m_insetTop; }
    virtual void setInsetTop(float inset);
    virtual float getInsetRight() const { return m_insetRight; }
    virtual void setInsetRight(float inset);
    virtual float getInsetBottom() const { return m_insetBottom; }
    virtual void setInsetBottom(float inset);

    void setContentSize(const CCSize& size) override;
    void visit(Renderer& renderer, const CCAffineTransform& parentToWorld) override;

    void setColor(const ccColor3B& color) override;
    const ccColor3B& getColor() override { return m_realColor; }
    void setOpacity(std::uint8_t opacity) override;
    std::uint8_t getOpacity() override { return m_realOpacity; }
    void setOpacityModifyRGB(bool value) override;
    bool isOpacityModifyRGB() override { return m_opacityModifyRGB; }
    void updateDisplayedColor(const ccColor3B& parentColor) override;
    void updateDisplayedOpacity(std::uint8_t parentOpacity) override;

    CCSpriteBatchNode* getBatchNode() const { return m_pieceBatch; }
    // One of the nine pieces by tag, or null while the sprite is empty.
    CCSprite* getPiece(PieceTag tag) const;
    // The region being sliced, in texture pixels, and whether it is stored rotated.
    const CCRect& getSourceRect() const { return m_sourceRect; }
    bool isSourceRotated() const { return m_sourceRotated; }
    // Lays the pieces out now instead of on the next visit.
    void layoutPiecesIfNeeded();

private:
    void updateCapInsetsFromMargins();
    void releasePieces();
    void layoutPieces();

    CCSize m_sourceSize;
    CCSize m_preferredSize;
    CCRect m_capInsets;
    float m_insetLeft = 0.0f;
    float m_insetTop = 0.0f;
    float m_insetRight = 0.0f;
    float m_insetBottom = 0.0f;
    bool m_piecesBuilt = false;
    CCRect m_sourceRect;
    bool m_sourceRotated = false;
    CCRect m_insetsInUse;
    bool m_layoutDirty = false;
    CCSpriteBatchNode* m_pieceBatch = nullptr;
    CCSprite* m_topLeft = nullptr;
    CCSprite* m_top = nullptr;
    CCSprite* m_topRight = nullptr;
    CCSprite* m_left = nullptr;
    CCSprite* m_centre = nullptr;
    CCSprite* m_right = nullptr;
    CCSprite* m_bottomLeft = nullptr;
    CCSprite* m_bottom = nullptr;
    CCSprite* m_bottomRight = nullptr;
    bool m_opacityModifyRGB = false;
};

}  // namespace lirava
