// Golden frames, compared with reviewed pictures (tools/update_frames) by
// tiles' mean colours, as renderers differ at grazing angles; the texts,
// drawn again alone below each frame, by smaller tiles.
#include <cstdlib>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include "../support/gl/gl_helpers.h"
#include "background.h"
#include "hud.h"
#include "test_game.h"
#include "text.h"
#include "textures.h"
#include "view.h"

static const int TOLERANCE = 12; // per channel of a tile's mean

// Blocks of all colours across the seam; the piece turned.
static void set_well(PlayState state) {
    turn_piece(&game.piece, 1 + (state == PAUSED)); // twice if paused
    for (int r = 1; r < WELL_ROWS && state == GAME_OVER; r++)
        for (int c = 0; c < WELL_COLUMNS; c++) game.well[c][r] = (c + r) % 3 ? 1 + (c * r) % 7 : 0;
    if (state == GAME_OVER) return;
    for (int c = 0; c < WELL_COLUMNS; c++) game.well[c][1] = c == 10 ? 0 : 1 + c % 7;
    for (int i = 0; i < 6; i++) game.well[(17 + i) % 20][2] = 1 + (i + 2) % 7;
    for (auto [c, r, colour] : {std::tuple{19, 3, 7}, {0, 3, 4}, {0, 4, 2}})
        game.well[c][r] = colour;
    game.piece_column = 19;
    game.piece_height = 8.5;
}

