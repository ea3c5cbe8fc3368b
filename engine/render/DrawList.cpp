#include "engine/render/DrawList.h"

#include <algorithm>

namespace lirava {

namespace {

bool sameEntry(const DrawList::Entry& a, const DrawList::Entry& b) {
    return a.hash == b.hash;
}

// Union that treats a zero-size rectangle as nothing.
void grow(CCRect& region, bool& any, const CCRect& add) {
    if (add.size.width <= 0.0f || add.size.height <= 0.0f) {
        return;
    }
    if (!any) {
        region = add;
        any = true;
        return;
    }
    const float left = std::min(region.getMinX(), add.getMinX());
    const float bottom = std::min(region.getMinY(), add.getMinY());
    const float right = std::max(region.getMaxX(), add.getMaxX());
    const float top = std::max(region.getMaxY(), add.getMaxY());
    region = CCRect(left, bottom, right - left, top - bottom);
}

}  // namespace

bool DrawList::sameDrawing(const DrawList& other) const {
    return m_entries.size() == other.m_entries.size() &&
           std::equal(m_entries.begin(), m_entries.end(), other.m_entries.begin(), sameEntry);
}

CCRect DrawList::changedSince(const DrawList& shown) const {
    const std::vector<Entry>& now = m_entries;
    const std::vector<Entry>& before = shown.m_entries;
    std::size_t head = 0;
    while (head < now.size() && head < before.size() && sameEntry(now[head], before[head])) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < now.size() - head && tail < before.size() - head &&
           sameEntry(now[now.size() - 1 - tail], before[before.size() - 1 - tail])) {
        ++tail;
    }
    const std::size_t nowEnd = now.size() - tail;
    const std::size_t beforeEnd = before.size() - tail;
    CCRect region;
    bool any = false;
    const bool pairwise = nowEnd - head == beforeEnd - head;
    for (std::size_t i = head; i < nowEnd; ++i) {
        if (!pairwise || !sameEntry(now[i], before[i])) {
            grow(region, any, now[i].bounds);
        }
    }
    for (std::size_t i = head; i < beforeEnd; ++i) {
        if (!pairwise || !sameEntry(now[i], before[i])) {
            grow(region, any, before[i].bounds);
        }
    }
    if (!any) {
        return CCRect(0.0f, 0.0f, 0.0f, 0.0f);
    }
    // Each image is taken in once; the loop ends when a pass takes in none.
    std::vector<bool> taken(now.size(), false);
    for (bool grown = true; grown;) {
        grown = false;
        const CCRect near(region.getMinX() - kImageMargin, region.getMinY() - kImageMargin,
                          region.size.width + 2 * kImageMargin, region.size.height + 2 * kImageMargin);
        for (std::size_t i = 0; i < now.size(); ++i) {
            const Entry& entry = now[i];
            if (!taken[i] && entry.textured && entry.bounds.size.width > 0.0f && entry.bounds.size.height > 0.0f &&
                entry.bounds.intersectsRect(near)) {
                taken[i] = true;
                grow(region, any, entry.bounds);
                grown = true;
            }
        }
    }
    return region;
}

}  // namespace lirava
