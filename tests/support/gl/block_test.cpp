#include "block.h"

#include <cmath>

#include "feedback.h"
#include "gl_helpers.h"

namespace {

using DrawBlock = WindowTest;

struct Point {
    double x, y, z;
};

void expect_quad(const FeedbackPolygon &quad, std::initializer_list<Point> corners,
                 const char *face) {
    ASSERT_EQ(quad.size(), 4u) << face;
    const float s[4] = {0, 1, 1, 0}, t[4] = {0, 0, 1, 1};
    int v = 0;
    for (const Point &p : corners) {
        EXPECT_NEAR(quad[v].x, p.x, 2e-5) << face << " vertex " << v;
        EXPECT_NEAR(quad[v].y, p.y, 2e-5) << face << " vertex " << v;
        EXPECT_NEAR(quad[v].z, p.z, 2e-5) << face << " vertex " << v;
        EXPECT_EQ(quad[v].s, s[v]) << face << " vertex " << v;
        EXPECT_EQ(quad[v].t, t[v]) << face << " vertex " << v;
        v++;
    }
}

TEST_F(DrawBlock, FiveFacesOfTheFirstCell) {
    auto quads = join_quads(capture_polygons([] { draw_block(0, 0); }));
    ASSERT_EQ(quads.size(), 5u);
    const Point i0 = {2.683099, 0, 0}, i1 = {2.551779, 0, 0.829123};
    const Point o0 = {3.683099, 0, 0}, o1 = {3.502835, 0, 1.138140};
    auto at = [](Point p, double y) { return Point{p.x, y, p.z}; };
    expect_quad(quads[0], {at(i0, 0), at(i1, 0), at(i1, 1), at(i0, 1)}, "inner");
    expect_quad(quads[1], {at(i0, 0), at(i1, 0), at(o1, 0), at(o0, 0)}, "bottom");
    expect_quad(quads[2], {at(i0, 1), at(i1, 1), at(o1, 1), at(o0, 1)}, "top");
    expect_quad(quads[3], {at(i0, 0), at(i0, 1), at(o0, 1), at(o0, 0)}, "side a0");
    expect_quad(quads[4], {at(i1, 0), at(i1, 1), at(o1, 1), at(o1, 0)}, "side a1");
}

TEST_F(DrawBlock, ColumnsWrapAndRowsAreNotLimited) {
    auto low = join_quads(capture_polygons([] { draw_block(-1, 22); }, 30));
    auto high = join_quads(capture_polygons([] { draw_block(19, 22); }, 30));
    ASSERT_EQ(low.size(), 5u);
    ASSERT_EQ(high.size(), 5u);
    for (size_t q = 0; q < 5; q++) {
        for (size_t v = 0; v < 4; v++) {
            EXPECT_NEAR(low[q][v].x, high[q][v].x, 1e-4);
            EXPECT_NEAR(low[q][v].z, high[q][v].z, 1e-4);
            EXPECT_EQ(low[q][v].y, high[q][v].y);
        }
    }
    EXPECT_NEAR(low[0][0].y, 22, 1e-4);
    EXPECT_NEAR(low[0][2].y, 23, 1e-4);
}

TEST_F(DrawBlock, LeavesColourAndTextureAlone) {
    glColor3f(0.25f, 0.5f, 1.0f);
    auto quads = join_quads(capture_polygons([] { draw_block(3, 4); }));
    ASSERT_EQ(quads.size(), 5u);
    EXPECT_NEAR(quads[0][0].g, 0.5, 1e-3);
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[2], 1.0f);
}

} // namespace
