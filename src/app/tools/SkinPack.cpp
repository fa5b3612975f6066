// Packs the skin sources into the encrypted archive the program carries.
//
//   dravo_skinpack OUT.zip DIR[=PREFIX] ...
//
// Every regular file below DIR is stored as PREFIX + its path relative to
// DIR ("/" between folders), in name order. Files whose name starts with a
// dot are left out.
#include "SkinPassword.h"
#include "ZipWriter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool readFile(const fs::path& path, std::vector<std::uint8_t>& data)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool hidden(const fs::path& relative)
{
    return std::any_of(relative.begin(), relative.end(),
                       [](const fs::path& part) { return part.string().starts_with('.'); });
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUT.zip DIR[=PREFIX] ...\n", argv[0]);
        return 2;
    }
    dravo::zip::ZipWriter writer(dravo::kSkinPassword);
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        std::string prefix;
        if (const auto eq = arg.find('='); eq != std::string::npos) {
            prefix = arg.substr(eq + 1);
            arg.resize(eq);
        }
        const fs::path root(arg);
        std::vector<fs::path> files;
        std::error_code ec;
        for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_regular_file() && !hidden(fs::relative(it->path(), root)))
                files.push_back(fs::relative(it->path(), root));
        if (ec) {
            std::fprintf(stderr, "skinpack: cannot list %s: %s\n", arg.c_str(), ec.message().c_str());
            return 1;
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& rel : files) {
            std::vector<std::uint8_t> data;
            if (!readFile(root / rel, data)) {
                std::fprintf(stderr, "skinpack: cannot read %s\n", (root / rel).c_str());
                return 1;
            }
            const std::string name = prefix + rel.generic_string();
            if (!writer.add(name, data)) {
                std::fprintf(stderr, "skinpack: cannot add %s (given twice?)\n", name.c_str());
                return 1;
            }
        }
    }

    const std::vector<std::uint8_t> archive = writer.finish();
    const fs::path out(argv[1]);
    fs::path temp = out;
    temp += ".part";
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
        if (!file.flush()) {
            std::fprintf(stderr, "skinpack: cannot write %s\n", temp.c_str());
            return 1;
        }
    }
    std::error_code ec;
    fs::rename(temp, out, ec);
    if (ec) {
        std::fprintf(stderr, "skinpack: cannot write %s: %s\n", out.c_str(), ec.message().c_str());
        return 1;
    }
    return 0;
}
