// Runs a fuzz target over every file in the given directories, so that the
// committed corpora are replayed by the ordinary test suite, without
// libFuzzer.
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

static bool replay(const std::string &path) {
    FILE *f = fopen(path.c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    fclose(f);
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

int main(int argc, char **argv) {
    int replayed = 0;
    for (int i = 1; i < argc; i++) {
        DIR *dir = opendir(argv[i]);
        if (!dir) {
            if (!replay(argv[i])) {
                fprintf(stderr, "cannot read %s\n", argv[i]);
                return 1;
            }
            replayed++;
            continue;
        }
        while (struct dirent *entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name == "." || name == "..") continue;
            if (replay(std::string(argv[i]) + "/" + name)) replayed++;
        }
        closedir(dir);
    }
    printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
