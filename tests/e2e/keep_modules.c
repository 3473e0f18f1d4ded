/* Preloaded into the game in the sanitizer build's journeys: libraries stay
 * loaded, so that leak reports still name them for the suppressions. */
int dlclose(void *handle) {
    (void)handle;
    return 0;
}
