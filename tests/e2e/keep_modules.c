/* Preloaded into the game by the end-to-end tests of the sanitizer build:
 * libraries are never unloaded, so that the leak checker can still name the
 * graphics libraries whose allocations it finds at exit and apply the
 * suppressions for them. */
int dlclose(void *handle) {
    (void)handle;
    return 0;
}
