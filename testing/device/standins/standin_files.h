// What the stand-in shared objects (the maker's libraries, the simulated device-information
// library, the port module) share: the files beside the shared object, a description read as
// "key value" lines and a call log the tests read back.
#pragma once

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace standin {

inline std::string Beside(const char* name) {
    Dl_info info{};
    static int self;
    if (!dladdr(&self, &info) || !info.dli_fname) return name;
    std::string path = info.dli_fname;
    size_t slash = path.rfind('/');
    return (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/" + name;
}

inline void Log(const char* file, const std::string& line) {
    if (FILE* f = std::fopen(Beside(file).c_str(), "a")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

// Lines "key rest-of-line"; a later line of the same key wins.
inline std::map<std::string, std::string> Describe(const char* file) {
    std::map<std::string, std::string> out;
    FILE* f = std::fopen(Beside(file).c_str(), "rb");
    if (!f) return out;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, f)) {
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        size_t space = line.find(' ');
        out[line.substr(0, space)] = space == std::string::npos ? "" : line.substr(space + 1);
    }
    std::fclose(f);
    return out;
}

inline long Number(const std::map<std::string, std::string>& d, const char* key, long fallback) {
    auto it = d.find(key);
    return it == d.end() ? fallback : std::strtol(it->second.c_str(), nullptr, 0);
}

}  // namespace standin
