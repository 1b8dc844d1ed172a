#include "components/FlatBtn/FlatBtnOutline.h"

#include "toolkit/gdi/Canvas.h"

#include <initializer_list>
#include <vector>

namespace {

enum class Role { Inactive, Active, ActiveOutline, ActiveOutline2 };
enum class Kind { Line, Dots };

// A coordinate counted from the near edge when 0 or more, and from the far
// edge (the button's width or height) when negative: -4 is W - 4 or H - 4.
struct EdgePoint {
    int x, y;
};

struct Step {
    Kind kind;
    Role role;
    std::vector<EdgePoint> points;
};

using Outline = std::vector<Step>;

Step line(Role role, std::initializer_list<EdgePoint> points)
{
    return {Kind::Line, role, points};
}
Step dots(Role role, std::initializer_list<EdgePoint> points)
{
    return {Kind::Dots, role, points};
}

constexpr Role I = Role::Inactive, A = Role::Active, O = Role::ActiveOutline, O2 = Role::ActiveOutline2;

const Outline kCutCornerNormal{
    line(I, {{3, 1}, {1, 3}, {1, -4}, {3, -2}, {-4, -2}, {-2, -4}, {-2, 3}, {-4, 1}, {3, 1}}),
};

const Outline kCutCornerHot{
    dots(I, {{-2, 3}, {2, -3}}),
    line(A, {{-2, 4}, {-2, -4}, {-4, -2}, {3, -2}}),
    dots(A, {{3, -2}}),
    line(O, {{-3, 2}, {-4, 1}, {3, 1}, {1, 3}, {1, -4}}),
    dots(O, {{1, -4}}),
    line(O2, {{3, 0}, {0, 3}, {0, -4}, {3, -1}, {-4, -1}, {-1, -4}, {-1, 3}, {-4, 0}, {3, 0}}),
};

const Outline kCutCornerPressed{
    dots(I, {{-3, 2}, {1, -4}}), line(A, {{-4, 1}, {3, 1}, {1, 3}, {1, -5}}),
    dots(A, {{1, -5}}),          line(O, {{-2, 2}, {-1, 3}, {-1, -4}, {-4, -1}, {3, -1}, {1, -3}}),
    dots(O, {{1, -3}}),          line(O2, {{-3, 1}, {-4, 0}, {3, 0}, {0, 3}, {0, -4}}),
    dots(O2, {{0, -4}}),         line(O2, {{-2, 3}, {-2, -4}, {-4, -2}, {3, -2}, {2, -3}}),
    dots(O2, {{2, -3}}),
};

const Outline kRoundNormal{
    line(I, {{8, 2},  {7, 3},  {6, 3},  {3, 6},   {3, 7},   {2, 8},   {2, -8},  {3, -7},  {3, -6},
             {6, -3}, {7, -3}, {8, -2}, {-8, -2}, {-7, -3}, {-6, -3}, {-3, -6}, {-3, -7}, {-2, -8},
             {-2, 8}, {-3, 7}, {-3, 6}, {-6, 3},  {-7, 3},  {-8, 2},  {8, 2}}),
    dots(I, {{8, 2}}),
};

const Outline kRoundHot{
    line(I, {{-8, 1}, {8, 1}, {7, 2}, {6, 2}, {2, 6}, {2, 7}, {1, 8}, {1, -8}, {2, -7}, {2, -6}, {5, -3}}),
    dots(I, {{5, -3}, {7, -2}}),
    line(I, {{5, -5}, {6, -4}, {7, -4}, {8, -3}, {-8, -3}, {-3, -8}, {-3, 8}, {-2, 7}}),
    dots(I, {{-2, 7}, {-7, -2}}),
    line(I, {{-5, -3}, {-3, -5}}),
    dots(I, {{-3, -5}}),
    line(I, {{-6, -4}, {-4, -6}}),
    dots(I, {{-4, -6}, {-2, -7}, {-2, 7}}),
    line(I, {{-4, 6}, {-5, 5}}),
    dots(I, {{-5, 5}}),
    line(I, {{-3, 5}, {-6, 2}}),
    dots(I, {{-6, 2}}),
    line(A, {{8, 2},   {7, 3},   {6, 3},  {3, 6},  {3, 7},   {2, 8},   {2, -8},  {3, -7},
             {3, -6},  {6, -3},  {7, -3}, {8, -2}, {-8, -2}, {-7, -3}, {-6, -3}, {-3, -6},
             {-3, -7}, {-2, -8}, {-2, 8}, {-3, 7}, {-3, 6},  {-7, 2},  {8, 2}}),
    dots(A, {{8, 2}}),
    line(O, {{-7, 3}, {8, 3}, {3, 8}, {3, -8}}),
    dots(O, {{3, -8}}),
    line(O, {{-6, 5}, {-6, 4}, {8, 4}, {4, 8}, {4, -6}, {5, -6}}),
    dots(O, {{5, -6}}),
    line(O, {{6, 4}, {4, 6}}),
    dots(O, {{4, 6}}),
};

const Outline kRoundPressed{
    line(I, {{-8, 1},  {8, 1},   {7, 2},   {6, 2},   {2, 6},   {2, 7},  {1, 8},  {1, -8},
             {2, -7},  {2, -6},  {4, -4},  {5, -4},  {6, -3},  {7, -3}, {8, -2}, {-8, -2},
             {-7, -3}, {-6, -3}, {-3, -6}, {-3, -7}, {-2, -8}, {-2, 8}, {-3, 7}, {-3, 6}}),
    dots(I, {{-3, 6}, {8, 3}}),
    line(I, {{6, 4}, {4, 6}}),
    dots(I, {{4, 6}}),
    line(I, {{3, 8}, {3, -8}}),
    dots(I, {{3, -8}, {4, -6}}),
    line(I, {{-4, 4}, {-6, 2}}),
    dots(I, {{-6, 2}, {-7, 3}}),
    line(A, {{-4, 5}, {-7, 2}, {8, 2}, {7, 3}, {6, 3}, {3, 6}, {3, 7}, {2, 8}, {2, -8}, {3, -7}, {3, -6}, {4, -5}}),
    dots(A, {{4, -5}}),
    line(O, {{7, 5}, {5, 7}, {5, -5}}),
    dots(O, {{5, -5}}),
    line(O, {{-8, 3}, {9, 3}}),
    dots(O, {{9, 3}}),
    line(O, {{5, -3},
             {6, -2},
             {7, -2},
             {7, -1},
             {-6, -1},
             {-1, -6},
             {-1, 8},
             {-2, 7},
             {-2, 6},
             {-3, 5},
             {-4, 6},
             {-5, 5},
             {-6, 5},
             {-6, 4},
             {7, 4},
             {4, 7},
             {4, -7}}),
    dots(O, {{4, -7}}),
    line(O, {{-4, -2}, {-1, -5}}),
    dots(O, {{-1, -5}}),
    line(O, {{-7, -2}, {-6, -2}, {-2, -6}, {-2, -7}}),
    dots(O, {{-2, -7}}),
};

const Outline &outlineFor(bool cutCornerLook, TFlatBtnMouseState state)
{
    switch (state) {
    case TFlatBtnMouseState::Hot: return cutCornerLook ? kCutCornerHot : kRoundHot;
    case TFlatBtnMouseState::Pressed: return cutCornerLook ? kCutCornerPressed : kRoundPressed;
    case TFlatBtnMouseState::Normal:
    case TFlatBtnMouseState::PressedAway: break;
    }
    return cutCornerLook ? kCutCornerNormal : kRoundNormal;
}

TColor colourOf(Role role, const TFlatBtnOutlineColors &colors)
{
    switch (role) {
    case Role::Inactive: return colors.Inactive;
    case Role::Active: return colors.Active;
    case Role::ActiveOutline: return colors.ActiveOutline;
    case Role::ActiveOutline2: return colors.ActiveOutline2;
    }
    return colors.Inactive;
}

int resolve(int coordinate, int extent)
{
    return coordinate < 0 ? extent + coordinate : coordinate;
}

} // namespace

void DrawFlatBtnOutline(TCanvas &canvas, int width, int height, bool cutCornerLook, TFlatBtnMouseState state,
                        const TFlatBtnOutlineColors &colors)
{
    for (const Step &step : outlineFor(cutCornerLook, state)) {
        const TColor colour = colourOf(step.role, colors);
        if (step.kind == Kind::Dots) {
            for (const EdgePoint &p : step.points)
                canvas.SetPixel(resolve(p.x, width), resolve(p.y, height), colour);
            continue;
        }
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetColor(colour);
        const EdgePoint &first = step.points.front();
        canvas.MoveTo(resolve(first.x, width), resolve(first.y, height));
        for (auto it = step.points.begin() + 1; it != step.points.end(); ++it)
            canvas.LineTo(resolve(it->x, width), resolve(it->y, height));
    }
}
