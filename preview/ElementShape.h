#pragma once

// The seven shapes of a preview scrollbar's elements. A shape turns the
// bar's bounds, its orientation and its scale into a short fixed sequence of
// rectangles, one NextRect call at a time; it knows nothing of colours or of
// drawing. The design assumes a bar kBarThickness units thick.

#include "text/Types.h"

#include <cstdint>

// The thickness of the classic bar in design units, which is also the side
// of each of its square buttons.
constexpr std::int32_t kBarThickness = 17;

enum Orientation : std::int32_t {
    kHorizontal = 0,
    kVertical = 1,
};

class CElementShape {
public:
    explicit CElementShape(std::int32_t count, std::int32_t vertical);
    virtual ~CElementShape() = default;

    void Reset() { m_index = 0; }
    bool HasNext() const { return m_index < m_count; }
    // The rectangle numbered by the current index for these bounds and
    // scale, then advances the index. Call only while HasNext(). The base
    // class yields (0, 0, 0, 0) and does not advance.
    virtual RECT NextRect(const RECT& bounds, std::int32_t scale);
    void SetVertical() { m_vertical = kVertical; }
    void SetHorizontal() { m_vertical = kHorizontal; }

protected:
    // The number of the rectangle to produce now; moves the index on to the
    // next one, as every derived NextRect must do exactly once.
    std::int32_t TakeIndex() { return m_index++; }
    bool IsVertical() const { return m_vertical != kHorizontal; }

private:
    std::int32_t m_index = 0;
    std::int32_t m_count;
    std::int32_t m_vertical;
};

// One class per element: face, track, shadow, darkshadow, highlight,
// 3dlight and arrow.
class CFaceShape : public CElementShape {
public:
    explicit CFaceShape(std::int32_t vertical) : CElementShape(2, vertical) {}
    RECT NextRect(const RECT& bounds, std::int32_t scale) override;
};

class CTrackShape : public CElementShape {
public:
    explicit CTrackShape(std::int32_t vertical) : CElementShape(1, vertical) {}
    RECT NextRect(const RECT& bounds, std::int32_t scale) override;
};

class CShadowShape : public CElementShape {
public:
    explicit CShadowShape(std::int32_t vertical) : CElementShape(4, vertical) {}
    RECT NextRect(const RECT& bounds, std::int32_t scale) override;
};

class CDarkShadowShape : public CElementShape {
public:
    explicit CDarkShadowShape(std::int32_t vertical) : CElementShape(4, vertical) {}
    RECT NextRect(const RECT& bounds, std::int32_t scale) override;
};

class CHighlightShape : public CElementShape {
public:
    explicit CHighlightShape(std::int32_t vertical) : CElementShape(4, vertical) {}
    RECT NextRect(const RECT& bounds, std::int32_t scale) override;
};

class C3DLightShape : public CElementShape {
public:
    explicit C3DLightShape(std::int32_t vertical) : CElementShape(4, vertical) {}
    RECT NextRect(const RECT& bounds, std::int32_t scale) override;
};

class CArrowShape : public CElementShape {
public:
    explicit CArrowShape(std::int32_t vertical) : CElementShape(6, vertical) {}
    RECT NextRect(const RECT& bounds, std::int32_t scale) override;
};
