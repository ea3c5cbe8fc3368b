#pragma once

#include <memory>

#include "engine/render/Renderer.h"
#include "engine/transitions/CCTransitionScene.h"
#include "engine/transitions/PageCurlMesh.h"
#include "engine/transitions/SceneSnapshot.h"

namespace lirava {

// Turns the page: forwards, the out scene curls away from the right edge and uncovers the in
// scene; backwards, the in scene uncurls from the left onto the screen over the out scene.
// The curled scene is drawn into a render target (again only when its picture changes) and
// mapped onto a shaded cylinder mesh, with a soft shadow on the page below. The page below has
// a target of its own, copied to the frame where the curl leaves it uncovered.
class CCTransitionPageTurn : public CCTransitionScene {
public:
    static CCTransitionPageTurn* create(float duration, CCScene* scene, bool backwards);
    using CCTransitionScene::initWithDuration;
    virtual bool initWithDuration(float duration, CCScene* scene, bool backwards);
    ~CCTransitionPageTurn() override;

    bool isBackwards() const { return m_backwards; }
    // The curl the next frame draws (forwards progress of the page leaving the screen).
    const PageCurlMesh& mesh() const { return *m_mesh; }
    // The render targets of the curled page and of the page below (for tests and benchmarks).
    const SceneSnapshot& curledPage() const { return m_curledPage; }
    const SceneSnapshot& pageBelow() const { return m_pageBelow; }

    void draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) override;

protected:
    void sceneOrder() override;
    void updateProgress(float progress) override;

private:
    void drawShadow(Renderer& renderer);
    void drawPageBelow(Renderer& renderer, CCScene* below, const CCAffineTransform& nodeToWorld);
    // An upright rectangle of the frame copied from the same place in a page's target.
    static void drawUpright(Renderer& renderer, TextureId page, const CCPoint& bottomLeft, const CCPoint& topRight);

    std::unique_ptr<PageCurlMesh> m_mesh;
    bool m_backwards = false;
    SceneSnapshot m_curledPage;
    SceneSnapshot m_pageBelow;
    std::vector<Vertex> m_vertices;
    std::vector<Vertex> m_backVertices;
    std::vector<int> m_frontIndices;
    std::vector<int> m_backIndices;
    // Per row of mesh cells: how many cells from the left lie flat (drawn as one upright copy).
    std::vector<int> m_flatCells;
};

}  // namespace lirava
