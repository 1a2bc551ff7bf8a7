#include "TestMain.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

std::map<std::string, linkbench::TestRun>& registry()
{
    static std::map<std::string, linkbench::TestRun> tests;
    return tests;
}

} // namespace

bool linkbench::registerTest(const char* sourcePath, TestRun run)
{
    const std::filesystem::path path(sourcePath);
    return registry().emplace(path.stem().string(), run).second;
}

// "<program> tst_Name [Qt Test options]": the class sees the program's name and the options.
int main(int argc, char* argv[])
{
    const auto test = argc > 1 ? registry().find(argv[1]) : registry().end();
    if (test == registry().end()) {
        std::fprintf(stderr, "usage: %s <test file name> [Qt Test options]; the tests here:\n",
                     argc > 0 ? argv[0] : "tests");
        for (const auto& [name, run] : registry())
            std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    const int count = int(arguments.size());
    arguments.push_back(nullptr);
    return test->second(count, arguments.data());
}
