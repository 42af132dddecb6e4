// packager_test_app: the main program that the packaging tests put into a
// source folder as app.exe. It writes its working directory, the folder it
// runs from, the product named by CRATEFORGE_PRODUCT and then each of its
// arguments, one a line, into the file named by the environment variable
// TEST_APP_RECORD (or by a first argument "--record=FILE", which is not
// recorded), and exits with the code in TEST_APP_EXIT (0 when unset).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

int main(int argc, char **argv)
{
    const char *record = std::getenv("TEST_APP_RECORD");
    int first = 1;
    if (argc > 1 && std::strncmp(argv[1], "--record=", 9) == 0) {
        record = argv[1] + 9;
        first = 2;
    }
    if (record && *record) {
        FILE *out = std::fopen(record, "w");
        if (!out)
            return 125;
        char cwd[4096];
        std::fprintf(out, "%s\n", getcwd(cwd, sizeof cwd) ? cwd : "?");
        char self[4096] = {};
        if (readlink("/proc/self/exe", self, sizeof self - 1) > 0 && std::strrchr(self, '/'))
            *std::strrchr(self, '/') = '\0';
        const char *product = std::getenv("CRATEFORGE_PRODUCT");
        std::fprintf(out, "%s\n%s\n", self, product ? product : "");
        for (int i = first; i < argc; ++i)
            std::fprintf(out, "%s\n", argv[i]);
        if (std::fclose(out) != 0)
            return 125;
    }
    const char *code = std::getenv("TEST_APP_EXIT");
    return code ? std::atoi(code) : 0;
}
