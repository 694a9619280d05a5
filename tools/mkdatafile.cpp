// mkdatafile: builds a driver data file from its readable description.
//   mkdatafile DESCRIPTION OUTPUT
// Files named by "file" items are read relative to the description's folder. On a mistake it
// prints "description:line: message" and writes nothing.
#include "tools/datafile/description.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkdatafile DESCRIPTION OUTPUT\n");
        return 2;
    }
    const std::string source = argv[1];
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "mkdatafile: cannot read %s\n", source.c_str());
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const size_t slash = source.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : source.substr(0, slash);
    try {
        datafile::FileSpec spec;
        std::string error;
        if (!datafile::ParseDescription(text.str(), source, folder, spec, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        const std::vector<uint8_t> bytes = datafile::WriteDataFile(spec);
        const std::string temporary = std::string(argv[2]) + ".tmp";
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out || std::rename(temporary.c_str(), argv[2]) != 0) {
            std::fprintf(stderr, "mkdatafile: cannot write %s\n", argv[2]);
            std::remove(temporary.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkdatafile: %s\n", e.what());
        return 1;
    }
    return 0;
}