// The picture, bottom row first.
static std::vector<uint8_t> read_frame(int width, int height) {
    std::vector<uint8_t> pixels((size_t)width * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The fourth frame after a resize and zooms (out where negative), and below it
// its overlay alone.
static std::vector<uint8_t> draw_game_frame(int width, int height, int ratio, int zoom_in) {
    const double now = 1000.75;
    glClearColor(0.4f, 0.6f, 1.0f, 0); // the game sets its own once a process
    pixel_ratio = ratio;
    set_view_size(width, height);
    const int key = zoom_in > 0 ? KEY_KP_MINUS : KEY_KP_PLUS;
    for (int i = 0; i < std::abs(zoom_in); i++) {
        key_was_down[key] = 0;
        key_down[key] = 1;
        update_view(0);
        glLoadIdentity();
    }
    key_down[key] = 0;
    for (int i = 0; i < 4; i++) { // the camera eases; at the end, every other frame kept
        clear_for_next_frame();
        update_view(0);
        draw_frame(0.05, now, i % 2);
    }
    std::vector<uint8_t> frame = read_frame(drawable_width, drawable_height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    draw_hud(now);
    std::vector<uint8_t> text = read_frame(drawable_width, drawable_height);
    text.insert(text.end(), frame.begin(), frame.end());
    return text;
}

static long differing_tiles(const uint8_t *a, const uint8_t *b, int w, int y0, int y1, int tile) {
    long differing = 0;
    for (int ty = y0; ty < y1; ty += tile)
        for (int tx = 0; tx < w; tx += tile) {
            long sum[3] = {}, count = 0;
            for (int y = ty; y < std::min(ty + tile, y1); y++)
                for (int x = tx; x < std::min(tx + tile, w); x++, count++)
                    for (int c = 0; c < 3; c++)
                        sum[c] += a[(y * w + x) * 3 + c] - b[(y * w + x) * 3 + c];
            bool same = true;
            for (long d : sum) same = same && std::abs(d) <= TOLERANCE * count;
            differing += !same;
        }
    return differing;
}

// The lowest text_rows rows are text; per_mille of the scene's small tiles
// may differ.  A frame unlike its reference is written out for
// tools/update_frames.
static void expect_like_reference(const char *name, const std::vector<uint8_t> &frame, int w, int h,
                                  int text_rows, int text_tile, int per_mille = 0) {
    std::string reference = std::string(FRAMES_DIR) + "/" + name + ".png";
    stbi_flip_vertically_on_write(1);
    stbi_set_flip_vertically_on_load(1);
    int rw = 0, rh = 0, channels = 0;
    uint8_t *want = stbi_load(reference.c_str(), &rw, &rh, &channels, 3);
    long text = -1, coarse = -1, fine = -1; // no reference of its size
    if (want && rw == w && rh == h) {
        text = differing_tiles(frame.data(), want, w, 0, text_rows, text_tile);
        coarse = differing_tiles(frame.data(), want, w, text_rows, h, 16);
        fine = differing_tiles(frame.data(), want, w, text_rows, h, 4);
    }
    stbi_image_free(want);
    if (text == 0 && coarse == 0 && fine <= (h - text_rows) * w / 16 * per_mille / 1000) return;
    std::string actual = std::string(name) + "-actual.png";
    stbi_write_png(actual.c_str(), w, h, 3, frame.data(), w * 3);
    ADD_FAILURE() << name << ": " << text << " text, " << coarse << " scene and " << fine
                  << " small tiles differ; see " << actual << ", drawn by "
                  << glGetString(GL_RENDERER);
}

using Frames = WindowTest;

TEST_F(Frames, KnownStatesLookAsReviewed) {
    only_the_game_font();
    const struct {
        const char *name;
        int width, height, pixel_ratio, zoom_in, per_mille;
        PlayState state;
        double yaw, pitch, camera_height;
    } cases[] = {
        {"start_portrait_zoomed_out", 270, 360, 1, -7, 2, PLAYING, 0, 0, 0},
        {"paused_zoomed_in_2x", 240, 180, 2, 7, 0, PAUSED, 1.4, 0.15, 10},
        {"over_looking_up", 480, 270, 1, 0, 10, GAME_OVER, M_PI / 2, -0.5, 17},
        {"down_at_the_floor", 480, 360, 1, 0, 10, PLAYING, M_PI / 2, 1.3, 0},
    };
    for (const auto &c : cases) {
        start_test_game(&game, SHAPE_ROW_OF_FOUR);
        make_game_textures(&game);
        game.score = 131;
        game.rows_cleared = 7;
        if (c.name != cases[0].name) {
            set_well(c.state);
            game.view_yaw = c.yaw;
            game.view_pitch = c.pitch;
            game.camera_height = c.camera_height;
        } else { // rand never seeded: every run the same first piece
            srand(1);
            deal_first_piece(&game);
        }
        game.play_state = c.state;
        game.muted = c.state == PAUSED;
        int w = c.width * c.pixel_ratio, h = c.height * c.pixel_ratio;
        expect_like_reference(c.name, draw_game_frame(c.width, c.height, c.pixel_ratio, c.zoom_in),
                              w, 2 * h, h, 1, c.per_mille);
        free_well(game.well);
    }
}

static std::string control(uint32_t operand, char code = CTRL_SET_SIZE) {
    return {TEXT_ESC_CONTROL,     code, (char)operand, (char)(operand >> 8), (char)(operand >> 16),
            (char)(operand >> 24)};
}

// Every kind of escape and cut; a red bar where each text says it ends.
TEST_F(Frames, TextLooksAsReviewed) {
    using S = std::string;
    only_the_game_font();
    const S digits = "0123456789", orange = control(0xFF8000, CTRL_SET_COLOUR),
            pen_at_400 = control(400, CTRL_SET_PEN_X), half_up = control(0x00800080),
            big = control(0x200), down = control(0xFF800100), eighth = control(0x20),
            quarter = control(0x40), half = control(0x80);
    const S glyphs = {'A', TEXT_ESC_GLYPH, 1, 0, 'B', TEXT_ESC_GLYPH, 2, 0, 'C',
                      'D', TEXT_ESC_GLYPH, 0, 10};
    S every_glyph;
    for (int g = 0; g < 128; g++) every_glyph += {TEXT_ESC_GLYPH, 0, (char)g};
    const struct {
        std::string text;
        float x, y, wrap, limit;
        int blend;
    } rows[] = {
        {"Spinwell" + control(600, CTRL_SET_PEN_X), 0, 0, 0, 0, 3},
        {"white" + orange + "orange" + pen_at_400 + "at 400", 0, 50, 0, 0, 3},
        {"a" + half_up + "half, up" + big + "Big" + down + "down", 0, 125, 0, 0, 3},
        {glyphs, 0, 240, 0, 0, 3},
        {"aa aa aa aa aa", 300, 240, 400, 291, 3},
        {S(20, 'a'), 0, 350, 200, 401, 3},
        {S{'E', TEXT_ESC_CONTROL, 1, 0}, 320, 350, 0, 0, 3},
        {S{'F', TEXT_ESC_GLYPH, 1}, 380, 350, 0, 0, 3},
        {"", 440, 350, 0, 0, 3},
        {"one", 240, 420, 0, 0, 1},
        {"two", 360, 420, 0, 0, 2},
        {"four", 480, 420, 0, 0, 4},
        {eighth + digits + quarter + digits + half + digits, 0, 490, 0, 0, 3},
        {half + S("the size\nstays\0cut", 18), 320, 490, 350, 0, 3},
        {every_glyph, 0, 540, 0, 0, 3},
    };
    // Every palette colour, one glyph, in a font loaded before any text.
    std::vector<uint8_t> palette = {16, 16};
    for (int i = 0; i < 256; i++) palette.push_back(i);
    load_font_data(palette.data(), palette.size(), "palette");
    mode_2d = true; // as a 2D caller draws: no overlay
    text_in_overlay = 0;
    set_view_size(640, 600);
    glClearColor(0.4f, 0.4f, 0.4f, 1); // grey, so that every blend mode shows
    glClear(GL_COLOR_BUFFER_BIT);
    // Small text is filtered, whatever filter a caller left.
    glBindTexture(GL_TEXTURE_2D, current_font->texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    for (const auto &r : rows) {
        // Exact-size: the address sanitizer sees a read past it.
        std::vector<char> copy(r.text.begin(), r.text.end());
        const char *text = r.text.empty() ? nullptr : copy.data();
        text_blend_mode = r.blend;
        begin_text();
        float pen_y = draw_text_n(text, r.text.size(), 0xFFFFFF, r.x, r.y, r.wrap, r.limit);
        draw_text("|", 0xFF0000, r.x + text_width_n(text, r.text.size()), pen_y, 0, 0);
        end_text();
    }
    current_font = fonts[1];
    text_scale_x = 8;
    text_scale_y = 6;
    begin_text();
    draw_text_n(S{TEXT_ESC_GLYPH, 0, 0}.data(), 3, 0xFFFFFF, 55, 16, 0, 0);
    end_text();
    text_scale_x = text_scale_y = 1;
    text_in_overlay = 1;
    expect_like_reference("text", read_frame(640, 600), 640, 600, 600, 3);
    // Near styles share a font, others get their own; sizes that are not
    // sizes are refused; boldness widens.
    // clang-format off
    const struct { float width, height, boldness; uint32_t font; float a; } styles[] = {
        {0.6f, 0.5f, 0, 6, 15},
        {0.55f, 0.5f, 0, 6, 15},
        {1, 1, 0.5f, 7, 35},
        {1, 1, 0.49f, 7, 35},
        {0, 1, 0, 7, 35},
        {1, INFINITY, 0, 7, 35},
        {1, 1, INFINITY, 7, 35},
    };
    // clang-format on
    for (const auto &s : styles) {
        select_font_style({fonts[0], s.width, s.height, 0, s.boldness, 0});
        EXPECT_EQ(std::pair(current_font, text_width("a")), std::pair(fonts[s.font], s.a))
            << "style " << &s - styles;
    }
    EXPECT_STREQ(fonts[6]->name, "normal:width=0.6:height=0.5") << "its name";
    EXPECT_STREQ(fonts[7]->name, "normal:boldness=0.5") << "a bold one";
    load_font_data(palette.data(), 257, "cut short"); // a byte short of its glyph
    EXPECT_EQ(fonts[8]->glyph_width[0], 0u) << "a glyph cut short";
}
