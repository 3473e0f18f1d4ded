// Golden frames: known states drawn through the real frame code and compared
// with the reviewed pictures in tests/game/frames.  tools/update_frames draws
// the references again; look at every picture before committing it.
#include <cstdlib>
#include <fstream>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>
#include <string>

#include "../support/gl/gl_helpers.h"
#include "background.h"
#include "hud.h"
#include "rules.h"
#include "test_game.h"
#include "text.h"
#include "textures.h"
#include "view.h"

// The scene's faces are textured, some at grazing angles, where renderers
// may pick other mipmap levels (llvmpipe's settings), and where two blocks
// meet, which of their coinciding faces shows (softpipe): the scene is
// compared as the mean colours of 16 x 16 tiles, which every mipmap level
// keeps, but which a block a row off, a colour swapped, a face missing or
// another picture changes.  The overlay's texts are drawn texel for pixel:
// they are drawn once more alone on black, below the frame in the same
// reference, and compared pixel by pixel, so that any changed glyph fails.
// Text drawn smaller than its font varies a little more: 4 x 4 tiles.
static const int SCENE_TILE = 16, TOLERANCE = 12; // per channel

// Blocks of all seven colours on rows 1 to 4, across the wrap between
// columns 19 and 0, a ring on row 1 but for one gap, and the piece turned
// once, falling over column 19.  After the game, a well full to the top.
static void set_well(PlayState state) {
    for (int r = 1; r < WELL_ROWS && state == GAME_OVER; r++)
        for (int c = 0; c < WELL_COLUMNS; c++) game.well[c][r] = (c + r) % 3 ? 1 + (c * r) % 7 : 0;
    if (state == GAME_OVER) return;
    for (int c = 0; c < WELL_COLUMNS; c++) game.well[c][1] = c == 10 ? 0 : 1 + c % 7;
    const int wrap[] = {17, 18, 19, 0, 1, 2};
    for (int i = 0; i < 6; i++) game.well[wrap[i]][2] = 1 + (i + 2) % 7;
    game.well[19][3] = 7, game.well[0][3] = 4, game.well[0][4] = 2;
    PieceCells spawned = game.piece;
    rotate_piece_cells(&spawned, &game.piece);
    game.piece_colour = 5, game.piece_column = 19, game.piece_height = 8.5;
}

// Sends the window a resize to width x height, as the desktop does.
static void resize_window(int width, int height) {
    SDL_Event resize = {};
    resize.window = {SDL_WINDOWEVENT, 0, 0, SDL_WINDOWEVENT_SIZE_CHANGED, 0, 0, 0, width, height};
    SDL_PushEvent(&resize);
    pump_events();
}

