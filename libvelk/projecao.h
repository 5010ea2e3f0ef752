#ifndef PROJECAO_H
#define PROJECAO_H

// The conventions of the viewing pipeline, which every stage follows.
//
// Camera coordinates (xc, yc, zc) of a world point P: along û, v̂ and n from the centre of
// projection COP = C − d·n, where C is the window's centre and d the focal distance. Seen from the
// window's centre they are (xc, yc, zc − d): zc − d is the depth beyond the window's plane,
// positive away from the eye.
//
// Projection-plane coordinates (PPC): the window's centre is the origin, x runs along û and y along
// v̂, in world units on the window's plane; the PPC z is always zc − d. x and y are
//   perspective:          (xc·d/zc, yc·d/zc)
//   parallel orthographic: (xc, yc)
//   parallel oblique:      (xc + ½·(zc − d)·cos 45°, yc + ½·(zc − d)·sin 45°)   (cabinet)
// so that a point on the window's plane keeps its place under all three. Whatever the projection,
// nothing nearer than the near plane zc = d/100 is projected, and what crosses it is cut there, in
// camera space; the window's rectangle is [−|u|/2, |u|/2] × [−|v|/2, |v|/2].
//
// Normalised window coordinates run from −1 to 1 across the window: PPC x / (|u|/2), y / (|v|/2).
enum class Projecao {
    perspectiva,
    ortogonal,
    obliqua,
};

// How far across the plane a point of the oblique projection moves per unit of depth, along x and
// along y: half the depth (cabinet) at 45°.
inline constexpr double obliquidadeDeGabinete = 0.5 * 0.70710678118654752440;

// The shift per unit of depth of a projection (0 unless oblique).
constexpr double obliquidadeDe(Projecao projecao) noexcept
{
    return projecao == Projecao::obliqua ? obliquidadeDeGabinete : 0.0;
}

#endif
