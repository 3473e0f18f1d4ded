// Golden frames: known states drawn through the real frame code and compared
// with the reviewed pictures in tests/game/frames.  To draw the references
// again: tools/update_frames (then look at every picture before committing).
#include <cstdlib>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>
#include <string>

#include "../support/gl/gl_helpers.h"
#include "background.h"
#include "hud.h"
#include "rules.h"
#include "test_game.h"
#include "textures.h"
#include "view.h"

// A channel may differ by this much (other processors round differently),
// and this share of the pixels by more.
static const int CHANNEL_TOLERANCE = 6;
static const double PIXEL_ALLOWANCE = 0.002;

class Frames : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        forget_fonts(), load_game_font();
        start_test_game(&game, 3, SHAPE_STEP_UP);
        game.wall_texture = make_wall_texture();
        game.block_texture = make_block_texture();
    }
    void TearDown() override { free_test_well(&game), forget_fonts(), WindowTest::TearDown(); }
};

// The window is resized as the desktop would do it and the state set up,
// then one frame is drawn as the frame loop draws it: the view update, the
// picture, read back top row first.
static std::vector<uint8_t> draw_game_frame(int width, int height, void (*set_up)(), double now) {
    SDL_Event resize = {};
    resize.window = {SDL_WINDOWEVENT, 0, 0, SDL_WINDOWEVENT_SIZE_CHANGED, 0, 0, 0, width, height};
    SDL_PushEvent(&resize);
    pump_events();
    set_up();
    clear_for_next_frame();
    update_view();
    draw_frame(0.0, now);
    std::vector<uint8_t> pixels((size_t)width * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::vector<uint8_t> top_first(pixels.size());
    for (int y = 0; y < height; y++)
        memcpy(&top_first[(size_t)y * width * 3], &pixels[(size_t)(height - 1 - y) * width * 3],
               (size_t)width * 3);
    return top_first;
}

// Compares a frame with its reference; on a mismatch writes the frame and a
// picture of the differing pixels (red) next to the test and names them.
static void expect_like_reference(const char *name, const std::vector<uint8_t> &frame, int width,
                                  int height) {
    std::string reference = std::string(FRAMES_DIR) + "/" + name + ".png";
    if (getenv("SPINWELL_UPDATE_FRAMES")) {
        stbi_write_png(reference.c_str(), width, height, 3, frame.data(), width * 3);
        return;
    }
    int w = 0, h = 0, channels = 0;
    uint8_t *expected = stbi_load(reference.c_str(), &w, &h, &channels, 3);
    ASSERT_NE(expected, nullptr) << "no reference " << reference;
    EXPECT_EQ(std::pair(w, h), std::pair(width, height)) << name << ": the reference's size";
    if (w != width || h != height) return stbi_image_free(expected);
    std::vector<uint8_t> diff(frame.size() / 3 * 3);
    long differing = 0;
    for (size_t p = 0; p < frame.size(); p += 3) {
        bool same = true;
        for (size_t c = p; c < p + 3; c++)
            same = same && std::abs(frame[c] - expected[c]) <= CHANNEL_TOLERANCE;
        differing += !same;
        diff[p] = same ? frame[p] / 4 : 255;
        diff[p + 1] = diff[p + 2] = same ? frame[p + 1] / 4 : 0;
    }
    stbi_image_free(expected);
    long allowed = (long)(PIXEL_ALLOWANCE * width * height);
    if (differing <= allowed) return;
    std::string actual = std::string(name) + "-actual.png",
                marked = std::string(name) + "-diff.png";
    stbi_write_png(actual.c_str(), width, height, 3, frame.data(), width * 3);
    stbi_write_png(marked.c_str(), width, height, 3, diff.data(), width * 3);
    char here[4096];
    ADD_FAILURE() << name << ": " << differing << " pixels differ from " << reference
                  << " (at most " << allowed << "); see "
                  << (getcwd(here, sizeof here) ? here : ".") << "/" << actual << " and " << marked;
}

// Blocks of all seven colours on rows 1 to 4, across the wrap between
// columns 19 and 0, and a full ring on row 1 but for one gap.
static void settle_blocks() {
    for (int c = 0; c < WELL_COLUMNS; c++) game.well[c][1] = 1 + c % 7;
    game.well[10][1] = 0;
    const int wrap[] = {17, 18, 19, 0, 1, 2};
    for (int i = 0; i < 6; i++) game.well[wrap[i]][2] = 1 + (i + 2) % 7;
    game.well[19][3] = 7, game.well[0][3] = 4, game.well[0][4] = 2;
}

static void press(int key) {
    key_was_down[key] = 0, key_down[key] = 1;
    update_view();
    key_down[key] = 0;
}

TEST_F(Frames, KnownStatesLookAsReviewed) {
    const struct {
        const char *name;
        int width, height;
        void (*set_up)();
        double now;
    } cases[] = {
        {"start", 480, 360, [] { game.camera_height = 17; }, 0.0},
        {"settled_blocks_and_a_turned_row_of_four", 480, 360,
         [] {
             settle_blocks();
             set_piece_shape(&game.piece, SHAPE_ROW_OF_FOUR);
             PieceCells flat = game.piece;
             rotate_piece_cells(&flat, &game.piece);
             game.piece_colour = 5, game.piece_column = 19, game.piece_height = 8.5;
             game.camera_height = 9, game.view_pitch = 0.45;
         },
         0.0},
        {"zoomed_and_tilted", 480, 360,
         [] {
             settle_blocks();
             for (int i = 0; i < 3; i++) press(KEY_KP_MINUS);
             game.view_yaw = 2.3, game.view_pitch = 0.7, game.camera_height = 8;
         },
         0.0},
        {"paused", 480, 360,
         [] {
             settle_blocks();
             game.play_state = PAUSED, game.score = 131, game.rows_cleared = 7;
             game.camera_height = 5, game.view_pitch = 0.4;
         },
         0.0},
        {"game_over", 480, 360,
         [] {
             for (int r = 1; r < WELL_ROWS; r++)
                 for (int c = 0; c < WELL_COLUMNS; c++)
                     game.well[c][r] = (c + r) % 3 ? 1 + (c * r) % 7 : 0;
             game.play_state = GAME_OVER, game.score = 26, game.rows_cleared = 3;
             game.piece_height = SPAWN_HEIGHT, game.camera_height = 16;
         },
         1000.75},
        {"portrait_after_a_resize", 270, 360,
         [] {
             settle_blocks();
             game.camera_height = 5, game.view_pitch = 0.3;
         },
         0.0},
    };
    for (const auto &c : cases) {
        uint32_t wall = game.wall_texture, block = game.block_texture;
        free_test_well(&game);
        start_test_game(&game, 3, SHAPE_STEP_UP);
        game.wall_texture = wall, game.block_texture = block;
        std::vector<uint8_t> frame = draw_game_frame(c.width, c.height, c.set_up, c.now);
        expect_like_reference(c.name, frame, c.width, c.height);
    }
}
