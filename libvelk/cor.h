#ifndef COR_H
#define COR_H

class QColor;

// An opaque RGB colour, each component 0–255 (values outside are clamped).
class Cor {
public:
    constexpr Cor() noexcept = default;
    constexpr Cor(int r, int g, int b) noexcept : _r(limitar(r)), _g(limitar(g)), _b(limitar(b)) {}
    // An invalid QColor gives black.
    explicit Cor(const QColor& c) noexcept;

    constexpr int red() const noexcept { return _r; }
    constexpr int green() const noexcept { return _g; }
    constexpr int blue() const noexcept { return _b; }
    QColor qcolor() const;

    friend constexpr bool operator==(const Cor& a, const Cor& b) noexcept
    {
        return a._r == b._r && a._g == b._g && a._b == b._b;
    }
    friend constexpr bool operator!=(const Cor& a, const Cor& b) noexcept { return !(a == b); }

private:
    static constexpr int limitar(int v) noexcept { return v < 0 ? 0 : (v > 255 ? 255 : v); }

    int _r = 0;
    int _g = 0;
    int _b = 0;
};

#endif
