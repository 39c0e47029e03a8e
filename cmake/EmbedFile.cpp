// Build-time tool: writes one file's bytes as a C++ array, so the game carries its pictures inside.
// Usage: brickwrath_embedfile <input> <namespace> <symbol> <output.cpp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <input> <namespace> <symbol> <output.cpp>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::FILE* out = std::fopen(argv[4], "w");
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[4]);
        return 1;
    }
    std::fprintf(out, "// Generated from %s; do not edit.\nnamespace %s {\n", argv[1], argv[2]);
    std::fprintf(out, "extern const unsigned char %s[];\nextern const unsigned int %s_length;\n", argv[3], argv[3]);
    std::fprintf(out, "alignas(16) const unsigned char %s[%zu] = {", argv[3], bytes.size() + 1);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        std::fprintf(out, "%s%u,", i % 24 == 0 ? "\n" : "", bytes[i]);
    // One spare zero byte: an empty file still makes a valid array; the length excludes it.
    std::fprintf(out, "0\n};\nconst unsigned int %s_length = %zu;\n}\n", argv[3], bytes.size());
    return std::fclose(out) == 0 ? 0 : 1;
}
