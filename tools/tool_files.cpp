#include "tools/tool_files.h"

#include <cstdio>
#include <fstream>

bool WriteToolFile(const char* tool, const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) std::fprintf(stderr, "%s: cannot write %s\n", tool, path.c_str());
    return static_cast<bool>(out);
}