// The picture drawn so far, bottom row first as GL reads it (the PNG
// functions are told so).
static std::vector<uint8_t> read_frame(int width, int height) {
    std::vector<uint8_t> pixels((size_t)width * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Draws the frame as the loop does after a resize to width x height, on a
// screen of ratio pixels a unit: the view update (zooming in as often as
// asked), the picture, with the exit prompt's cursor shown.
static std::vector<uint8_t> draw_game_frame(int width, int height, int ratio, int zoom_in) {
    const double now = 1000.75;
    resize_window(width, height);
    pixel_ratio = ratio;
    set_view_size(width, height);
    for (int i = 0; i < zoom_in; i++) {
        key_was_down[KEY_KP_MINUS] = 0, key_down[KEY_KP_MINUS] = 1;
        update_view(), glLoadIdentity();
    }
    key_down[KEY_KP_MINUS] = 0;
    clear_for_next_frame();
    update_view();
    draw_frame(0.0, now);
    std::vector<uint8_t> frame = read_frame(drawable_width, drawable_height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    draw_hud(now);
    glClearColor(0.4f, 0.6f, 1.0f, 0); // the game's own, which it sets only once
    std::vector<uint8_t> text = read_frame(drawable_width, drawable_height);
    text.insert(text.end(), frame.begin(), frame.end()); // the frame above its texts
    return text;
}

// Counts the tiles of rows y0 to y1 whose mean colours differ by more than
// tolerance, and marks them red in diff.
static long differing_tiles(const uint8_t *frame, const uint8_t *expected, uint8_t *diff, int w,
                            int y0, int y1, int tile, int tolerance) {
    long differing = 0;
    for (int ty = y0; ty < y1; ty += tile)
        for (int tx = 0; tx < w; tx += tile) {
            long sum[3] = {}, count = 0;
            for (int y = ty; y < std::min(ty + tile, y1); y++)
                for (int x = tx; x < std::min(tx + tile, w); x++, count++)
                    for (int c = 0; c < 3; c++)
                        sum[c] += frame[(y * w + x) * 3 + c] - expected[(y * w + x) * 3 + c];
            bool same = true;
            for (long d : sum) same = same && std::abs(d) <= tolerance * count;
            differing += !same;
            for (int y = ty; y < std::min(ty + tile, y1) && !same; y++)
                for (int x = tx; x < std::min(tx + tile, w); x++) diff[(y * w + x) * 3] = 255;
        }
    return differing;
}

// Compares a picture of w x h, bottom row first, whose lowest text_rows rows
// are text, compared in tiles of text_tile, and the rest a scene.  On a mismatch the picture and
// one of the differences (red) are written beside the test and named.
static void expect_like_reference(const char *name, const std::vector<uint8_t> &frame, int w, int h,
                                  int text_rows, int text_tile) {
    std::string reference = std::string(FRAMES_DIR) + "/" + name + ".png";
    stbi_flip_vertically_on_write(1), stbi_set_flip_vertically_on_load(1);
    if (getenv("SPINWELL_UPDATE_FRAMES")) {
        stbi_write_png(reference.c_str(), w, h, 3, frame.data(), w * 3);
        std::ofstream(std::string(FRAMES_DIR) + "/renderer.txt") << glGetString(GL_RENDERER) << "\n"
                                                                 << glGetString(GL_VERSION) << "\n";
        return;
    }
    int rw = 0, rh = 0, channels = 0;
    uint8_t *expected = stbi_load(reference.c_str(), &rw, &rh, &channels, 3);
    ASSERT_NE(expected, nullptr) << "no reference " << reference;
    std::vector<uint8_t> diff(frame.size());
    for (size_t i = 0; i < frame.size(); i++) diff[i] = frame[i] / 4;
    long differing = 0;
    if (rw == w && rh == h)
        differing = differing_tiles(frame.data(), expected, diff.data(), w, 0, text_rows, text_tile,
                                    TOLERANCE) +
                    differing_tiles(frame.data(), expected, diff.data(), w, text_rows, h,
                                    SCENE_TILE, TOLERANCE);
    stbi_image_free(expected);
    ASSERT_EQ(std::pair(rw, rh), std::pair(w, h)) << name << ": the reference's size";
    if (differing == 0) return;
    std::string actual = std::string(name) + "-actual.png",
                marked = std::string(name) + "-diff.png";
    stbi_write_png(actual.c_str(), w, h, 3, frame.data(), w * 3);
    stbi_write_png(marked.c_str(), w, h, 3, diff.data(), w * 3);
    char here[4096];
    ADD_FAILURE() << name << ": " << differing << " text pixels or scene tiles differ from "
                  << reference << "; see " << (getcwd(here, sizeof here) ? here : ".") << "/"
                  << actual << " and " << marked;
}

using Frames = WindowTest;

TEST_F(Frames, KnownStatesLookAsReviewed) {
    forget_fonts(), load_game_font();
    uint32_t wall = make_wall_texture(), block = make_block_texture();
    // The falling pieces show their shapes' cells, spawned at the start (a
    // shape number past the shapes means the last one) or turned once.
    // clang-format off
    const struct {
        const char *name;
        int width, height, pixel_ratio, zoom_in;
        PlayState state;
        int shape;
        double yaw, pitch, camera_height;
    } cases[] = {
        {"start", 480, 360, 1, 0, PLAYING, SHAPE_COUNT, M_PI / 2, 0, 17},
        {"settled_blocks", 480, 360, 1, 0, PLAYING, SHAPE_ROW_OF_FOUR, M_PI / 2, 0.45, 9},
        {"zoomed_and_tilted", 480, 360, 1, 3, PLAYING, SHAPE_HOOK_UP, 1.4, 0.35, 10},
        {"paused", 480, 360, 1, 0, PAUSED, SHAPE_HOOK_DOWN, M_PI / 2, 0.4, 9},
        {"game_over", 480, 360, 1, 0, GAME_OVER, SHAPE_STEP_UP, M_PI / 2, 0, 16},
        {"portrait_after_a_resize", 270, 360, 1, 0, PLAYING, SHAPE_TEE, M_PI / 2, 0.3, 9},
        {"twice_the_pixels", 240, 180, 2, 0, PLAYING, SHAPE_SQUARE, M_PI / 2, 0.45, 9},
    };
    // clang-format on
    for (const auto &c : cases) {
        start_test_game(&game, 3, c.shape);
        game.wall_texture = wall, game.block_texture = block, game.score = 131,
        game.rows_cleared = 7;
        if (c.name != cases[0].name) // the start keeps the new game's view
            set_well(c.state), game.view_yaw = c.yaw, game.view_pitch = c.pitch;
        game.play_state = c.state, game.camera_height = c.camera_height;
        int w = c.width * c.pixel_ratio, h = c.height * c.pixel_ratio;
        std::vector<uint8_t> frame = draw_game_frame(c.width, c.height, c.pixel_ratio, c.zoom_in);
        expect_like_reference(c.name, frame, w, 2 * h, h, 1);
        free_test_well(&game);
    }
    forget_fonts();
}

// A control byte with its 4-byte operand.
static std::string control(char code, uint32_t operand) {
    return {TEXT_ESC_CONTROL,     code, (char)operand, (char)(operand >> 8), (char)(operand >> 16),
            (char)(operand >> 24)};
}

// Texts in the game font: colours, pen moves, sizes and raises, digits
// shrunk to the reduced levels (the last size set stays), glyph slots,
// wrapping to a bottom limit, controls cut short, no text, every blend mode.
// A red bar follows each text on the pen line it returns, at its width.
TEST_F(Frames, TextLooksAsReviewed) {
    using S = std::string;
    forget_fonts(), load_game_font();
    const S digits = "0123456789", nothing = "(none)";
    // clang-format off
    const struct { std::string text; float x, y, wrap, limit; int blend; } rows[] = {
        {"Spinwell 0123456789 ?!", 0, 0, 0, 0, 3},
        {"white" + control(CTRL_SET_COLOUR, 0xFF8000) + "orange" + control(CTRL_SET_PEN_X, 400) + "at 400", 0, 50, 0, 0, 3},
        {"a" + control(CTRL_SET_SIZE, 0x00800080) + "half, up" + control(CTRL_SET_SIZE, 0x200) + "Big" +
             control(CTRL_SET_SIZE, 0xFF800100) + "down", 0, 125, 0, 0, 3},
        {S{'A', TEXT_ESC_GLYPH, 1, 0, 'B', TEXT_ESC_GLYPH, 2, 0, 'C', TEXT_ESC_GLYPH, 0, 10, 'D'}, 0, 240, 0, 0, 3},
        {"aa aa aa aa aa", 300, 240, 440, 300, 3},
        {S(20, 'a'), 0, 350, 200, 0, 3},
        {S{'E', TEXT_ESC_CONTROL, 1, 0}, 320, 350, 0, 0, 3},
        {nothing, 440, 350, 0, 0, 3},
        {"one", 240, 420, 0, 0, 1},
        {"two", 360, 420, 0, 0, 2},
        {"four", 480, 420, 0, 0, 4},
        {control(CTRL_SET_SIZE, 0x20) + digits + control(CTRL_SET_SIZE, 0x40) + digits + control(CTRL_SET_SIZE, 0x80) +
             digits, 0, 490, 0, 0, 3},
        {"the size stays", 320, 490, 0, 0, 3},
    };
    // clang-format on
    resize_window(640, 540);
    glClearColor(0.4f, 0.4f, 0.4f, 1); // grey, so that every blend mode shows
    glClear(GL_COLOR_BUFFER_BIT);
    for (const auto &r : rows) {
        // A heap copy of exactly the text, so that the address sanitizer
        // catches a read past it.
        std::vector<char> copy(r.text.begin(), r.text.end());
        const char *text = r.text == nothing ? nullptr : copy.data();
        text_blend_mode = r.blend;
        begin_text();
        float pen_y = draw_text_n(text, r.text.size(), 0xFFFFFF, r.x, r.y, r.wrap, r.limit);
        draw_text("|", 0xFF0000, r.x + text_width_n(text, r.text.size()), pen_y, 0, 0);
        end_text();
    }
    text_blend_mode = 3;
    expect_like_reference("text", read_frame(640, 540), 640, 540, 540, 4);
    forget_fonts();
}
