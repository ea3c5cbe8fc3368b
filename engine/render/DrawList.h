#pragma once

#include <cstdint>
#include <vector>

#include "engine/base/CCGeometry.h"

namespace lirava {

// What a walk of the scene drew, call by call: for each clear or batch of triangles a hash of
// everything that decides its pixels (texture, blend, vertices, indices, the clip it met) and
// the design rectangle its pixels lie in. Two lists with equal entries draw the same picture;
// where they differ, changedSince() tells which part of the frame has to be drawn again.
class DrawList {
public:
    struct Entry {
        std::uint64_t hash;
        CCRect bounds;
        // Drawn from a texture: an image copy, which must never be cut by the region's edge.
        bool textured;
    };

    void add(std::uint64_t hash, const CCRect& bounds, bool textured) {
        m_entries.push_back(Entry{hash, bounds, textured});
    }
    // The walk did something the entries cannot describe (drew from a texture whose pixels can
    // change, switched targets): no comparison with this list can be trusted.
    void markUnreliable() { m_reliable = false; }
    bool isReliable() const { return m_reliable; }
    const std::vector<Entry>& entries() const { return m_entries; }

    // Same calls in the same order.
    bool sameDrawing(const DrawList& other) const;
    // The smallest design rectangle outside which both lists give the same pixels: the bounds of
    // every call the two do not share, after matching the calls at the start and end of both
    // and, where the unmatched middles are as long as each other, position by position. Outside
    // it every pixel meets the same calls in the same order. Empty (zero size) when they draw
    // the same. Both lists must be reliable.
    //
    // The region then takes in whole every image of this list that comes within kImageMargin of
    // it: SDL's software renderer scales an image copy cut by a clip from a rounded part of the
    // source, which moves its texels by a pixel against the same copy drawn whole.
    CCRect changedSince(const DrawList& shown) const;
    // Design units; covers the region's margin of whole pixels in windows down to a fifth of a
    // pixel per unit.
    static constexpr float kImageMargin = 16.0f;

private:
    std::vector<Entry> m_entries;
    bool m_reliable = true;
};

}  // namespace lirava
