#include "kept_scene.h"

#include <GL/gl.h>
#include <cstdint>
#include <cstdlib>

#include "window.h"

// Rows of BGRA pixels, bottom first: the renderer's own order, copied fastest;
// every row a whole number of words, whatever the width.
static uint8_t *pixels;
static size_t capacity;
static int32_t kept_width, kept_height; // 0: nothing kept

void keep_scene_picture() {
    kept_width = kept_height = 0;
    size_t size = (size_t)drawable_width * (size_t)drawable_height * 4;
    if (size > capacity) {
        free(pixels);
        pixels = (uint8_t *)malloc(size);
        capacity = pixels ? size : 0;
    }
    // Without the memory the scene is simply drawn again each time.
    if (!pixels || size == 0) return;
    glReadPixels(0, 0, drawable_width, drawable_height, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
    kept_width = drawable_width;
    kept_height = drawable_height;
}

bool show_kept_scene() {
    if (kept_width == 0 || kept_width != drawable_width || kept_height != drawable_height)
        return false;
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    // Identity matrices put the raster position (-1, -1) at the drawable's
    // lower-left corner.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos2f(-1, -1);
    glDrawPixels(kept_width, kept_height, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
    return true;
}
