#include "preview/BarElement.h"

#include "text/MultiByte.h"

#include <cstddef>

namespace {

// The shape for the element key at index (element number - 1), which is
// always one of the seven.
std::unique_ptr<CElementShape> MakeShape(std::size_t index, std::int32_t vertical) {
    switch (index + 1) {
    case kFace:
        return std::make_unique<CFaceShape>(vertical);
    case kTrack:
        return std::make_unique<CTrackShape>(vertical);
    case kShadow:
        return std::make_unique<CShadowShape>(vertical);
    case kDarkShadow:
        return std::make_unique<CDarkShadowShape>(vertical);
    case kHighlight:
        return std::make_unique<CHighlightShape>(vertical);
    case k3DLight:
        return std::make_unique<C3DLightShape>(vertical);
    default: // kArrow
        return std::make_unique<CArrowShape>(vertical);
    }
}

} // namespace

CBarElement::CBarElement() {
    SetKind(CString(kElementKeys[kFace - 1]));
}

void CBarElement::SetKind(const CString& key) {
    m_shape.reset();
    const CString lowered = multibyte::Lower(key);
    for (std::size_t index = 0; index < kElementKeys.size(); ++index) {
        if (lowered == kElementKeys[index]) {
            m_shape = MakeShape(index, m_orientation != kHorizontal ? kVertical : kHorizontal);
            return;
        }
    }
}

void CBarElement::SetOrientation(std::int32_t orientation) {
    m_orientation = orientation;
    if (!m_shape) {
        return;
    }
    if (orientation != kHorizontal) {
        m_shape->SetVertical();
    } else {
        m_shape->SetHorizontal();
    }
}

void CBarElement::Draw(CDrawSurface& surface) {
    if (!m_shape) {
        return;
    }
    m_shape->Reset();
    while (m_shape->HasNext()) {
        surface.FillRectangle(m_shape->NextRect(m_bounds, m_scale), m_color);
    }
}

bool CBarElement::HitTest(std::int32_t x, std::int32_t y) {
    if (!m_shape) {
        return false;
    }
    m_shape->Reset();
    while (m_shape->HasNext()) {
        const RECT rect = m_shape->NextRect(m_bounds, m_scale);
        // A rectangle that fills no pixel claims no point either.
        const bool fillsPixels = rect.left < rect.right && rect.top < rect.bottom;
        if (fillsPixels && rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom) {
            return true;
        }
    }
    return false;
}
