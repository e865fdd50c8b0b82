// Drawing routines of the signal plots (OpenGL 1.1 + GLU, called from a panel's events
// with its context current): the projection, the axes frame, the square sample markers,
// and the whole scene of a time plot (panels 1 to 4) and of the joint distribution
// (panel 5). They draw what they are given and read no other state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Above this many markers a plot draws a bounded summary instead of every marker: the
// samples that can reach the viewport, and where several share a pixel, one shape per pixel
// column (time plots) or per pixel (joint distribution). Below it the picture is exact.
inline constexpr std::size_t SeuilResume = std::size_t(1) << 20;

// Bytes held by the plots' vertex buffer (bounded, whatever the plot's size).
std::uint64_t OctetsTamponsTraces();

// Ways of drawing the markers: one immediate-mode polygon per marker with its own matrix
// push/translate/pop, or the same polygons from vertex arrays in lots (same picture, faster).
enum class ModeDessin { Rapide, Immediat };

enum class CouleurMarqueur { Noir, Rouge };

// Viewport (0, 0, W, H); projection 45 degrees, aspect W / H (W when H is 0), near 1,
// far 2000; modelview identity.
void InitialiserProjection(int W, int H);
// OnInit of panels 1 to 5: the projection, depth test on, clear colour opaque white.
void InitialiserTrace(int W, int H);
// OnResize of panels 1 to 5: the projection only.
void RedimensionnerTrace(int W, int H);

// One marker (square of side 0.2 at z = 0) centred on (x, y), black or red.
void DessinerMarqueur(double x, double y, CouleurMarqueur couleur);

// The axes frame: three bars of length N x pas (single precision) along x, y and z.
void DessinerAxes(int N, float pas);

// Markers at (i x pas, a[i] x echelle, 0) for i < min(N, a.size()).
void DessinerTemporel(std::span<const double> a, int N, float pas, double echelle,
                      CouleurMarqueur couleur, ModeDessin mode = ModeDessin::Rapide);

// Markers at (a[i], b[i], 0) for i < min(N, a.size(), b.size()).
void DessinerConjointe(std::span<const double> a, std::span<const double> b, int N,
                       ModeDessin mode = ModeDessin::Rapide);

// Whole paint of a time plot: clear, camera at (-22 + decalageX, decalageY, profondeur),
// axes, black markers of `noir`, then red markers of `rouge` x echelleRouge. An empty span
// draws no markers. Panels 3 and 4 pass no pan.
void PeindreTemporel(std::span<const double> noir, int N, float pas, double decalageX,
                     double decalageY, double profondeur, std::span<const double> rouge = {},
                     double echelleRouge = 1.0, ModeDessin mode = ModeDessin::Rapide);

// Whole paint of the joint distribution: clear, camera at (0, 0, -12 + profondeur), axes,
// black markers at (a[i], b[i]). Empty spans draw only the axes.
void PeindreConjointe(std::span<const double> a, std::span<const double> b, int N, float pas,
                      double profondeur, ModeDessin mode = ModeDessin::Rapide);
