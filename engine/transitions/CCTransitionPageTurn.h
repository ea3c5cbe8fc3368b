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
// mapped onto a shaded cylinder mesh, with a soft shadow on the page below.
class CCTransitionPageTurn : public CCTransitionScene {
public:
    static CCTransitionPageTurn* create(float duration, CCScene* scene, bool backwards);
    using CCTransitionScene::initWithDuration;
    virtual bool initWithDuration(float duration, CCScene* scene, bool backwards);
    ~CCTransitionPageTurn() override;

    bool isBackwards() const { return m_backwards; }
    // The curl the next frame draws (forwards progress of the page leaving the screen).
    const PageCurlMesh& mesh() const { return *m_mesh; }
    // The curled page's render target (for tests and benchmarks).
    const SceneSnapshot& curledPage() const { return m_curledPage; }

    void draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) override;

protected:
    void sceneOrder() override;
    void updateProgress(float progress) override;

private:
    void drawShadow(Renderer& renderer);

    std::unique_ptr<PageCurlMesh> m_mesh;
    bool m_backwards = false;
    SceneSnapshot m_curledPage;
    std::vector<Vertex> m_vertices;
    std::vector<Vertex> m_backVertices;
    std::vector<int> m_frontIndices;
    std::vector<int> m_backIndices;
};

}  // namespace lirava
